#!/usr/bin/env bash
# Makes the Debian package of the build and checks what apt would see: its dependencies, read
# from the binaries plus those the binaries cannot tell, and the files it lays out.
build=$1
source "$(dirname "$0")/Checks.sh"

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >/dev/null
deb=$(find "$scratch" -maxdepth 1 -name 'timeline-draft_*.deb')
[ -n "$deb" ] || { echo "FAIL: no package made" >&2; exit 1; }

depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
for package in libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins qt6-translations-l10n fonts-ipafont-gothic; do
    grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package"
done

contents=$(dpkg-deb --contents "$deb")
for file in ./usr/bin/timeline-draft ./usr/bin/tdtool ./usr/share/applications/timeline-draft.desktop \
            ./usr/share/mime/packages/timeline-draft.xml ./usr/share/man/man1/tdtool.1.gz \
            ./usr/share/icons/hicolor/48x48/apps/timeline-draft.png; do
    grep -q " $file\$" <<<"$contents" || fail "package lacks $file"
done

finish "the package depends on Qt 6, its window-system plugins, its Japanese texts and the chart's font"

#!/usr/bin/env bash
# Makes the Debian package of the build and checks what apt would see: its dependencies, read
# from the binaries plus those the binaries cannot tell, and the files it lays out.
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
deb=$(find "$out" -maxdepth 1 -name 'timeline-draft_*.deb')
[ -n "$deb" ] || { echo "FAIL: no package made" >&2; exit 1; }

depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
for package in libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins fonts-ipafont-gothic; do
    grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package"
done

contents=$(dpkg-deb --contents "$deb")
for file in ./usr/bin/timeline-draft ./usr/bin/tdtool ./usr/share/applications/timeline-draft.desktop \
            ./usr/share/mime/packages/timeline-draft.xml ./usr/share/man/man1/tdtool.1.gz \
            ./usr/share/icons/hicolor/48x48/apps/timeline-draft.png; do
    grep -q " $file\$" <<<"$contents" || fail "package lacks $file"
done

[ "$failures" -eq 0 ] || exit 1
echo "the package depends on Qt 6, its window-system plugins and the chart's font"

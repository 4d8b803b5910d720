#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks what a desktop needs of it: the files,
# the desktop entry, the icon sizes and the file types as the desktop's MIME database sees them.
build=$1
source "$(dirname "$0")/Checks.sh"

DESTDIR="$scratch/dest" cmake --install "$build" --prefix /usr >/dev/null
usr=$scratch/dest/usr
share=$usr/share

for file in bin/timeline-draft bin/tdtool \
            share/applications/timeline-draft.desktop share/mime/packages/timeline-draft.xml \
            share/man/man1/timeline-draft.1.gz share/man/man1/tdtool.1.gz \
            share/doc/timeline-draft/README.md share/doc/timeline-draft/docs/screenshot.png \
            share/doc/timeline-draft/examples/project.tdp share/doc/timeline-draft/examples/schedule.tds \
            share/icons/hicolor/scalable/apps/timeline-draft.svg \
            share/icons/hicolor/scalable/mimetypes/application-x-timelinedraft-project.svg \
            share/icons/hicolor/scalable/mimetypes/application-x-timelinedraft-schedule.svg; do
    [ -s "$usr/$file" ] || fail "missing $file"
done
[ -x "$usr/bin/timeline-draft" ] && [ -x "$usr/bin/tdtool" ] || fail "programs not executable"

# Each PNG must really be of the size its folder claims, or the desktop scales it blurred.
for size in 16 32 48 128 256; do
    for icon in apps/timeline-draft mimetypes/application-x-timelinedraft-project \
                mimetypes/application-x-timelinedraft-schedule; do
        png=$share/icons/hicolor/${size}x${size}/$icon.png
        file --brief "$png" | grep -q "PNG image data, $size x $size," || fail "$png is not $size x $size"
    done
done

for page in timeline-draft tdtool; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man page $page: $warnings"
done

desktop-file-validate "$share/applications/timeline-draft.desktop" || fail "desktop entry refused"
grep -qx 'Exec=timeline-draft %F' "$share/applications/timeline-draft.desktop" || fail "Exec line"
grep -qx 'Icon=timeline-draft' "$share/applications/timeline-draft.desktop" || fail "Icon line"

# The MIME package in a data directory of its own, as a desktop would see it once installed.
data=$scratch/data
mkdir -p "$data/mime/packages"
cp "$share/mime/packages/timeline-draft.xml" "$data/mime/packages/"
export XDG_DATA_HOME=$data XDG_DATA_DIRS=$data:/usr/share
update-mime-database "$data/mime"
samples=$scratch/samples
mkdir "$samples"
examples=$share/doc/timeline-draft/examples
cp "$examples/project.tdp" "$samples/plan.tdp"
cp "$examples/project.tdp" "$samples/plan-renamed"
cp "$examples/schedule.tds" "$samples/week.tds"
cp "$examples/schedule.tds" "$samples/week-renamed"
expect_type() {
    local type
    type=$(xdg-mime query filetype "$samples/$1")
    [ "$type" = "$2" ] || fail "$1 is $type, not $2"
}
expect_type plan.tdp application/x-timelinedraft-project
expect_type plan-renamed application/x-timelinedraft-project
expect_type week.tds application/x-timelinedraft-schedule
expect_type week-renamed application/x-timelinedraft-schedule

finish "install tree, desktop entry, icons, manuals and file types are in order"

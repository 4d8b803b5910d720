#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the editor need, when any is missing.
# Packages named as arguments are installed too (the extras a script of the project needs).
set -euo pipefail
packages=(cmake ninja-build g++ qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
          nlohmann-json3-dev fonts-ipafont-gothic xvfb xauth poppler-utils clang libclang-rt-14-dev
          desktop-file-utils shared-mime-info xdg-utils libfile-mimeinfo-perl dpkg-dev file man-db
          ccache cups printer-driver-cups-pdf xdotool qt6-translations-l10n qt6-svg-dev librsvg2-bin
          python3-icalendar python3-holidays "$@")
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"

#!/usr/bin/env bash
# Installs every Debian package that building, running, testing and benchmarking need.
# Idempotent: packages already present are not touched and apt is not asked at all.
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ make pkg-config
    # application
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev libxkbcommon-dev xdg-utils
    # translations: lupdate and lrelease, and Qt's own catalogues for standard buttons and dialogs
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
    # image tool
    libjpeg62-turbo-dev libpng-dev libtiff-dev libopenjp2-7-dev libopenjph-dev libexiv2-dev libvips-dev
    # tests
    libgtest-dev libgmock-dev libimage-exiftool-perl python3-pil libopenjp2-tools imagemagick libjpeg-turbo-progs desktop-file-utils
    # case-folding output folders: an exFAT image on a loop device (root only)
    exfatprogs exfat-fuse
    # accessibility tests: a private session bus and the accessibility bus (display: xvfb below)
    dbus-daemon at-spi2-core
    # icons, manual page and the Debian package with its checks
    librsvg2-bin dpkg-dev lintian appstream man-db
    # benchmarks
    libvips-tools mate-backgrounds time
    # screenshots and accessibility tests
    xvfb xauth xdotool
    # the window on Wayland: Qt's Wayland plugin and a headless compositor
    qt6-wayland weston
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

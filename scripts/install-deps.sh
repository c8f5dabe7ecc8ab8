#!/usr/bin/env bash
# Installs from Debian's archive whatever the build and the tests need and this machine
# lacks. On a prepared machine it only checks, in a second or two.
set -euo pipefail

packages=(
    cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev
    clang-14 libclang-rt-14-dev
    libx11-dev libxrandr-dev libgl-dev libglu1-mesa-dev dpkg-dev lintian man-db
    g++-mingw-w64-i686-posix mingw-w64-i686-dev
    g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
    wine wine64 wine32:i386
    xvfb xauth xdotool openbox x11-utils imagemagick xscreensaver xserver-xephyr
    locales fonts-ipafont-gothic
    sox lame
    nsis p7zip-full zip osslsigncode openssl
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386
)

# Wine takes a Japanese system's code page (932) and UTF-8 file names from this locale.
ensure_japanese_locale() {
    if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
        $sudo localedef -i ja_JP -c -f UTF-8 ja_JP.UTF-8
    fi
}

sudo=
if [[ $(id -u) -ne 0 ]]; then
    sudo=sudo
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [[ ${#missing[@]} -eq 0 ]]; then
    ensure_japanese_locale
    exit 0
fi

echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -q
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
ensure_japanese_locale

#!/bin/bash
# Installs what building and running the program here needs, if it is missing:
# the MinGW-w64 cross compiler (and clang and lld, for the second build), CMake,
# 32- and 64-bit Wine, Xvfb, fonts with Chinese glyphs, doctest, ImageMagick for
# screenshots, pefile for the header test, osslsigncode and openssl for
# signing, the GitHub workflow validator from npm, and the zh_CN.UTF-8 locale
# that gives Wine the Chinese ANSI code page (936). Debian or Ubuntu.
set -euo pipefail
sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo

packages=(cmake make g++-mingw-w64-i686 wine wine32:i386 wine64 python3-pefile osslsigncode openssl wixl msitools fonts-wine xvfb xdotool fonts-wqy-microhei
          doctest-dev imagemagick locales clang-14 lld-14 git)
# Node.js may have come from elsewhere; Debian's is taken only where there is none.
command -v npm >/dev/null || packages+=(nodejs npm)
missing=()
# grep reads all of its input here, never -q: with pipefail, a writer that grep
# -q cut off (SIGPIPE) would make a check fail now and then.
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep '^install ok installed' >/dev/null || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    dpkg --print-foreign-architectures | grep -x i386 >/dev/null || $sudo dpkg --add-architecture i386
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

locale -a 2>/dev/null | grep -ix 'zh_CN.utf8' >/dev/null || $sudo localedef -i zh_CN -f UTF-8 zh_CN.UTF-8

command -v action-validator >/dev/null || npm install --global --silent @action-validator/cli@0.6.0 >/dev/null

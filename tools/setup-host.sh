#!/bin/sh
# Installs what building and testing Korvane needs on Debian 12, once.
# Every step checks first, so a second run finishes in a moment.
set -eu

need=""
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "ok installed"; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    updated=""
fi

for p in cmake ninja-build g++-mingw-w64-i686-posix wine wine32:i386 xvfb xdotool \
         locales fonts-ipafont-gothic fonts-wine googletest imagemagick clang libclang-rt-14-dev \
         x11-utils x11-xserver-utils libxinerama1:i386 msitools wixl faketime osslsigncode openssl \
         nlohmann-json3-dev python3; do
    have "$p" || need="$need $p"
done

if [ -n "$need" ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends $need
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf8$'; then
    sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi

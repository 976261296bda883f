#!/usr/bin/env bash
# Installs what building and testing need on a Debian machine; does nothing when all is there.
# Installing needs root: run as another user, it names what is missing and stops.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
for pkg in cmake g++ make googletest libbenchmark-dev libpng-dev g++-mingw-w64-i686-posix \
    g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth fonts-ipafont-gothic; do
  have "$pkg" || need+=("$pkg")
done
add_i386=no
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  add_i386=yes
  need+=(wine32:i386)
elif ! have wine32:i386; then
  need+=(wine32:i386)
fi
[ ${#need[@]} -gt 0 ] || exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: missing ${need[*]}; run scripts/setup.sh as root to install them" >&2
  [ $add_i386 = no ] || echo "setup: (the i386 architecture is added for wine32)" >&2
  exit 1
fi
[ $add_i386 = no ] || dpkg --add-architecture i386
echo "setup: installing ${need[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${need[@]}"

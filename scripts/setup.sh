#!/usr/bin/env bash
# Installs what building and testing need on a Debian machine; does nothing when all is there.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
for pkg in cmake g++ make googletest libbenchmark-dev g++-mingw-w64-i686 wine wine64 xvfb xauth; do
  have "$pkg" || need+=("$pkg")
done
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need+=(wine32:i386)
elif ! have wine32:i386; then
  need+=(wine32:i386)
fi
if [ ${#need[@]} -gt 0 ]; then
  echo "setup: installing ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

#!/usr/bin/env bash
# Installs what building and testing need on a Debian machine, with apt. It prints nothing when
# all is there, and otherwise one line for each step; apt's and dpkg's output goes to a log,
# which is printed only when its step fails (the script then stops with status 1).
# Installing needs root: run as another user, it names what is missing and stops.
#
# First the tools of every build; then, where the test command builds the portable suite as
# 32-bit Linux code under qemu-i386 (see zo_portable_i386 in scripts/windows-targets.sh:
# where no program of the i686 build runs, as on a machine that cannot execute 32-bit programs,
# or with ZO_PORTABLE_I386=1), qemu-user and the i686 Linux cross compiler. That decision asks
# /lib/ld-linux.so.2, which wine32 brings, so it follows the first step. Both go without the
# packages' recommendations: qemu-user recommends qemu-user-binfmt, whose handler would make
# this machine seem to run 32-bit programs itself.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/steps.sh"
. "$here/windows-targets.sh"

have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

log=$(mktemp --suffix=.zo-setup.log)
trap 'rm -f "$log"' EXIT
updated=no

# Runs one command of a step into the log; on failure shows its output and stops.
run() {
  : >"$log"
  zo_logged "$log" "$@" && return 0
  zo_show_log "$log" "setup: '$*' failed; its output"
  exit 1
}

# install_step REASON PACKAGE...: the step that installs those of the packages that are missing
# (none: nothing). REASON, when not empty, follows the names in the step's line.
install_step() {
  local reason=$1 pkg need=()
  shift
  for pkg; do
    have "$pkg" || need+=("$pkg")
  done
  [ ${#need[@]} -gt 0 ] || return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: missing ${need[*]}; run scripts/setup.sh as root to install them" >&2
    exit 1
  fi
  echo "setup: installing ${need[*]}${reason:+, $reason}"
  export DEBIAN_FRONTEND=noninteractive
  if [ $updated = no ]; then
    run apt-get update -q
    updated=yes
  fi
  run apt-get install -y -q --no-install-recommends "${need[@]}"
}

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: the i386 architecture is missing (for wine32); run scripts/setup.sh as root" \
         "to add it" >&2
    exit 1
  fi
  echo "setup: adding the i386 architecture, for wine32"
  run dpkg --add-architecture i386
fi
install_step "" cmake g++ make googletest libbenchmark-dev libpng-dev g++-mingw-w64-i686-posix \
  g++-mingw-w64-x86-64-posix wine wine64 wine32:i386 xvfb xauth fonts-ipafont-gothic
if zo_portable_i386; then
  install_step "for the portable suite as 32-bit code under qemu-i386" qemu-user g++-i686-linux-gnu
fi

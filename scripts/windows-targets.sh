# Sourced by the scripts: decides once which Windows builds can run their programs here, and
# says in one line which way it went and why.
#
#   zo_windows_targets [WHAT [I686]]
#                        sets ZO_RUN_TARGETS to the builds whose programs run under Wine:
#                        "win32 win64" where 32-bit programs execute, "win64" where they
#                        cannot. ZO_WINDOWS_TARGET=win32 or win64 picks one build alone. WHAT
#                        names what runs in the line it prints ("the Windows suite runs" by
#                        default), I686 what becomes of the i686 build where it cannot run
#                        ("is built and statically checked" by default).
#
# The i686 build (win32) is the product and is built on every machine; where it cannot run,
# only its checks that execute nothing of it run. The x86-64 build (win64) is a test build of
# the same code under wine64.

# 0 when this machine executes 32-bit programs, 1 when it cannot (the kernel refuses the
# format); anything else is a broken set-up, not a kind of machine, and stops the script.
zo_runs_32bit() {
  local status=0
  /lib/ld-linux.so.2 --help >/dev/null 2>&1 || status=$?
  case $status in
    0) return 0 ;;
    126) return 1 ;;  # "Exec format error"
    *) echo "windows-targets: /lib/ld-linux.so.2 --help gave status $status;" \
         "the 32-bit C library is missing (scripts/setup.sh installs it with wine32)" >&2
       exit 1 ;;
  esac
}

zo_windows_targets() {
  local what=${1:-the Windows suite runs} i686=${2:-is built and statically checked}
  local runs32=yes
  zo_runs_32bit || runs32=no
  case "${ZO_WINDOWS_TARGET:-}" in
    "")
      if [ $runs32 = yes ]; then
        ZO_RUN_TARGETS="win32 win64"
        echo "windows: this machine runs 32-bit programs: $what on the i686 build under" \
             "wine and on the x86-64 build under wine64"
      else
        ZO_RUN_TARGETS="win64"
        echo "windows: this machine cannot execute 32-bit programs (/lib/ld-linux.so.2:" \
             "Exec format error): the i686 build $i686, $what on the x86-64 build under" \
             "wine64"
      fi ;;
    win32)
      if [ $runs32 = no ]; then
        echo "windows-targets: ZO_WINDOWS_TARGET=win32, but this machine cannot execute" \
             "32-bit programs" >&2
        exit 1
      fi
      ZO_RUN_TARGETS="win32"
      echo "windows: ZO_WINDOWS_TARGET=win32: $what on the i686 build alone" ;;
    win64)
      ZO_RUN_TARGETS="win64"
      echo "windows: ZO_WINDOWS_TARGET=win64: the i686 build $i686, $what on the x86-64" \
           "build under wine64" ;;
    *)
      echo "windows-targets: ZO_WINDOWS_TARGET must be win32 or win64, not" \
           "'$ZO_WINDOWS_TARGET'" >&2
      exit 1 ;;
  esac
}

# The toolchain file of a Windows build.
zo_toolchain() {
  case "$1" in
    win32) echo "$top/cmake/toolchain-i686-mingw32.cmake" ;;
    win64) echo "$top/cmake/toolchain-x86_64-mingw32.cmake" ;;
  esac
}

# 0 when build $1 is among ZO_RUN_TARGETS.
zo_runs() { case " $ZO_RUN_TARGETS " in *" $1 "*) return 0 ;; *) return 1 ;; esac; }

# Sourced by the scripts, after scripts/steps.sh: decides once which builds run their programs
# here, and says in one line which way it went and why.
#
#   zo_windows_targets [WHAT [I686 [I386]]]
#                        sets ZO_RUN_TARGETS to the Windows builds whose programs run under
#                        Wine: "win32 win64" where 32-bit programs execute, "win64" where they
#                        cannot. ZO_WINDOWS_TARGET=win32 or win64 picks one build alone. WHAT
#                        names what runs in the line it prints ("the Windows suite runs" by
#                        default), I686 what becomes of the i686 build where it cannot run
#                        ("is built and statically checked" by default); an empty one is the
#                        default. With I386 (what the 32-bit Linux build does, for the test
#                        command) it also sets ZO_I386_SUITE to yes or no, as zo_portable_i386
#                        decides, and says I386 in the line when yes. With ZO_FIRST_TARGET_ONLY=1
#                        it keeps and names only the first of the builds (the main job paints
#                        with one).
#   zo_portable_i386     0 when the portable suite is built as 32-bit x86 Linux code and run
#                        under qemu-i386 (scripts/setup.sh installs qemu-user and
#                        g++-i686-linux-gnu for it): by default wherever no program of the
#                        i686 build runs, that is where this machine cannot execute 32-bit
#                        programs or ZO_WINDOWS_TARGET=win64 leaves the i686 build to its
#                        static checks. ZO_PORTABLE_I386=1 makes that build on any machine (this
#                        tests it where 32-bit programs run), ZO_PORTABLE_I386=0 on none.
#
#   zo_build_cross TARGET [DIR]
#                        builds a cross build (win32, win64 or i386), Release, with its
#                        toolchain file, in DIR (build/TARGET by default).
#
# The i686 build (win32) is the product and is built on every machine; where it cannot run,
# only its checks that execute nothing of it run, and the 32-bit Linux build runs the same
# portable code as 32-bit x86 code under qemu's user-mode emulator instead. The x86-64 build
# (win64) is a test build of the same code under wine64.

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

zo_portable_i386() {
  case "${ZO_PORTABLE_I386:-}" in
    1) return 0 ;;
    0) return 1 ;;
    "") ;;
    *) echo "windows-targets: ZO_PORTABLE_I386 must be 1 or 0, not '$ZO_PORTABLE_I386'" >&2
       exit 1 ;;
  esac
  [ "${ZO_WINDOWS_TARGET:-}" != win64 ] || return 0
  ! zo_runs_32bit
}

zo_windows_targets() {
  local what=${1:-the Windows suite runs} i686=${2:-is built and statically checked}
  local i386=${3:-} also=
  local runs32=yes
  zo_runs_32bit || runs32=no
  if [ -n "$i386" ]; then
    ZO_I386_SUITE=no
    if zo_portable_i386; then
      ZO_I386_SUITE=yes
      also=", and $i386"
      [ -z "${ZO_PORTABLE_I386:-}" ] || also="$also (ZO_PORTABLE_I386=$ZO_PORTABLE_I386)"
    fi
  fi
  case "${ZO_WINDOWS_TARGET:-}" in
    "")
      if [ $runs32 = yes ] && [ "${ZO_FIRST_TARGET_ONLY:-}" = 1 ]; then
        ZO_RUN_TARGETS="win32"
        echo "windows: this machine runs 32-bit programs: $what on the i686 build under" \
             "wine$also"
      elif [ $runs32 = yes ]; then
        ZO_RUN_TARGETS="win32 win64"
        echo "windows: this machine runs 32-bit programs: $what on the i686 build under" \
             "wine and on the x86-64 build under wine64$also"
      else
        ZO_RUN_TARGETS="win64"
        echo "windows: this machine cannot execute 32-bit programs (/lib/ld-linux.so.2:" \
             "Exec format error): the i686 build $i686, $what on the x86-64 build under" \
             "wine64$also"
      fi ;;
    win32)
      if [ $runs32 = no ]; then
        echo "windows-targets: ZO_WINDOWS_TARGET=win32, but this machine cannot execute" \
             "32-bit programs" >&2
        exit 1
      fi
      ZO_RUN_TARGETS="win32"
      echo "windows: ZO_WINDOWS_TARGET=win32: $what on the i686 build alone$also" ;;
    win64)
      ZO_RUN_TARGETS="win64"
      echo "windows: ZO_WINDOWS_TARGET=win64: the i686 build $i686, $what on the x86-64" \
           "build under wine64$also" ;;
    *)
      echo "windows-targets: ZO_WINDOWS_TARGET must be win32 or win64, not" \
           "'$ZO_WINDOWS_TARGET'" >&2
      exit 1 ;;
  esac
}

# The toolchain file of a cross build: a Windows one, or i386, the 32-bit Linux build.
zo_toolchain() {
  case "$1" in
    win32) echo "$top/cmake/toolchain-i686-mingw32.cmake" ;;
    win64) echo "$top/cmake/toolchain-x86_64-mingw32.cmake" ;;
    i386) echo "$top/cmake/toolchain-i686-linux.cmake" ;;
  esac
}

# Builds cross build $1 (win32, win64 or i386), Release, in $2 (build/$1 by default), as
# zo_build does (scripts/steps.sh).
zo_build_cross() {
  local what
  case "$1" in
    win32) what="win32 (i686 Windows, the product, Release)" ;;
    win64) what="win64 (x86-64 Windows, the test build, Release)" ;;
    i386) what="i386 (32-bit x86 Linux, the portable suite for qemu-i386, Release)" ;;
  esac
  local dir=${2:-build/$1}
  [ "$dir" = "build/$1" ] || what="$what in $dir"
  zo_build "$what" "$dir" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$(zo_toolchain "$1")"
}

# 0 when build $1 is among ZO_RUN_TARGETS.
zo_runs() { case " $ZO_RUN_TARGETS " in *" $1 "*) return 0 ;; *) return 1 ;; esac; }

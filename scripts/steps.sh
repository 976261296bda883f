# Sourced by the scripts: runs their steps quietly. A step says in one line what it does; the
# output of the programs it runs goes to a log, which is shown only when the step fails (and,
# for a build, also when a compiler or CMake warned, so that no warning goes unseen).
#
#   zo_logged LOG COMMAND...   runs COMMAND with its output appended to LOG; COMMAND's status
#   zo_show_log LOG TEXT       prints "TEXT:" and then LOG, both to standard error
#   zo_build WHAT DIR [CMAKE OPTION...] [-- BUILD OPTION...]
#                              configures and builds the source tree in DIR: "build: WHAT ..."
#                              and the seconds it took; the log stays as DIR/build.log. A failed
#                              build prints its log and returns 1.

zo_logged() {
  local log=$1
  shift
  "$@" >>"$log" 2>&1
}

zo_show_log() {
  {
    echo "$2:"
    cat "$1"
  } >&2
}

zo_build() {
  local what=$1 dir=$2
  shift 2
  local configure=() build=()
  while [ $# -gt 0 ] && [ "$1" != -- ]; do
    configure+=("$1")
    shift
  done
  [ $# -eq 0 ] || { shift; build=("$@"); }
  local log="$dir/build.log" started=$SECONDS
  mkdir -p "$dir"
  : >"$log"
  printf 'build: %s ... ' "$what"
  if ! zo_logged "$log" cmake -S . -B "$dir" "${configure[@]}" ||
     ! zo_logged "$log" cmake --build "$dir" -j "${jobs:-$(nproc)}" "${build[@]}"; then
    echo "failed"
    zo_show_log "$log" "build: $what failed; its output (kept in $log)"
    return 1
  fi
  echo "$((SECONDS - started)) s"
  if grep -qi 'warning' "$log"; then
    zo_show_log "$log" "build: $what: warnings; the output (kept in $log)"
  fi
  return 0
}

#!/usr/bin/env bash
# The main job: installs what is missing, builds the Windows configuration, and paints
# the sample pictures through every built plug-in DLL with the stand-in host ZoHost under Wine,
# through the real filter dialog, which the host drives itself (it presses タブロ－ by posted
# messages, as a person would), writing out/<plug-in>-<sample>.bmp and .png and a screenshot
# of the open dialog as out/<plug-in>-<sample>-dialog.png. The i686 product paints where this
# machine runs 32-bit programs; elsewhere it is still built, and the x86-64 build of the same
# code paints (see scripts/windows-targets.sh). ZO_BUILD_DIR and ZO_OUT_DIR (relative to the repository) choose
# other folders.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
jobs=$(nproc)
out=${ZO_OUT_DIR:-out}

bash scripts/setup.sh
. scripts/steps.sh
. scripts/windows-targets.sh
ZO_FIRST_TARGET_ONLY=1 zo_windows_targets "the plug-ins paint" "is built"
target=$ZO_RUN_TARGETS
build=${ZO_BUILD_DIR:-build/$target}

[ "$target" = win32 ] || zo_build_cross win32
zo_build_cross "$target" "$build"
zo_build "the PNG converter (native, Release)" build/tools -DCMAKE_BUILD_TYPE=Release \
  -- --target bmp_to_png
echo "main-job: painting with the $target build in $build"

export ZO_WINEPREFIX="$top/$build/wineprefix"
started=
if [ -z "${DISPLAY:-}" ]; then
  DISPLAY=$(scripts/start-display.sh)
  export DISPLAY
  started=$(cat "/tmp/.zo-xvfb${DISPLAY#:}.pid")
fi
# Each plug-in runs from a scratch folder of its own, so that no settings file left by an
# earlier run changes the painting.
scratch=$(mktemp -d)
cleanup() {
  rm -rf "$scratch"
  if [ -n "$started" ]; then
    WINEPREFIX="$ZO_WINEPREFIX" wineserver -w 2>/dev/null || true
    kill "$started" 2>/dev/null || true
  fi
}
trap cleanup EXIT

mkdir -p "$out"
out_abs=$(cd "$out" && pwd)
shopt -s nullglob
dlls=("$build"/plugins/*.dll)
if [ ${#dlls[@]} -eq 0 ]; then
  echo "main-job: no plug-in DLL was built" >&2
  exit 1
fi

samples=(coffee chelsea)
status=0
painted=()
for dll in "${dlls[@]}"; do
  name=$(basename "$dll" .dll)
  case "$name" in
    ZoTest_*)
      # A style that exists paints through its product plug-in instead.
      [ -f "$build/plugins/Zo_${name#ZoTest_}.dll" ] && continue
      kind="test plug-in: the shared frame with the small test engine, not a product style" ;;
    *) kind="product plug-in" ;;
  esac
  painted+=("$name")
  echo "== $name ($kind)"
  for sample in "${samples[@]}"; do
    # A fresh folder for every painting, so that no settings file left by an earlier one
    # changes it.
    folder="$scratch/$name-$sample"
    mkdir -p "$folder"
    cp "$dll" "$folder/"
    result="$out_abs/$name-$sample.bmp"
    dialog="${result%.bmp}-dialog.bmp"
    if scripts/wine-run.sh --arch="$target" "$build/host/ZoHost.exe" "Z:$folder/$name.dll" \
        "Z:$top/samples/$sample.bmp" "Z:$result" --checksum --auto --screenshot "Z:$dialog" \
        | iconv -f CP932 -t UTF-8 -c \
        && build/tools/tools/png/bmp_to_png "$result" "${result%.bmp}.png" \
          "$dialog" "${dialog%.bmp}.png"; then
      echo "   -> $out/$name-$sample.bmp, $out/$name-$sample.png, $out/$name-$sample-dialog.png"
    else
      echo "   !! $name did not paint $sample" >&2
      status=1
    fi
  done
done

echo
echo "Wrote:"
for name in "${painted[@]}"; do
  for sample in "${samples[@]}"; do
    for file in "$out/$name-$sample.bmp" "$out/$name-$sample.png" "$out/$name-$sample-dialog.png"; do
      [ -f "$file" ] && echo "  $file ($(stat -c %s "$file") bytes)"
    done
  done
done
case " ${painted[*]}" in
  *" ZoTest_"*) echo "The styles not built yet are painted by their test plug-ins (ZoTest_*.dll)." ;;
esac
exit $status

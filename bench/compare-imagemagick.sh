#!/usr/bin/env bash
# Paints one six-megapixel photograph with the engine's whole paintings and, in the same run,
# with ImageMagick's single-threaded oil-paint filter (`convert -limit thread 1 IN -paint 4
# OUT`), and prints each painting's time beside ImageMagick's and their ratio. ImageMagick is
# installed here for the comparison only; the product never needs it.
#
#   bash bench/compare-imagemagick.sh [benchmark filter]   (default: every whole painting)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
filter=${1:-'^PaintStyle'}

bash scripts/setup.sh
if ! dpkg-query -W -f='${Status}' imagemagick 2>/dev/null | grep -q 'install ok installed'; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "compare-imagemagick: imagemagick is missing; install it as root" >&2
    exit 1
  fi
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends imagemagick
fi
convert=/usr/bin/convert  # ImageMagick's own, whatever else is on the PATH

cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench -j "$(nproc)" --target zo_bench >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
picture="$work/picture.bmp"
"$convert" samples/coffee.bmp -filter Triangle -resize '3000x2000!' -type truecolor "BMP3:$picture"

# ImageMagick: the best of three runs.
best=
for _ in 1 2 3; do
  start=$(date +%s%N)
  "$convert" -limit thread 1 "$picture" -paint 4 "$work/painted.bmp"
  ms=$(( ($(date +%s%N) - start) / 1000000 ))
  if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
done
echo "ImageMagick -paint 4, one thread, 3000 x 2000: $best ms"

# The console lines (name, time, unit, ...): the styles report different numbers of phase
# counters, which the CSV format refuses to mix.
ZO_BENCH_PICTURE="$picture" build/bench/bench/zo_bench --benchmark_filter="$filter" 2>/dev/null |
  awk -v magick="$best" '/^PaintStyle\// && $3 == "ms" {
      printf "%-50s %8.0f ms  %5.2f x the ImageMagick time%s\n", $1, $2, $2 / magick,
             ($2 <= magick / 2 ? "" : "  (goal: at most 0.5)")
    }'

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

# One line per painting: its time beside ImageMagick's, the time per megapixel and the peak
# heap per pixel (picture included, goal at most 20); then each phase's time and peak.
ZO_BENCH_PICTURE="$picture" build/bench/bench/zo_bench --benchmark_filter="$filter" \
    --benchmark_format=csv 2>/dev/null |
  awk -F, -v magick="$best" '
    NR == 1 { for (i = 1; i <= NF; ++i) column[$i] = i; next }
    {
      gsub(/"/, "", $1)
      ms = $column["real_time"]
      peak = $column["peak_bytes_per_pixel"]
      printf "%-44s %7.0f ms  %5.2f x ImageMagick%s  %6.1f ms/MP  %5.1f B/px%s\n", $1, ms,
             ms / magick, (ms <= magick / 2 ? "" : " (goal <= 0.5)"), $column["ms_per_MP"], peak,
             (peak <= 20 ? "" : " (goal <= 20)")
      phases = ""
      for (k = 0; ("phase" sprintf("%02d", k) "_ms_per_MP") in column; ++k) {
        name = "phase" sprintf("%02d", k)
        if ($column[name "_ms_per_MP"] == "") break
        phases = phases sprintf("  %d: %.1f ms/MP %.1f B/px", k, $column[name "_ms_per_MP"],
                                $column[name "_peak_bytes_per_pixel"])
      }
      if (phases != "") print "    phases" phases
    }'

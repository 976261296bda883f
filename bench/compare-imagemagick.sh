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
# heap per pixel (picture included, goal at most 20); then each phase's time and peak. Read
# from the console lines (name, time, unit, then the counters as name=value): the styles report
# different numbers of phase counters, which the CSV format refuses to mix.
ZO_BENCH_PICTURE="$picture" build/bench/bench/zo_bench --benchmark_filter="$filter" 2>/dev/null |
  awk -v magick="$best" '
    function number(text,   unit) {  # the console writes 1234.5 as 1.2345k, 0.0123 as 12.3m
      unit = substr(text, length(text))
      if (unit == "k") return substr(text, 1, length(text) - 1) * 1e3
      if (unit == "M") return substr(text, 1, length(text) - 1) * 1e6
      if (unit == "m") return substr(text, 1, length(text) - 1) * 1e-3
      if (unit == "u") return substr(text, 1, length(text) - 1) * 1e-6
      return text + 0
    }
    /^PaintStyle\// && $3 == "ms" {
      split("", value)
      for (i = 4; i <= NF; ++i)
        if (split($i, pair, "=") == 2) value[pair[1]] = number(pair[2])
      ms = $2
      peak = value["peak_bytes_per_pixel"]
      printf "%-44s %7.0f ms  %5.2f x ImageMagick%s  %6.1f ms/MP  %5.1f B/px%s\n", $1, ms,
             ms / magick, (ms <= magick / 2 ? "" : " (goal <= 0.5)"), value["ms_per_MP"], peak,
             (peak <= 20 ? "" : " (goal <= 20)")
      phases = ""
      for (k = 0; (sprintf("phase%02d_ms_per_MP", k) in value); ++k)
        phases = phases sprintf("  %d: %.1f ms/MP %.1f B/px", k,
                                value[sprintf("phase%02d_ms_per_MP", k)],
                                value[sprintf("phase%02d_peak_bytes_per_pixel", k)])
      if (phases != "") print "    phases" phases
    }'

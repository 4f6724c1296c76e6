#!/usr/bin/env bash
# The whole contour cut of the bundled sample drawing: the tool window traces
# a contour 2 mm outside the artwork, adds the registration marks and exports
# the contour cut; the output program then prepares the cutter stream with
# corner treatment (into a file, not to a port).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh $(cat scripts/native-packages.txt)
cmake --preset native >/dev/null
cmake --build --preset native --target corvane corvane-out

bin=build/native/output/cli
demo=build/demo
rm -rf "$demo"
mkdir -p "$demo"
"$bin/corvane" samples/sticker.plt --dir "$demo" --no-handoff \
  --picture "$demo/sticker-document.svg" trace 2 mark cut-contour
"$bin/corvane-out" convert "$demo/QuillonPro1.tmp" -o "$demo/sticker.hpgl" \
  --machine TVM-1200 --angle 1.00 --closed 1.00 --preview "$demo/sticker-cut.svg"
echo
echo "Job file (contour and mark frame): $(pwd)/$demo/QuillonPro1.tmp"
echo "Cutter stream (HPGL):              $(pwd)/$demo/sticker.hpgl"
echo "Picture of the document:           $(pwd)/$demo/sticker-document.svg"
echo "Picture of the cut:                $(pwd)/$demo/sticker-cut.svg"

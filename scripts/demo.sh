#!/usr/bin/env bash
# Converts the bundled sample job into a cutter stream with corner treatment
# and a picture of the cut.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh $(cat scripts/native-packages.txt)
cmake --preset native >/dev/null
cmake --build --preset native --target corvane-out

mkdir -p build/demo
build/native/output/cli/corvane-out convert samples/sign.plt -o build/demo/sign.hpgl \
  --machine TVM-1200 --angle 1.00 --closed 1.00 --preview build/demo/sign.svg
echo
echo "Cutter stream (HPGL): $(pwd)/build/demo/sign.hpgl"
echo "Preview of the cut:   $(pwd)/build/demo/sign.svg"

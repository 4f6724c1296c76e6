#!/usr/bin/env bash
# Every test: formatting, the native suites, then the same suites with
# ASan + UBSan together with the fuzz smoke run and the smallest benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh $(cat scripts/native-packages.txt)

echo "== clang-format"
git ls-files -z -- '*.cpp' '*.h' | xargs -0 -r clang-format --dry-run --Werror

echo "== native"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native -j2

echo "== sanitize (ASan + UBSan, fuzz smoke run, smallest benchmark)"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
ctest --preset sanitize -j2

echo "== windows (MinGW-w64 cross build; the transport under Wine)"
bash scripts/install-packages.sh $(cat scripts/windows-packages.txt)
cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows

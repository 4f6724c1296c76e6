#!/usr/bin/env bash
# Every test: formatting, the native suites, then the same suites with
# ASan + UBSan together with the fuzz smoke run and the smallest benchmark,
# then the Windows build with its suites and GUI tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh $(cat scripts/native-packages.txt scripts/windows-packages.txt)

echo "== clang-format"
git ls-files -z -- '*.cpp' '*.h' | xargs -0 -r clang-format --dry-run --Werror

echo "== folder includes (none runs back up, the programs meet only in common/)"
bash scripts/folder-includes.sh >/dev/null

echo "== native"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native -j2

echo "== sanitize (ASan + UBSan, fuzz smoke run, smallest benchmark)"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
ctest --preset sanitize -j2

echo "== windows (MinGW-w64 cross build; suites and GUI tests under Wine + Xvfb)"
windows_start=$(date +%s)
cmake --preset windows >/dev/null
cmake --build --preset windows
# CTest sets the Wine bench up and tears it down itself; this only covers a
# run that is killed half-way.
trap 'bash scripts/wine-bench.sh cleanup build/windows/wine >/dev/null 2>&1 || true' EXIT
wine_start=$(date +%s)
ctest --preset windows -j2
echo "Windows stage: $(($(date +%s) - windows_start)) s, of which Wine $(($(date +%s) - wine_start)) s"

#!/usr/bin/env bash
# Builds the three presets and runs every test: unit and end-to-end tests natively and
# under Wine, a sanitizer build of the native tests, and the check of the Windows product.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

for tool in x86_64-w64-mingw32-g++-posix i686-w64-mingw32-g++-posix i686-w64-mingw32-windres; do
  command -v "$tool" >/dev/null || { echo "missing $tool: run 'bash .ci/run' or see README" >&2; exit 1; }
done
source tools/wine-env.sh
# Every CTest run's summary, added up for the closing line.
ctest_log=$(mktemp)
trap 'rm -f "$ctest_log"; zintu_wine_down' EXIT
zintu_wine_up

step() { printf '\n==== %s\n' "$*"; }
run_ctest() { ctest "$@" 2>&1 | tee -a "$ctest_log"; }

step "win32: the product"
cmake --preset win32 >/dev/null
cmake --build build/win32 -j"$jobs"
python3 tools/check_product.py build/win32/ZintuPortable.exe

step "win64: the same sources for the tests under Wine"
cmake --preset win64 >/dev/null
cmake --build build/win64 -j"$jobs"

step "native, with the end-to-end tests also run against the win64 launcher"
cmake --preset native -DZINTU_WIN64_BUILD_DIR="$PWD/build/win64" -DZINTU_WINE="$ZINTU_WINE" >/dev/null
cmake --build build/native -j"$jobs"

step "native tests"
run_ctest --test-dir build/native --output-on-failure -j"$jobs"

step "win64 tests under Wine"
run_ctest --test-dir build/win64 --output-on-failure

step "native tests with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DZINTU_SANITIZE=ON >/dev/null
cmake --build build/sanitize -j"$jobs"
run_ctest --test-dir build/sanitize --output-on-failure -j"$jobs"

step "fuzzing path handling for 30 s (clang, libFuzzer)"
cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DZINTU_FUZZ=ON -DZINTU_BUILD_TESTS=OFF -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined" >/dev/null
cmake --build build/fuzz -j"$jobs" --target path_fuzz
corpus=$(mktemp -d)
cp fuzz/corpus/* "$corpus/"
(cd build/fuzz && ./fuzz/path_fuzz -max_total_time=30 -print_final_stats=1 "$corpus" 2>&1 | tail -3)
rm -rf "$corpus"

total=$(grep -o 'tests failed out of [0-9]*' "$ctest_log" | awk '{n += $5} END {print n}')
step "all tests passed"
echo "ctest: $total passed, 0 failed"

#!/usr/bin/env bash
# How long the launcher takes to apply an update of a few thousand files, natively and
# under Wine, as a ratio against copying and removing the same tree with cp -a and rm -rf
# in the same run. Not a test: it asserts nothing.
#   bash bench/update-bench.sh [files]   (after tools/test-all.sh has built the launchers)
set -euo pipefail
cd "$(dirname "$0")/.."
files=${1:-3000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

make_update() {  # $1: package root; the update has $files files in 30 folders
  mkdir -p "$1/ZintuData/update"
  for ((d = 0; d < 30; d++)); do
    mkdir -p "$1/ZintuData/update/folder$d"
    for ((f = 0; f < files / 30; f++)); do
      head -c 2048 /dev/zero > "$1/ZintuData/update/folder$d/file$f.dat"
    done
  done
}

seconds() { local start end; start=$(date +%s.%N); "$@" >/dev/null 2>&1 || true; end=$(date +%s.%N); echo "$end - $start" | bc; }

reference() {
  make_update "$work/ref"
  mkdir -p "$work/ref/target"
  seconds bash -c "cp -a '$work/ref/ZintuData/update/.' '$work/ref/target/' && rm -rf '$work/ref/ZintuData/update'"
}

launch() {  # $1: name, then the command that starts the launcher
  local name=$1; shift
  rm -rf "$work/$name"; make_update "$work/$name"
  cp "${@: -1}" "$work/$name/"
  local launcher="$work/$name/$(basename "${@: -1}")"
  set -- "${@:1:$#-1}" "$launcher"
  seconds "$@"
  [ ! -e "$work/$name/ZintuData/update" ] || echo "warning: $name left the update behind" >&2
}

ref=$(reference)
native=$(launch native build/native/ZintuPortable)
printf 'update of %d files: cp -a + rm -rf %.3f s; native launcher %.3f s (ratio %.1f)\n' \
  "$files" "$ref" "$native" "$(echo "$native / $ref" | bc -l)"
if [ -x build/win64/ZintuPortable.exe ]; then
  source tools/wine-env.sh
  zintu_wine_up
  wine=$(launch wine "$ZINTU_WINE" build/win64/ZintuPortable.exe)
  printf 'under Wine (win64 launcher): %.3f s (ratio %.1f)\n' "$wine" "$(echo "$wine / $ref" | bc -l)"
  zintu_wine_down
fi

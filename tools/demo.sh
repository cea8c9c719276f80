#!/usr/bin/env bash
# Builds the native launcher, lays out a demo package with a staged update and a
# stand-in browser, starts the launcher on it twice, and prints what happened.
set -euo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C.UTF-8

cmake --preset native >/dev/null
cmake --build build/native -j"$(nproc)" --target ZintuPortable fake_browser >/dev/null

demo=$PWD/demo
rm -rf "$demo"
mkdir -p "$demo/ZintuData/profile" "$demo/ZintuData/update/plugins/empty"
cp build/native/ZintuPortable "$demo/"
echo "version 1" > "$demo/ZintuData/readme.txt"
echo "the user's bookmarks" > "$demo/ZintuData/profile/bookmarks.html"
# The staged update brings version 2 and the browser itself.
echo "version 2" > "$demo/ZintuData/update/readme.txt"
echo "a new plugin" > "$demo/ZintuData/update/plugins/plugin.dll"
cp build/native/tests/support/fake_browser "$demo/ZintuData/update/Zintu.exe"

# The stand-in browser notes each start here: its arguments and current directory.
export ZINTU_FAKE_BROWSER_RECORD=$demo/browser-starts.txt
tree() { (cd "$1" && find . -mindepth 1 | sort | sed 's|^\./|  |'); }
wait_for_browser() {  # the launcher does not wait for the browser; the demo does, briefly
  for _ in $(seq 100); do [ -s "$ZINTU_FAKE_BROWSER_RECORD" ] && return; sleep 0.05; done
}

echo "== The package before the first start:"
tree "$demo"
echo
echo "== Starting ZintuPortable (with arguments, which it does not pass on) ..."
"$demo/ZintuPortable" --some arguments
echo "   exit status $?"
wait_for_browser
echo
echo "== Afterwards: the update is applied and its folder is gone:"
tree "$demo"
echo "   ZintuData/readme.txt now says: $(cat "$demo/ZintuData/readme.txt")"
echo "   the stand-in browser was started: $(cat "$ZINTU_FAKE_BROWSER_RECORD")"
echo
echo "== Without ZintuData/Zintu.exe the launcher shows its message instead"
echo "   (off Windows the message box is written to standard error):"
rm "$demo/ZintuData/Zintu.exe"
"$demo/ZintuPortable" 2>&1
echo "   exit status $?"

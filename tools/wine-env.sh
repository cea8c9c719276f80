# Sourced by the scripts that run Windows programs under Wine: finds wine64, keeps one
# prefix for the build tree and one wineserver alive for the whole run.
ZINTU_WINE=${ZINTU_WINE:-$(command -v wine64 || true)}
for candidate in /usr/lib/wine/wine64 /usr/lib64/wine/wine64; do
  [ -n "$ZINTU_WINE" ] && break
  [ -x "$candidate" ] && ZINTU_WINE=$candidate
done
ZINTU_WINESERVER=$(dirname "${ZINTU_WINE:-/usr/lib/wine/wine64}")/wineserver
export ZINTU_WINE ZINTU_WINESERVER
export WINEPREFIX=${WINEPREFIX:-$PWD/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

zintu_wine_up() {
  [ -x "$ZINTU_WINE" ] || { echo "wine64 not found (Debian package wine64)" >&2; return 1; }
  mkdir -p "$WINEPREFIX"
  "$ZINTU_WINESERVER" -p 2>/dev/null || true  # one may be running already
  # The first start makes the prefix and starts Wine's own services; later starts
  # then find them running and hand no pipe of theirs to them.
  "$ZINTU_WINE" wineboot -i >/dev/null 2>&1
  # Trace only the two calls the end-to-end tests read back.
  "$ZINTU_WINE" reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /t REG_SZ \
    /d 'user32.MessageBoxA;shell32.ShellExecuteA' /f >/dev/null 2>&1
}

zintu_wine_down() {
  "$ZINTU_WINESERVER" -k 2>/dev/null || true
}

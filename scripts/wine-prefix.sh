# Sourced by the scripts that run Windows programs under Wine. Sets the
# environment every Wine run of this project uses; `prepare_wine_prefix`
# makes the prefix named by WINEPREFIX once (about 15 seconds).
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

prepare_wine_prefix() {
  [ -f "$WINEPREFIX/system.reg" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  wineboot -i </dev/null >/dev/null 2>&1
  wineserver -w
  # Without a window manager, Wine waits seconds on every window it hides
  # unless its windows are unmanaged.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
  wineserver -w
  # Wine's own fonts, so that title bar buttons and "MS Sans Serif" look
  # as meant.
  cp -n /usr/share/wine/fonts/marlett.ttf /usr/share/wine/fonts/ms_sans_serif.ttf \
    "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
}

# Sourced by the run scripts: the environment every Wine process of ours gets, and the prefix
# set-up. The prefix lives in the build tree so that nothing leaks into the user's own Wine.
ZAVO_ROOT=${ZAVO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
ZAVO_BUILD=${ZAVO_BUILD:-$ZAVO_ROOT/build}
export WINEPREFIX=${WINEPREFIX:-$ZAVO_BUILD/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko prompts; file-type registrations made by tests never reach the host desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

# Creates the prefix once and applies our settings to it; boots Wine and keeps one wineserver
# running, so that each test does not pay for a boot.
zavo_wine_prefix() {
  local stamp=$WINEPREFIX/.zavo-configured
  if [ ! -f "$stamp" ]; then
    echo "wine: creating the prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    local reg; reg=$(mktemp --suffix=.reg)
    # Managed=N: without a window manager, every shown-then-hidden window otherwise waits 2 s.
    # ShowCrashDialog=0: a crashing test must fail, not hang on a dialog.
    # FontSubstitutes: the dialogs ask for the MS Gothic fonts; IPA Gothic has the same metrics.
    cat > "$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
"Decorated"="Y"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"ＭＳ ゴシック"="IPAGothic"
"ＭＳ Ｐゴシック"="IPAPGothic"
"MS Gothic"="IPAGothic"
"MS PGothic"="IPAPGothic"
"MS UI Gothic"="IPAPGothic"
"MS Shell Dlg"="IPAPGothic"
"MS Shell Dlg 2"="IPAPGothic"
REG
    # regedit reads .reg files in the ANSI code page unless they carry a BOM: write UTF-16.
    iconv -f UTF-8 -t UTF-16 "$reg" > "$reg.u16"
    wine regedit /S "$(winepath -w "$reg.u16")" >/dev/null 2>&1
    wineserver -w
    rm -f "$reg" "$reg.u16"
    touch "$stamp"
  fi
  # Debian's Wine looks for its own fonts under a path that does not exist, so the title bar's
  # buttons (drawn with Marlett) show letters: give the prefix a copy of the font.
  local marlett=/usr/share/wine/fonts/marlett.ttf fonts=$WINEPREFIX/drive_c/windows/Fonts
  if [ -f "$marlett" ] && [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ]; then
    cp "$marlett" "$fonts/"
  fi
}

zavo_wine_boot() {
  zavo_wine_prefix
  wineboot -i >/dev/null 2>&1 || true
  wine cmd /c exit >/dev/null 2>&1 || true
  # One persistent server for the whole run.
  wineserver -p >/dev/null 2>&1 || true
  # Start the desktop process ourselves, detached from our output: otherwise the first test
  # that opens a window starts it with that test's stdout, and CTest waits ~10 s per test for
  # the pipe to close.
  (wine explorer.exe /desktop >/dev/null 2>&1 &)
  sleep 1
}

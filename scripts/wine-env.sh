# Sourced by the scripts that run Windows programs: the project's own Wine prefix under build/,
# quiet and without Mono/Gecko prompts.
VONDREL_ROOT=${VONDREL_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${VONDREL_WINEPREFIX:-$VONDREL_ROOT/build/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

# Creates the prefix once (and gives it Japanese font replacements for the dialog fonts).
vondrel_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  if [ ! -f "$WINEPREFIX/.vondrel-fonts" ] && [ -f "$VONDREL_ROOT/scripts/wine-fonts.reg" ]; then
    wine regedit /S "$(winepath -w "$VONDREL_ROOT/scripts/wine-fonts.reg" 2>/dev/null)" >/dev/null 2>&1 || true
    wineserver -w || true
    touch "$WINEPREFIX/.vondrel-fonts"
  fi
}

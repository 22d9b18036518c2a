# Sourced by the scripts that run Windows programs: the project's own Wine prefix under build/,
# quiet and without Mono/Gecko prompts.
VONDREL_ROOT=${VONDREL_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${VONDREL_WINEPREFIX:-$VONDREL_ROOT/build/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

# Creates the prefix once (and gives it Japanese font replacements and the test desktop).
vondrel_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  # The settings are applied again whenever the settings file changes.
  local settings="$VONDREL_ROOT/scripts/wine-settings.reg.txt"
  local marker="$WINEPREFIX/.vondrel-settings-$(md5sum < "$settings" | cut -c1-12)"
  if [ ! -f "$marker" ]; then
    # regedit wants UTF-16 with a byte-order mark for the Japanese font names.
    local reg="$WINEPREFIX/vondrel-settings.reg"
    { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$settings"; } > "$reg"
    wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1 || true
    wineserver -w || true
    touch "$marker"
  fi
}

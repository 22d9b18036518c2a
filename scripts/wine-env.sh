# Sourced by the scripts that run Windows programs: the project's own Wine prefix under build/,
# quiet and without Mono/Gecko prompts.
VONDREL_ROOT=${VONDREL_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${VONDREL_WINEPREFIX:-$VONDREL_ROOT/build/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

# A new prefix, with Japanese font replacements and the test desktop, is a copy of one made once
# (build/wineprefix-new, never run in): Wine's first start of a prefix takes a quarter of a minute
# and more, a copy seconds. The copy's user folders (Documents, Desktop...) are linked to this
# HOME, as Wine links them when it makes a prefix.
vondrel_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    local new=$VONDREL_ROOT/build/wineprefix-new
    mkdir -p "$VONDREL_ROOT/build" "$(dirname "$WINEPREFIX")"
    (
      flock 8
      if [ ! -f "$new/.made" ]; then
        rm -rf "$new" && mkdir -p "$new"
        WINEPREFIX=$new HOME=$new/home vondrel_wine_prefix_make "$new"
        touch "$new/.made"
      fi
    ) 8>"$new.lock"
    rm -rf "$WINEPREFIX" "$WINEPREFIX.tmp"
    cp -a "$new" "$WINEPREFIX.tmp" && rm -f "$WINEPREFIX.tmp/.made"
    rm -rf "$WINEPREFIX.tmp/home"
    local link target
    find "$WINEPREFIX.tmp/drive_c/users" -maxdepth 2 -type l | while read -r link; do
      target=$(readlink "$link")
      [ "${target#"$new/home"}" = "$target" ] || ln -sfn "$HOME${target#"$new/home"}" "$link"
    done
    mv "$WINEPREFIX.tmp" "$WINEPREFIX"
  fi
  vondrel_wine_settings
}

vondrel_wine_prefix_make() {  # wineboot in an empty prefix, then the settings
  mkdir -p "$HOME"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
  vondrel_wine_settings
}

# The settings are applied again whenever the settings file changes.
vondrel_wine_settings() {
  local settings="$VONDREL_ROOT/scripts/wine-settings.reg.txt"
  local marker="$WINEPREFIX/.vondrel-settings-$(md5sum < "$settings" | cut -c1-12)"
  if [ ! -f "$marker" ]; then
    # regedit wants UTF-16 with a byte-order mark for the Japanese font names.
    local reg="$WINEPREFIX/vondrel-settings.reg"
    { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$settings"; } > "$reg"
    wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1 || true
    wineserver -w || true
    rm -f "$WINEPREFIX"/.vondrel-settings-* && touch "$marker"
  fi
}

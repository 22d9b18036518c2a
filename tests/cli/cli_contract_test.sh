#!/usr/bin/env bash
# vondrel-cli from outside: encodings, exit codes and the split between stdout and stderr.
set -u
cli=${VONDREL_CLI:?}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then
    echo "FAIL $1"; echo "  expected: $(printf '%s' "$2" | od -c | head -5)"; echo "  actual:   $(printf '%s' "$3" | od -c | head -5)"
    failures=$((failures + 1))
  fi
}

# A file with a Japanese name (UTF-8 on disk) and a Japanese point name.
printf '<gpoi><nb>\x93\x8c\x8b\x9e</nb><lat>35.5</lat><lon>139.5</lon></gpoi>' > "$dir/地点.xml"
out=$("$cli" list "$dir/地点.xml" | tail -n 1); rc=$?
check "list utf-8 exit" 0 "$rc"
check "list utf-8 row" "$(printf '0\t東京\t\t139.5\t35.5\t139.30.00.000\t 35.30.00.000\t00\t0\t\t0\t\t500')" "$out"

# cp932: raw bytes in (the path is given as the same bytes the file system holds) and out.
printf '<gpoi><nb>\x95\x5c</nb></gpoi>' > "$dir/raw.xml"
out=$("$cli" list --encoding=cp932 "$dir/raw.xml" | tail -n 1 | cut -f2 | od -An -tx1 | tr -d ' \n')
check "list cp932 name" "955c0a" "$out"

# Refused: message on stderr ending in one LF, nothing on stdout, exit 1.
: > "$dir/plan.txt"
stdout=$("$cli" list "$dir/plan.txt" 2>"$dir/err"); rc=$?
check "refused exit" 1 "$rc"
check "refused stdout" "" "$stdout"
check "refused stderr" "$(printf '%s\n    は認識できないファイルです\nX' "$dir/plan.txt")" "$(cat "$dir/err"; printf X)"

# copy, then list the copy: the same points.
"$cli" copy "$dir/地点.xml" "$dir/copy.xml"; rc=$?
check "copy exit" 0 "$rc"
check "copy content" "$("$cli" list "$dir/地点.xml")" "$("$cli" list "$dir/copy.xml")"
check "copy LF-only lines" 2 "$(grep -c -e '</name>$' -e '</poi>$' "$dir/copy.xml")"
check "copy CRLF lines" 1 "$(grep -c $'</format>\r$' "$dir/copy.xml")"

# Paths are argv's bytes: a name is never re-encoded into another (〜 is not ～, ‾ is not ~).
printf 'old' > "$dir/victim～.xml"
printf 'old' > "$dir/a~.xml"
"$cli" copy "$dir/地点.xml" "$dir/victim〜.xml" && "$cli" copy "$dir/地点.xml" "$dir/a‾.xml"
check "wave dash name written" 0 "$?"
check "fullwidth tilde untouched" "old" "$(cat "$dir/victim～.xml")"
check "tilde untouched" "old" "$(cat "$dir/a~.xml")"
"$cli" copy "$dir/victim〜.xml" "$dir/지도 🗺.xml" && "$cli" list "$dir/지도 🗺.xml" >/dev/null
check "Korean and emoji names" 0 "$?"
check "the temporary files are gone" "" "$(ls -A "$dir" | grep -F '.vondrel-')"

# Only regular files: a FIFO is refused at once (never waited on), nothing is written for bytes
# that are no point file, and a file past 700 points is read with a warning.
mkfifo "$dir/fifo.xml"
timeout 10 "$cli" list "$dir/fifo.xml" >/dev/null 2>&1; rc=$?
check "FIFO refused without blocking" 1 "$rc"
timeout 10 "$cli" copy "$dir/地点.xml" "$dir/fifo.xml" >/dev/null 2>&1; rc=$?
check "FIFO never replaced" "1 fifo" "$rc $(stat -c %F "$dir/fifo.xml" | cut -d' ' -f1)"
head -c 4096 /dev/urandom | tr -d '<' > "$dir/random.xml"
"$cli" copy "$dir/random.xml" "$dir/never.xml" 2>"$dir/err"; rc=$?
check "random bytes refused" "1 no" "$rc $([ -e "$dir/never.xml" ] && echo yes || echo no)"
for i in $(seq 0 700); do printf '<gpoi><nb>P%d</nb></gpoi>\n' "$i"; done > "$dir/many.xml"
"$cli" copy "$dir/many.xml" "$dir/700.xml" 2>"$dir/err"; rc=$?
check "past 700: exit" 0 "$rc"
check "past 700: warning" "先頭の700地点を読み込みました（残りは読み込んでいません）" "$(tail -n 1 "$dir/err")"

# A folder where no temporary file can be made (read-only for an unprivileged user): refused
# for the folder, the old file kept. As root, the user is switched with setpriv.
mkdir "$dir/locked" && printf 'old' > "$dir/locked/t.xml" && chmod 666 "$dir/locked/t.xml"
chmod 755 "$dir" && chmod 555 "$dir/locked"
as_user=()
if [ "$(id -u)" = 0 ]; then
  command -v setpriv >/dev/null && as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  chmod 644 "$dir/地点.xml"
fi
if [ "$(id -u)" != 0 ] || [ ${#as_user[@]} -gt 0 ]; then
  "${as_user[@]}" "$cli" copy "$dir/地点.xml" "$dir/locked/t.xml" 2>"$dir/err"; rc=$?
  check "read-only folder: exit" 1 "$rc"
  check "read-only folder: the folder named" "\"$dir/locked/\"" "$(head -n 1 "$dir/err")"
  check "read-only folder: old file kept" "old" "$(cat "$dir/locked/t.xml")"
fi
chmod 755 "$dir/locked"

# import: a GPX file into a glorie file as the editor saves it, warnings on stderr one a line (in
# the chosen encoding); a refused input leaves OUT as it was. export: the glorie file as GPX, KML
# and CSV, which gpsbabel (a reader nobody here wrote) reads back at the positions written.
cat > "$dir/walk.gpx" <<'GPX'
<?xml version="1.0" encoding="UTF-8"?>
<gpx version="1.1" creator="test" xmlns="http://www.topografix.com/GPX/1/1">
  <wpt lat="35.71476" lon="139.79664"><name>雷門</name></wpt>
  <wpt lat="35.71007" lon="139.81070"><name>東京スカイツリー展望デッキ</name></wpt>
  <wpt lat="35.68123" lon="139.76712"><name>서울역</name></wpt>
</gpx>
GPX
"$cli" import "$dir/walk.gpx" "$dir/walk.xml" 2>"$dir/err"; rc=$?
check "import exit" 0 "$rc"
check "import warnings, one a line" "2" "$(wc -l < "$dir/err")"
check "import: shifted to Tokyo, name shortened" "$(printf '1\t東京スカイツリー\t\t139.81394\t35.70683')" \
  "$("$cli" list "$dir/walk.xml" | sed -n 3p | cut -f1-5)"
"$cli" import --encoding=cp932 --datum=tokyo "$dir/walk.gpx" "$dir/tokyo.xml" 2>"$dir/err"
check "import cp932 warning" "$(printf '名称が16バイトを超え' | iconv -f utf-8 -t cp932 | od -An -tx1)" \
  "$(grep -a "^$(printf '名称' | iconv -f utf-8 -t cp932)" "$dir/err" | head -c 20 | od -An -tx1)"
check "import --datum=tokyo unshifted" "35.71476" "$("$cli" list "$dir/tokyo.xml" | sed -n 2p | cut -f5)"
printf 'old' > "$dir/kept.xml"
for bad in 'not xml' '<gpx version="1.1"></gpx>'; do
  printf '%s' "$bad" > "$dir/bad.gpx"
  "$cli" import "$dir/bad.gpx" "$dir/kept.xml" 2>/dev/null; rc=$?
  check "import refused ($bad)" "1 old" "$rc $(cat "$dir/kept.xml")"
done
printf 'name,lon\nA,139\n' > "$dir/nolat.csv"
"$cli" import "$dir/nolat.csv" "$dir/never.xml" 2>/dev/null; rc=$?
check "import without lat: exit, OUT absent" "1 no" "$rc $([ -e "$dir/never.xml" ] && echo yes || echo no)"
for ext in gpx kml csv; do
  "$cli" export "$dir/walk.xml" "$dir/back.$ext"; rc=$?
  check "export $ext exit" 0 "$rc"
  format=$ext; [ "$ext" = csv ] && format=unicsv
  if command -v gpsbabel >/dev/null; then
    check "gpsbabel reads the $ext" "35.714756,139.796642" \
      "$(gpsbabel -i "$format" -f "$dir/back.$ext" -o unicsv -F - | sed -n 2p | cut -d, -f2,3)"
  fi
done
"$cli" export "$dir/walk.xml" "$dir/back.txt" 2>/dev/null; check "export to .txt: usage" 2 "$?"
"$cli" import --datum=bessel "$dir/walk.gpx" "$dir/x.xml" 2>/dev/null; check "bad datum: usage" 2 "$?"

# coord and dms; usage errors; help.
check "coord" "$(printf '139.50431\t139.30.15.516\n139.50418\t139.30.15.048')" "$("$cli" coord lon 139.30.15.5 139.30.15.05)"
check "dms" " 35.07.24.420" "$("$cli" dms lat 35.12345)"
"$cli" frob >/dev/null 2>&1; check "usage exit" 2 "$?"
"$cli" --help | grep -q '^usage:'; check "help" 0 "$?"
"$cli" list --encoding=latin1 x.xml >/dev/null 2>&1; check "bad encoding" 2 "$?"

[ "$failures" -eq 0 ] && echo "cli contract: all checks passed"
exit "$failures"

#!/usr/bin/env bash
# The Windows build's wait window and box under wine, on an Xvfb of its own,
# read through Win32 by osservatore_win32:
#   finestre_wine.sh PROVA_FINESTRE.exe OSSERVATORE_WIN32.exe PICTURES_FOLDER
# Status 77 (a skip) without wine, Xvfb, xdotool or ImageMagick.
set -uo pipefail

prova=$1 osservatore=$2 schermate=$3
wine=$(command -v wine64 || ls /usr/lib/wine/wine64 2>/dev/null || command -v wine) || wine=
for strumento in Xvfb xdotool import convert; do
  command -v "$strumento" >/dev/null || { echo "skip: $strumento is missing"; exit 77; }
done
[ -n "$wine" ] || { echo "skip: wine is missing"; exit 77; }

wineserver=$(dirname "$wine")/wineserver64
[ -x "$wineserver" ] || wineserver=wineserver

dir=$(mktemp -d)
xvfb=
fine() {
  WINEPREFIX=$dir/prefisso "$wineserver" -k 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$dir"
}
trap fine EXIT
cd "$dir" || exit 1

Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset 3>numero 2>xvfb.err </dev/null &
xvfb=$!
for _ in $(seq 600); do grep -q . numero && break; sleep 0.05; done
grep -q . numero || { echo "Xvfb did not start: $(cat xvfb.err)"; exit 1; }
export DISPLAY=:$(head -n1 numero) WINEPREFIX=$dir/prefisso WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINELOADER=$wine
# The first start makes the prefix: the only slow step.
timeout 300 "$wine" wineboot -i >/dev/null 2>&1

errori=0
controlla() {  # what, expected, got
  if [ "$2" != "$3" ]; then
    printf 'FAIL %s\n  expected: %s\n  got:      %s\n' "$1" "$2" "$3"
    errori=$((errori + 1))
  fi
}
# A picture of the top-level window with this title, into $1.png.
fotografa() {
  local id
  id=$(xdotool search --onlyvisible --name "^$2\$" | head -n1)
  [ -n "$id" ] || { echo "FAIL no X window \"$2\" to take a picture of"; errori=$((errori + 1)); return; }
  import -window "$id" "$1.png" && cp "$1.png" "$schermate/"
}
colori() { convert "$1" $2 +repage -format %k info:; }

mkdir -p "$schermate"

# The wait window: held open until its standard input ends.
mkfifo tenuta
timeout -k 5 120 "$wine" "$prova" attesa <tenuta >pronta 2>attesa.err &
in_attesa=$!
exec 3>tenuta
for _ in $(seq 1200); do grep -q shown pronta && break; sleep 0.05; done
visto=$(timeout 120 "$wine" "$osservatore" attesa "Valdesca_Morlano 52816" | tr -d '\r')
controlla "the wait window" "$(printf 'client 280x179\nchild Static "Attendere" 64,64 177x53 id 0')" "$visto"
fotografa attesa_win32 "Valdesca_Morlano 52816"
exec 3>&-
wait "$in_attesa"
controlla "the wait program's status" 0 $?
controlla "its standard error" "Attendere" "$(tr -d '\r' <attesa.err)"
controlla "the wait window's size" 280x179 "$(convert attesa_win32.png -format %wx%h info:)"
[ "$(colori attesa_win32.png '-crop 177x53+64+64')" -gt 1 ] || { echo "FAIL the label is not painted"; errori=$((errori + 1)); }

# The box: found by its title, read, and closed by its OK.
timeout -k 5 120 "$wine" "$prova" errore 1250 >/dev/null 2>riquadro.err &
nel_riquadro=$!
visto=$(timeout 120 "$wine" "$osservatore" riquadro scenario_builder | tr -d '\r')
controlla "the box's text" 1 "$(grep -c '^child Static " Errore n. 1250" ' <<<"$visto")"
controlla "the box's one button" 1 "$(grep -c '^child Button ' <<<"$visto")"
controlla "the OK button" 1 "$(grep -c '^child Button "OK" ' <<<"$visto")"
controlla "no icon" 0 "$(grep -c ' icon$' <<<"$visto")"
fotografa riquadro_win32 scenario_builder
timeout 120 "$wine" "$osservatore" ok scenario_builder
wait "$nel_riquadro"
controlla "the box program's status after OK" 0 $?
controlla "its standard error" " Errore n. 1250" "$(tr -d '\r' <riquadro.err)"

[ "$errori" -eq 0 ] || { echo "$errori checks failed; the box said:"; echo "$visto"; exit 1; }
echo "the wait window and the box are as they should be"

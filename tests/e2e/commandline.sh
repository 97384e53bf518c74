#!/usr/bin/env bash
# The options a packaged command is expected to answer: --version and
# --help print and end, anything else is refused with the usage hint. No
# display is given, so a game that started instead would end with 1.
#
# Usage: commandline.sh path/to/Bramblehop VERSION
set -uo pipefail
bin=$(readlink -f "$1")
version=$2
work=$(mktemp -d -t bramblehop-cli-XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
cd "$work"

# run ARGS...: the game without a display; sets rc, out and err.
run() {
  env -u DISPLAY -u WAYLAND_DISPLAY XDG_DATA_HOME="$work/xdg" timeout 60 "$bin" "$@" >out 2>err
  rc=$?
  out=$(cat out)
  err=$(cat err)
}

run --version
((rc == 0)) || fail "--version: exit $rc"
[[ "$out" == "Bramblehop $version" ]] || fail "--version printed '$out'"
[[ -z "$err" ]] || fail "--version: $err"

for help in --help -h; do
  run $help
  ((rc == 0)) || fail "$help: exit $rc"
  for want in "Usage: bramblehop" "--version" "Settings.sav" "XDG_DATA_HOME" "~/.local/share/bramblehop/"; do
    grep -qF -- "$want" <<<"$out" || fail "$help does not mention $want: $out"
  done
done

# ARGS|what the one-line error names
while IFS='|' read -r args named; do
  read -ra words <<<"$args"
  run "${words[@]}"
  ((rc == 2)) || fail "'$args': exit $rc"
  [[ -z "$out" ]] || fail "'$args' printed to standard output: $out"
  [[ "$(sed -n 1p <<<"$err")" == "bramblehop: $named" ]] || fail "'$args': $err"
  [[ "$(sed -n 2p <<<"$err")" == "Try 'bramblehop --help' for more information." ]] || fail "'$args': $err"
  (($(wc -l <<<"$err") == 2)) || fail "'$args': more than two lines: $err"
done <<'CASES'
--fullscreen|unknown option '--fullscreen'
-x|unknown option '-x'
--version --help|unexpected argument '--help'
--help extra|unexpected argument 'extra'
level3|unexpected argument 'level3'
CASES
[[ ! -e "$work/xdg" ]] || fail "a save folder was made"
echo "command line ok"

#!/usr/bin/env bash
# Removes what `make install` put in place, as listed by cmake --install in
# the build's install_manifest.txt, then the game's own folders once they
# are empty. Shared folders (bin, icons, applications) stay.
set -euo pipefail
manifest=${1:-build/install_manifest.txt}
[[ -f "$manifest" ]] || { echo "Nothing to uninstall: $manifest is missing (was make install run?)"; exit 0; }

sudo=""
removed=0
while IFS= read -r file || [[ -n "$file" ]]; do
  [[ -n "$file" ]] || continue
  if [[ -e "$file" || -L "$file" ]]; then
    if [[ ! -w "$(dirname "$file")" && $(id -u) -ne 0 ]]; then sudo="sudo"; fi
    $sudo rm -f -- "$file"
    removed=$((removed + 1))
  fi
done <"$manifest"

# The data folder belongs to the game alone; take it away when it is empty.
while IFS= read -r file || [[ -n "$file" ]]; do
  case "$file" in
    */share/games/bramblehop/*) echo "${file%%/share/games/bramblehop/*}/share/games/bramblehop" ;;
  esac
done <"$manifest" | sort -u | while IFS= read -r dir; do
  [[ -d "$dir" ]] && $sudo find "$dir" -depth -type d -empty -delete
done
echo "Removed $removed files listed in $manifest"
rm -f -- "$manifest"

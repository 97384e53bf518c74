#!/usr/bin/env bash
# Fails when a C++ file of ours is not as .clang-format lays it out, and
# names each such file. `scripts/check-format.sh --fix` lays them out.
# Debian 12's clang-format (14) is the one the style was recorded with;
# another version may break a few lines differently.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh clang-format
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [[ ${1:-} == --fix ]]; then
  clang-format -i "${files[@]}"
  exit 0
fi
bad=()
for f in "${files[@]}"; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if (( ${#bad[@]} )); then
  echo "Not laid out as .clang-format says (scripts/check-format.sh --fix):"
  printf '  %s\n' "${bad[@]}"
  exit 1
fi
echo "format ok: ${#files[@]} files"

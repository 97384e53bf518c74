#!/usr/bin/env bash
# scripts/deps.sh on three kinds of machine, with stand-ins for id, sudo and
# apt-get so that nothing is really installed: root installs directly, a
# user with sudo goes through it, and a user on a machine without sudo is
# told the exact command to run as root and gets a failure, never
# "command not found". Only commands deps.sh really uses are on PATH.
#
# Usage: deps_check.sh path/to/scripts/deps.sh
set -uo pipefail
deps=$(readlink -f "$1")
work=$(mktemp -d -t bramblehop-deps-XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
missing=bramblehop-no-such-package

# machine KIND: a PATH folder for a root, sudo or nosudo machine.
machine() {
  local bin=$work/$1 uid=1000
  mkdir -p "$bin"
  for tool in bash env dpkg-query; do ln -s "$(command -v "$tool")" "$bin/$tool"; done
  [[ $1 == root ]] && uid=0
  printf '#!/bin/sh\necho %s\n' "$uid" >"$bin/id"
  printf '#!/bin/sh\necho "apt-get $*" >>"%s/calls"\n' "$bin" >"$bin/apt-get"
  if [[ $1 == sudo ]]; then
    printf '#!/bin/sh\necho "sudo" >>"%s/calls"\nexec "$@"\n' "$bin" >"$bin/sudo"
  fi
  chmod +x "$bin"/*
  echo "$bin"
}

for kind in root sudo nosudo; do
  bin=$(machine $kind)
  out=$(PATH=$bin bash "$deps" "$missing" 2>&1)
  rc=$?
  calls=$(cat "$bin/calls" 2>/dev/null)
  case $kind in
    root|sudo)
      ((rc == 0)) || fail "$kind: exit $rc: $out"
      grep -q "^apt-get install .*$missing" <<<"$calls" ||
        fail "$kind: apt-get was not asked for $missing: $calls"
      if [[ $kind == sudo ]]; then
        grep -qx sudo <<<"$calls" || fail "sudo: apt-get ran without sudo"
      else
        grep -qx sudo <<<"$calls" && fail "root: asked sudo"
      fi
      ;;
    nosudo)
      ((rc != 0)) || fail "nosudo: exit 0 without installing: $out"
      ((rc != 127)) || fail "nosudo: exit 127"
      [[ -z "$calls" ]] || fail "nosudo: ran $calls"
      grep -q "not found" <<<"$out" && fail "nosudo: $out"
      grep -qx "  apt-get install -y --no-install-recommends .*$missing" <<<"$out" ||
        fail "nosudo: no command to run as root in: $out"
      ;;
  esac
  echo "$kind ok"
done

#!/bin/sh
# Fails when a shipped binary holds code of a target that says it is linked
# into nothing shipped, and names the functions and data it found. A target's
# own code is what its archive defines under quendral:: (templates and inline
# functions, which any caller instantiates, aside); a binary holds it when the
# same name is defined there, as a local (hidden) symbol or not.
#
#   check-unshipped.sh NM BINARY... -- ARCHIVE...
set -eu
nm_tool=$1
shift
binaries=""
while [ "$#" -gt 0 ] && [ "$1" != "--" ]; do
  binaries="$binaries $1"
  shift
done
[ "$#" -gt 0 ] && shift
if [ -z "$binaries" ] || [ "$#" -eq 0 ]; then
  echo "usage: $0 NM BINARY... -- ARCHIVE..." >&2
  exit 2
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# shellcheck disable=SC2086
"$nm_tool" --defined-only --format=posix $binaries 2>/dev/null |
  awk '$1 ~ /^_ZN8quendral/ { print $1 }' | sort -u >"$scratch/shipped"
if [ ! -s "$scratch/shipped" ]; then
  echo "no symbols of quendral:: in$binaries: stripped, or not the shipped binaries" >&2
  exit 2
fi

found=0
for archive in "$@"; do
  "$nm_tool" --defined-only --format=posix "$archive" |
    awk '$1 ~ /^_ZN8quendral/ && $2 ~ /^[TDBR]$/ { print $1 }' | sort -u >"$scratch/own"
  if comm -12 "$scratch/own" "$scratch/shipped" >"$scratch/both" && [ -s "$scratch/both" ]; then
    echo "$archive is said to be linked into nothing shipped, but$binaries hold:" >&2
    sed 's/^/  /' "$scratch/both" >&2
    found=1
  fi
done
exit "$found"

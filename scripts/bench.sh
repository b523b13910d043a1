#!/usr/bin/env bash
# Runs every benchmark program of the native build, one after the other.
set -euo pipefail
cd "$(dirname "$0")/.."
for program in build/bin/*_bench; do
  echo "== $(basename "$program")"
  "$program" --benchmark_counters_tabular=true
done

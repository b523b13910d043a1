#!/bin/sh
# The layer check passes on a copy of the libraries' folders and fails, naming
# the fault, once one file of the copy includes a header of a library its own
# does not link: a sibling's, one above, or one linked only privately.
#
#   check_layers_test.sh SOURCE_DIR BUILD_DIR
set -eu
source=$1
build=$2
check() { python3 "$source/scripts/check-layers.py" "$build" "$1"; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for folder in $(sed -n 's/^folders //p' "$build"/layers/*.txt | tr ';' ' '); do
  mkdir -p "$scratch/tree/$folder"
  for file in "$source/$folder"/*.h "$source/$folder"/*.cc; do
    if [ -f "$file" ]; then
      cp "$file" "$scratch/tree/$folder/"
    fi
  done
done
if ! check "$scratch/tree" >"$scratch/out" 2>&1; then
  echo "the untouched copy fails:" && cat "$scratch/out" && exit 1
fi

# file, include added to it, the fault the check must name
while IFS='|' read -r file include fault; do
  printf '#include "%s"\n' "$include" >>"$scratch/tree/$file"
  if check "$scratch/tree" >"$scratch/out" 2>&1; then
    echo "$file including $include passed the check" && exit 1
  fi
  if ! grep -q "^$file:[0-9]*: includes $include, but $fault$" "$scratch/out"; then
    echo "$file including $include: the check did not say '$fault':" && cat "$scratch/out" && exit 1
  fi
  cp "$source/$file" "$scratch/tree/$file"
done <<'TABLE'
dxl/export_audit.cc|batch/audit.h|qd_dxl does not link qd_batch
report/audit_sink.h|module/operation_frame.h|qd_report does not link qd_module
platform/notes/formula/value.h|platform/notes/api/ln.h|qd_formula does not link qd_notes_platform
batch/audit.h|platform/notes/store/store.h|qd_batch does not link qd_notes_store
TABLE

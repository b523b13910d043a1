#!/bin/sh
# Fails when a source file includes a header of a layer above its own, and
# names each such include. A layer is a folder of the tree (its subfolders
# included); a file may include its own layer and those below it.
#
#   check-layers.sh [SOURCE_DIR]
set -u

# The layers, bottom up.
LAYERS="platform/base platform/os platform/notes util notes repair module report database_json batch dxl tools"

cd "${1:-$(dirname "$0")/..}" || exit 2

# From the top down: each layer is checked against those already passed.
reversed=""
for layer in $LAYERS; do
  reversed="$layer $reversed"
done

found=0
above=""
for layer in $reversed; do
  if [ -n "$above" ] && [ -d "$layer" ]; then
    if grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*\"($above)/" \
         --include='*.h' --include='*.cc' "$layer"; then
      found=1
    fi
  fi
  above="${above:+$above|}$layer"
done

if [ "$found" -ne 0 ]; then
  echo "check-layers: the includes above reach a layer above their own" >&2
  echo "(the layers, bottom up: $LAYERS)" >&2
  exit 1
fi

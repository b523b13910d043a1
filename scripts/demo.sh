#!/usr/bin/env bash
# The main job on a fresh sample data directory: a document whose paragraphs
# are hidden by formulas nobody satisfies, and whose links point at a replica
# that was replaced by an archive database.
set -euo pipefail
quendral_bin=$(realpath "${1:-build/bin/quendral}")
here=$(cd "$(dirname "$0")" && pwd)
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
unid=0123456789ABCDEF0123456789ABCDEF

q() {
  echo "\$ quendral $*"
  "$quendral_bin" --data "$data" "$@"
}

q db import apps/sales.nsf "$here/demo/sales.json"
q db import archive/sales.nsf "$here/demo/archive.json"
q db list
echo
echo "== The document as a reader sees it"
q show apps/sales.nsf "$unid"
echo
echo "== Neutralise its hide-when formulas"
q fix-hidewhen apps/sales.nsf "$unid" || true
q show apps/sales.nsf "$unid"
echo
echo "== Its links point at replica 85256E3A:0058F1B2, which is gone"
q links apps/sales.nsf "$unid"
echo
echo "== Point them at the archive"
q relink apps/sales.nsf "$unid" "85256E3A:0058F1B2" archive/sales.nsf || true
q links apps/sales.nsf "$unid"
echo
echo "== A whole database: what is broken in it?"
q db import apps/orders.nsf "$here/demo/orders.json"
q db import archive/orders.nsf "$here/demo/orders-archive.json"
# The audit also as a web page, beside the tool's build, where it outlives
# the sample data.
web_report=$(realpath "$(dirname "$quendral_bin")/..")/demo-audit.html
q audit --html "$web_report" apps/orders.nsf
echo "The audit as a web page: file://$web_report"
echo
echo "== What a fix of every document would change, then the fix"
q fix-hidewhen --all --dry-run apps/orders.nsf
q fix-hidewhen --all apps/orders.nsf
q fix-hidewhen --all apps/orders.nsf
q relink --all apps/orders.nsf "85256E3A:0058F1B2" archive/orders.nsf
echo
echo "== The audit after the fix: only the link backups are left"
q audit apps/orders.nsf

# The same repairs on an export of the sales document (DXL), file to file:
# only the formulas and link targets change, every other byte stays.
export_file="$data/exports/sales.xml"
mkdir -p "$data/exports"
cp "$here/demo/sales-export.xml" "$export_file"
echo
echo "== An export of the document, audited for a user who is no manager"
q dxl audit --user "CN=Jane Doe/O=Sales" "$export_file"
echo
echo "== Its hide-when formulas neutralised, into a new file"
q dxl fix-hidewhen "$export_file" -o "$data/exports/fixed.xml" || true
echo
echo "== Its links pointed at the archive, in place (the original stays as .orig)"
q dxl relink --in-place "$data/exports/fixed.xml" "85256E3A:0058F1B2" archive/sales.nsf || true
echo
echo "== What changed in the export"
diff "$export_file" "$data/exports/fixed.xml" || true
echo
echo "== The repaired export, audited again"
q dxl audit "$data/exports/fixed.xml"

# A form exported with its rich text as stored records (Base64), as design
# notes and project folders usually are: the hide-when formulas are compiled
# bytes, and its links sit in the form's link table ($FormLinks).
form_file="$data/exports/order-form.xml"
cp "$here/demo/order-form.xml" "$form_file"
echo
echo "== A form whose rich text is stored records: its hide-whens and links"
q dxl audit --all-notes "$form_file"
echo
echo "== Its hide-whens neutralised, into a new file; then its links pointed at the archive, in place"
q dxl fix-hidewhen --all-notes "$form_file" -o "$data/exports/order-form-fixed.xml" || true
q dxl relink --all-notes --in-place "$data/exports/order-form-fixed.xml" "85256E3A:0058F1B2" \
  archive/sales.nsf || true
echo
echo "== The form audited again: no hidden paragraph is left"
q dxl audit --all-notes "$data/exports/order-form-fixed.xml"

#!/usr/bin/env python3
"""The audit's web page and spreadsheet, checked against its JSON report.

    audit_files_check.py csv|browser QUENDRAL DEMO_DIR OUT_DIR

Both modes audit the demo data (two databases, and an export for a user
beside a file that cannot be read) with --json, --html and --csv at once.

csv:     the spreadsheet, read back by Python's csv module, holds the JSON
         report's findings row for row.
browser: Debian's headless Chromium loads each page with "#selftest", which
         makes the page try its own filter, sorting and chart links; the page
         shows no console message, its totals are the JSON report's, typing
         narrows the rows and sorting orders them. A screenshot of the
         database audit's page is left in OUT_DIR. Without Chromium the test
         is skipped (exit 77), except on continuous integration (CI set).
"""
import csv
import io
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

SKIP = 77
FORMULA_STARTS = ("=", "+", "-", "@", "\t", "\r")


def quendral(binary, data, args, may_fail=False):
    run = subprocess.run([binary, "--data", data] + args, capture_output=True, text=True)
    if run.returncode != 0 and not may_fail:
        sys.exit(f"quendral {' '.join(args)} failed ({run.returncode}): {run.stderr}")
    return run


def audits(binary, demo, work):
    """Runs both audits; yields (name, json report, html path, csv path, failed paths)."""
    data = os.path.join(work, "data")
    os.makedirs(data)
    for path, source in [("apps/orders.nsf", "orders.json"), ("apps/sales.nsf", "sales.json"),
                         ("archive/orders.nsf", "orders-archive.json")]:
        quendral(binary, data, ["db", "import", path, os.path.join(demo, source)])
    missing = os.path.join(work, "missing.xml")
    runs = [
        ("database", ["audit", "apps/orders.nsf", "apps/sales.nsf"], []),
        ("export", ["dxl", "audit", "--user", "CN=Jane Doe/O=Sales",
                    os.path.join(demo, "sales-export.xml"), missing], [missing]),
    ]
    for name, args, failed in runs:
        html = os.path.join(work, name + ".html")
        sheet = os.path.join(work, name + ".csv")
        run = quendral(binary, data, args + ["--json", "--html", html, "--csv", sheet],
                       may_fail=bool(failed))
        yield name, json.loads(run.stdout), html, sheet, failed


def as_cell(value):
    text = "" if value is None else value if isinstance(value, str) else json.dumps(value)
    return "'" + text if text.startswith(FORMULA_STARTS) else text


def expected_rows(report, failed, with_hides):
    """The rows the spreadsheet should hold, from the JSON report."""
    rows = []

    def row(source, unid, form, finding, item="", pardef="", formula="", hides="",
            replica="", target="", status=""):
        cells = [source, unid, form, finding, item, pardef, formula]
        cells += [hides] if with_hides else []
        rows.append([as_cell(c) for c in cells + [replica, target, status]])

    for database in report["databases"]:
        source = database.get("path", database.get("file"))
        for document in database["findings"]:
            form = document.get("form", "")
            unid = document["unid"]
            if document.get("error"):
                row(source, unid, form, "error", status=document["error"])
            for hidden in document["hidden"]:
                hides = {True: "yes", False: "no"}.get(hidden.get("hides"), "")
                row(source, unid, form, "hidden " + hidden.get("kind", "paragraph"),
                    hidden["item"], hidden.get("pardef", ""), hidden["formula"], hides,
                    status="enabled" if hidden["enabled"] else "disabled")
            for link in document["links"]:
                row(source, unid, form, "link", link["item"], replica=link["replica_id"],
                    target=link["note_unid"], status=link["status"])
            for backup in document["backups"]:
                row(source, unid, form, "link backup", backup)
    for path in failed:
        row(path, "", "", "error")
        rows[-1][-1] = None  # the reason is the tool's to word
    return rows


def check_csv(name, report, sheet, failed):
    with open(sheet, "rb") as f:
        raw = f.read()
    assert raw.startswith(b"\xef\xbb\xbf"), f"{name}: no byte-order mark"
    table = list(csv.reader(io.StringIO(raw[3:].decode("utf-8"), newline="")))
    header, rows = table[0], table[1:]
    with_hides = "Hides for the user" in header
    expected = expected_rows(report, failed, with_hides)
    assert len(rows) == len(expected), f"{name}: {len(rows)} rows, expected {len(expected)}"
    for got, want in zip(rows, expected):
        if want[-1] is None:
            assert got[:-1] == want[:-1] and got[-1], f"{name}: {got} is not {want}"
        else:
            assert got == want, f"{name}: row {got}\n  expected {want}"
    assert any(r[header.index("Formula")].startswith("'@") for r in rows) or name != "export", \
        f"{name}: the formula beginning with @ is not kept as text"
    print(f"{name}: {len(rows)} rows as in the JSON report")
    return len(rows)


def find_chromium():
    for name in ("chromium", "chromium-browser"):
        if shutil.which(name):
            return shutil.which(name)
    return None


def chromium(browser, args):
    run = subprocess.run([browser, "--headless", "--no-sandbox", "--disable-gpu",
                          "--no-first-run", "--enable-logging=stderr", "--v=0"] + args,
                         capture_output=True, text=True, timeout=120)
    if run.returncode != 0:
        sys.exit(f"chromium failed ({run.returncode}): {run.stderr[-2000:]}")
    return run


def check_page(name, browser, report, html, rows):
    with open(html, encoding="utf-8") as f:
        page = f.read()
    outside = re.findall(r'(?:src|href)\s*=\s*["\']?(?=[^#"\'])[^"\'>\s]*|<link\b|@import|url\(',
                         page)
    assert not outside, f"{name}: the page reaches outside itself: {outside}"
    run = chromium(browser, ["--dump-dom", "file://" + html + "#selftest"])
    console = [line for line in run.stderr.splitlines() if ":CONSOLE" in line]
    assert not console, f"{name}: console messages:\n" + "\n".join(console)
    found = re.search(r'<pre id="selftest">(.*?)</pre>', run.stdout, re.S)
    assert found, f"{name}: the page's self-test did not run"
    result = json.loads(found.group(1).replace("&quot;", '"').replace("&amp;", "&")
                        .replace("&lt;", "<").replace("&gt;", ">"))
    assert result["errors"] == [], f"{name}: script errors {result['errors']}"
    for key, value in report["totals"].items():
        assert result["totals"].get(key) == value, \
            f"{name}: total {key} is {result['totals'].get(key)}, the JSON report has {value}"
    assert result["rows"] == rows, f"{name}: {result['rows']} rows, the spreadsheet has {rows}"
    shown = result["filter"]["shown"]
    assert 0 < shown < rows and result["filter"]["all_match"], f"{name}: filter {result['filter']}"
    assert result["sort"] == {"ascending": True, "descending": True}, f"{name}: {result['sort']}"
    assert result["bars"] and all(b["count"] == b["shown"] for b in result["bars"]), \
        f"{name}: chart bars {result['bars']}"
    print(f"{name}: page totals {result['totals']}; filter kept {shown} of {rows} rows")


def main():
    mode, binary, demo, out = sys.argv[1:5]
    browser = find_chromium()
    if mode == "browser" and not browser:
        if os.environ.get("CI"):
            sys.exit("chromium is missing: run scripts/install-deps.sh")
        print("chromium is not installed: skipped")
        return SKIP
    with tempfile.TemporaryDirectory(prefix="quendral-audit-files-") as work:
        for name, report, html, sheet, failed in audits(binary, demo, work):
            rows = check_csv(name, report, sheet, failed)
            if mode == "browser":
                check_page(name, browser, report, html, rows)
                if name == "database":
                    shot = os.path.join(out, "audit-report.png")
                    chromium(browser, ["--hide-scrollbars", "--window-size=1280,1500",
                                       "--screenshot=" + shot, "file://" + html])
                    shutil.copy(html, os.path.join(out, "audit-report.html"))
                    print("screenshot: " + shot)
    return 0


if __name__ == "__main__":
    sys.exit(main())

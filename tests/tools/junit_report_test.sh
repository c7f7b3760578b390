#!/usr/bin/env bash
# A batch over our status cartridges writes a JUnit report that a real XML
# parser reads back with one test case per image, in order, with the
# failures and the timeout marked as CI services expect.
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
roms=$build/roms

status=0
"$build/bin/taviro-run" --test-rom --frames 60 --jobs 2 --junit "$work/report.xml" \
  "$roms/status_pass.nes" "$roms/status_fail.nes" "$roms/status_forever.nes" \
  "$roms/status_reset.nes" >"$work/out" || status=$?
[ "$status" -eq 4 ] || { echo "FAIL: exit $status, not 4"; cat "$work/out"; exit 1; }

python3 - "$work/report.xml" <<'PY'
import sys
import xml.etree.ElementTree as ET

root = ET.parse(sys.argv[1]).getroot()
assert root.tag == "testsuites", root.tag
suite = root.find("testsuite")
assert suite.get("tests") == "4" and suite.get("failures") == "2", suite.attrib
assert suite.get("errors") == "0", suite.attrib
cases = suite.findall("testcase")
names = [case.get("name").rsplit("/", 1)[-1] for case in cases]
assert names == ["status_pass.nes", "status_fail.nes", "status_forever.nes",
                 "status_reset.nes"], names
verdicts = [case.find("failure").get("message") if case.find("failure") is not None else "PASS"
            for case in cases]
assert verdicts == ["PASS", "FAIL code 3", "TIMEOUT", "PASS"], verdicts
assert "Failed #3" in cases[1].find("failure").text
assert "Still running" in cases[2].find("system-out").text
for case in cases:
    float(case.get("time"))
print("junit report: 4 test cases read back")
PY

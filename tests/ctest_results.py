#!/usr/bin/env python3
"""Counts the results of ctest runs from their JUnit reports (ctest --output-junit).

usage: ctest_results.py SUMMARY_FILE REPORT.xml [LABEL]
Appends one line "passed failed skipped" to SUMMARY_FILE, writes the skipped
tests to SUMMARY_FILE.skipped (one "LABEL NAME: REASON" a line) and prints them.
A test ctest did not run because another failed to set it up counts as failed.
(ctest reports a GoogleTest skip, found by its output, as run: counted here as
skipped.)
"""
import re
import sys
import xml.etree.ElementTree as ET

GTEST_SKIPPED = re.compile(r"^\[  SKIPPED \] ", re.MULTILINE)


def reason(case):
    """The line in which the test said why it skipped itself, or ctest's note."""
    out = case.findtext("system-out") or ""
    lines = [l.strip() for l in out.splitlines() if l.strip()]
    for i, line in enumerate(lines[:-1]):  # GoogleTest: "FILE:LINE: Skipped", then the reason
        if line.endswith(": Skipped"):
            return lines[i + 1][:200]
    for line in reversed(lines):
        if re.search(r"skip", line, re.IGNORECASE):
            return line[:200]
    skipped = case.find("skipped")
    if skipped is not None and skipped.get("message"):
        return skipped.get("message")[:200]
    return lines[-1][:200] if lines else "no reason given"


def main():
    summary, report = sys.argv[1], sys.argv[2]
    label = sys.argv[3] if len(sys.argv) > 3 else ""
    passed = failed = skipped = 0
    skips = []
    try:
        cases = ET.parse(report).getroot().iter("testcase")
    except (OSError, ET.ParseError) as error:
        print(f"no test report {report}: {error}")
        cases = []
        failed += 1
    for case in cases:
        status = case.get("status", "")
        note = case.find("skipped")
        note = note.get("message", "") if note is not None else ""
        output = case.findtext("system-out") or ""
        if status == "run" and not GTEST_SKIPPED.search(output):
            passed += 1
        elif status in ("run", "disabled") or note.startswith("SKIP_"):
            skipped += 1
            skips.append(f"{label} {case.get('name')}: {reason(case)}".strip())
        else:
            failed += 1
    with open(summary, "a") as f:
        f.write(f"{passed} {failed} {skipped}\n")
    with open(summary + ".skipped", "a") as f:
        for line in skips:
            f.write(line + "\n")
    for line in skips:
        print("SKIPPED " + line)


if __name__ == "__main__":
    main()

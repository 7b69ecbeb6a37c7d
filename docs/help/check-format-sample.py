#!/usr/bin/env python3
"""Checks the format.txt sample: its first eight lines are the templates the calendar
takes (a plain-ASCII Windows text file, CR LF), what its note after line 8 says they show
is what tavoli prints for them, and the help shows the same eight lines.

The note gives the date ("Shown with the cursor on YYYY-MM-DD ...") and one line per
template, "  N  result"; lines 1 to 4 are header formats, applied to the 1st of the month.
"""
import argparse
import html.parser
import os
import re
import subprocess
import sys

SAMPLE_TABLE_ID = "en-format-sample"


def fail(message):
    print(f"check-format-sample: FAIL: {message}", file=sys.stderr)
    return 1


class SampleTable(html.parser.HTMLParser):
    """Collects the template cells of the help's table that shows the sample."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.depth = 0  # inside the table: nesting depth of tables
        self.in_template = False
        self.in_code = False
        self.templates = []

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "table":
            if self.depth or attrs.get("id") == SAMPLE_TABLE_ID:
                self.depth += 1
        elif self.depth and tag == "td" and "t" in attrs.get("class", "").split():
            self.in_template = True
        elif self.in_template and tag == "code":
            self.in_code = True
            self.templates.append("")

    def handle_endtag(self, tag):
        if tag == "table" and self.depth:
            self.depth -= 1
        elif tag == "td":
            self.in_template = False
        elif tag == "code":
            self.in_code = False

    def handle_data(self, data):
        if self.in_code:
            self.templates[-1] += data


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--tavoli", required=True)
    parser.add_argument("sample")
    parser.add_argument("help")
    options = parser.parse_args()

    raw = open(options.sample, "rb").read()
    if any(b >= 0x80 for b in raw):
        return fail(f"{options.sample} is not plain ASCII")
    if not raw.endswith(b"\r\n") or raw.replace(b"\r\n", b"").find(b"\n") >= 0 or raw.replace(b"\r\n", b"").find(b"\r") >= 0:
        return fail(f"{options.sample} does not end every line with CR LF")
    lines = raw.decode("ascii").split("\r\n")[:-1]
    if len(lines) < 9:
        return fail("the sample needs its eight template lines and a note after them")
    templates = lines[:8]
    for number, template in enumerate(templates, 1):
        if not template:
            return fail(f"line {number} is empty: the calendar would keep its own format, which the note cannot show")

    note = lines[8:]
    date = None
    for line in note:
        found = re.match(r"Shown with the cursor on (\d{4})-(\d{2})-(\d{2})\b", line)
        if found:
            date = found.groups()
    if not date:
        return fail('the note lacks "Shown with the cursor on YYYY-MM-DD"')
    shown = {}
    for line in note:
        found = re.match(r"^  ([1-8])  (.*)$", line) or re.match(r"^  ([1-8])$", line)
        if found:
            shown[int(found.group(1))] = (found.group(2) if found.lastindex == 2 else "").rstrip(" ")
    if sorted(shown) != list(range(1, 9)):
        return fail(f"the note shows the results of lines {sorted(shown)}, not of lines 1 to 8")

    env = dict(os.environ, LC_ALL="C.UTF-8", TZ="JST-9")
    env.pop("LANG", None)
    failures = []
    for number, template in enumerate(templates, 1):
        day = "01" if number <= 4 else date[2]
        result = subprocess.run([options.tavoli, "format", template, f"{date[0]}-{date[1]}-{day}",
                                 "--codepage", "1252"], env=env, capture_output=True, timeout=60)
        printed = result.stdout.decode("utf-8", "replace").rstrip("\n").rstrip(" ")
        if result.returncode != 0 or printed != shown[number]:
            failures.append(f"line {number} {template!r}: the note says {shown[number]!r}, tavoli printed "
                            f"{printed!r} (exit {result.returncode}) {result.stderr.decode('utf-8', 'replace')}")
    for failure in failures:
        print(f"check-format-sample: {failure}", file=sys.stderr)
    if failures:
        return fail(f"{len(failures)} of the eight lines do not show what the note says")

    table = SampleTable()
    table.feed(open(options.help, encoding="utf-8").read())
    if table.templates != templates:
        return fail(f'the help\'s table "{SAMPLE_TABLE_ID}" shows {table.templates} instead of the sample\'s lines')

    print("check-format-sample: the eight lines show what the note says, and the help shows them")
    return 0


if __name__ == "__main__":
    sys.exit(main())

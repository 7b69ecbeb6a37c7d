#!/usr/bin/python3
"""tavoli events against Debian's python3-recurring-ical-events on generated calendars
with what libical does not apply: overridden instances (moved, renamed), beside rules,
added and excluded dates. Exit 1 when any instance differs."""
import datetime
import random
import subprocess
import sys
import tempfile

import icalendar
import recurring_ical_events

tavoli = sys.argv[1]
rng = random.Random(20261209)
utc = datetime.timezone.utc


def stamp(t):
    return t.strftime("%Y%m%dT%H%M%SZ")


lines = ["BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//test//EN"]
for n in range(150):
    start = datetime.datetime(2024, rng.randint(1, 12), rng.randint(1, 28), rng.randint(0, 23), 15 * rng.randint(0, 3),
                              tzinfo=utc)
    length = datetime.timedelta(minutes=30 * rng.randint(1, 6))
    frequency = rng.choice(["DAILY", "WEEKLY", "MONTHLY"])
    step = {"DAILY": datetime.timedelta(days=1), "WEEKLY": datetime.timedelta(days=7)}.get(frequency)
    count = rng.randint(3, 20)
    event = ["BEGIN:VEVENT", "UID:s%d" % n, "DTSTART:" + stamp(start), "DTEND:" + stamp(start + length),
             "RRULE:FREQ=%s;COUNT=%d" % (frequency, count), "SUMMARY:E%d" % n]
    extra = []
    if step is not None and rng.random() < 0.5:
        # The third instance moved by some hours and renamed.
        original = start + 2 * step
        moved = original + datetime.timedelta(hours=rng.randint(-30, 30))
        extra += ["BEGIN:VEVENT", "UID:s%d" % n, "RECURRENCE-ID:" + stamp(original), "DTSTART:" + stamp(moved),
                  "DTEND:" + stamp(moved + datetime.timedelta(minutes=45)), "SUMMARY:E%d moved" % n, "END:VEVENT"]
    if step is not None and rng.random() < 0.4:
        event.append("EXDATE:" + stamp(start + step))
    if rng.random() < 0.5:
        # Added date-times (the Debian version of the reference reads no RDATE periods:
        # those are the reader's own tests).
        added = [start + datetime.timedelta(days=rng.randint(30, 300), hours=rng.randint(0, 5)) for _ in range(3)]
        event.append("RDATE:" + ",".join(stamp(t) for t in added))
    lines += event + ["END:VEVENT"] + extra
lines.append("END:VCALENDAR")
text = "\r\n".join(lines) + "\r\n"

reference = set()
calendar = icalendar.Calendar.from_ical(text)
for e in recurring_ical_events.of(calendar).between(datetime.datetime(2024, 1, 1, tzinfo=utc),
                                                   datetime.datetime(2026, 1, 1, tzinfo=utc)):
    s, t = e["DTSTART"].dt.astimezone(utc), e["DTEND"].dt.astimezone(utc)
    reference.add("%s\t%s\t%s" % (s.strftime("%Y/%m/%d %H:%M"), t.strftime("%Y/%m/%d %H:%M"), str(e["SUMMARY"])))

with tempfile.NamedTemporaryFile("w", suffix=".ics", newline="", delete=False) as f:
    f.write(text)
run = subprocess.run([tavoli, "events", "--tz", "+0000", "2024-01-01", "2025-12-31", f.name], capture_output=True,
                     text=True)
listed = set(line for line in run.stdout.split("\n") if line)
# The range's edges are taken as days here and as instants there: compared inside them.
inside = lambda line: "2024/01/02" <= line[:10] <= "2025/12/30"
reference, listed = set(filter(inside, reference)), set(filter(inside, listed))
if run.returncode != 0 or reference != listed:
    for line in sorted(reference - listed)[:10]:
        print("only the reference:", line)
    for line in sorted(listed - reference)[:10]:
        print("only tavoli:", line)
    print(run.stderr)
    sys.exit(1)
print("events_reference: %d instances alike" % len(listed))

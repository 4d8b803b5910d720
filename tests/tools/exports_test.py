"""tdtool's exports read by the readers other programs use: Python's icalendar and csv modules,
and holiday calendars made with the holidays package. Run by CTest as
exports_test.py CASE TDTOOL EXAMPLES; exits 77 when a reader is not installed."""

import csv
import datetime
import json
import os
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ElementTree

SKIP = 77
# The exports' local time zone, nine hours east of UTC, as a POSIX rule: no time zone database
# is needed.
TIME_ZONE = "JST-9"
TOKYO = datetime.timezone(datetime.timedelta(hours=9))
SPANS = {241, 242, 244}
# A plan whose texts need quoting, escaping and folding, with entries at the edges of a day.
TRICKY = {"kind": 1, "rows": [{"lanes": 2, "name": "計画,\"A\";B"}], "items": [
    {"type": 242, "textWeight": 400, "start": {"year": 2020, "month": 12, "day": 31},
     "end": {"year": 2020, "month": 12, "day": 30}, "text": "a,b;c\\d\r\n\"x\""},
    {"type": 243, "textWeight": 400, "start": {"year": 2099, "month": 12, "day": 31}, "text": ""},
    {"type": 244, "textWeight": 400, "start": {"year": 2024, "month": 2, "day": 29},
     "end": {"year": 2024, "month": 3, "day": 1}, "progress": 40, "text": "長" * 64}]}
TRICKY_SCHEDULE = {"kind": 2, "rows": [{"lanes": 6, "name": "夜勤"}], "items": [
    {"type": 247, "textWeight": 400, "start": {"year": 2009, "month": 4, "day": 30, "hour": 23},
     "end": {"hour": 1, "minute": 30}, "text": "①～②"},
    {"type": 247, "textWeight": 400, "start": {"year": 2009, "month": 5, "day": 1}, "text": "x"}]}


def run(*args, cwd=None):
    env = dict(os.environ, TZ=TIME_ZONE, QT_QPA_PLATFORM="offscreen")
    return subprocess.run([TDTOOL, *args], cwd=cwd, env=env, capture_output=True, text=True, timeout=120)


def check(condition, what):
    if not condition:
        sys.exit(f"FAILED: {what}")


def plan_file(plan, directory, name):
    path = os.path.join(directory, name)
    with open(path + ".json", "w", encoding="utf-8") as out:
        json.dump(plan, out, ensure_ascii=False)
    result = run("import", path + ".json", path)
    check(result.returncode == 0, result.stderr)
    return path


def example(name):
    with open(os.path.join(EXAMPLES, name + ".json"), encoding="utf-8") as source:
        return json.load(source), os.path.join(EXAMPLES, name + (".tdp" if name == "project" else ".tds"))


def day(point):
    return datetime.date(point.get("year", 0), point.get("month", 0), point.get("day", 0))


def expected_event(item, rows):
    """What icalendar should read for an item: (start, end, summary, description), None for none."""
    row = next(r.get("name", "") for r in rows if r.get("id", 0) == item["start"].get("rowId", 0))
    start = day(item["start"])
    if item["type"] == 243:
        start, end = start, start + datetime.timedelta(days=1)
    elif item["type"] in SPANS:
        first, last = sorted([start, day({**item["start"], **item["end"]})])
        start, end = first, last + datetime.timedelta(days=1)
    elif item["type"] == 247:
        clock = [item.get(p, {}).get(f, 0) for p in ("start", "end") for f in ("hour", "minute")]
        begin = datetime.datetime(start.year, start.month, start.day, clock[0], clock[1], tzinfo=TOKYO)
        finish = datetime.datetime(start.year, start.month, start.day, clock[2], clock[3], tzinfo=TOKYO)
        finish += datetime.timedelta(days=1 if finish < begin else 0)
        start, end = begin, None if finish == begin else finish
    else:
        return None
    return start, end, item.get("text", "").replace("\r\n", "\n") or row, row


def test_ics():
    import icalendar
    with tempfile.TemporaryDirectory() as directory:
        cases = [example("project"), example("schedule"), (TRICKY, plan_file(TRICKY, directory, "t.tdp")),
                 (TRICKY_SCHEDULE, plan_file(TRICKY_SCHEDULE, directory, "t.tds"))]
        for plan, path in cases:
            uids = []
            for attempt in range(2):
                out = os.path.join(directory, "plan.ics")
                result = run("export", path, "--ics", out)
                check(result.returncode == 0, result.stderr)
                with open(out, "rb") as ics:
                    raw = ics.read()
                lines = raw.split(b"\r\n")
                check(lines[-1] == b"" and all(len(line) <= 75 and b"\n" not in line for line in lines),
                      f"{path}: CR LF lines of at most 75 octets")
                events = icalendar.Calendar.from_ical(raw).walk("VEVENT")
                read = [(e["DTSTART"].dt, e["DTEND"].dt if "DTEND" in e else None, str(e["SUMMARY"]),
                         str(e.get("DESCRIPTION", ""))) for e in events]
                expected = [x for x in (expected_event(i, plan["rows"]) for i in plan["items"]) if x]
                check(read == expected, f"{path}: icalendar reads {read[:3]}, expected {expected[:3]}")
                uids.append([str(e["UID"]) for e in events])
            check(uids[0] == uids[1] and len(set(uids[0])) == len(uids[0]), f"{path}: UIDs unique and stable")


def test_csv():
    with tempfile.TemporaryDirectory() as directory:
        for plan, path in [example("project"), example("schedule"), (TRICKY, plan_file(TRICKY, directory, "t.tdp"))]:
            rows_csv, items_csv = os.path.join(directory, "rows.csv"), os.path.join(directory, "items.csv")
            result = run("export", path, "--csv-rows", rows_csv, "--csv-items", items_csv)
            check(result.returncode == 0, result.stderr)
            tables = []
            for table in (rows_csv, items_csv):
                with open(table, "rb") as raw:
                    check(raw.read(3) == b"\xef\xbb\xbf", f"{table}: a byte order mark")
                with open(table, encoding="utf-8-sig", newline="") as source:
                    tables.append(list(csv.reader(source)))
            rows, items = tables
            check(rows[0] == ["position", "id", "level", "lanes", "name", "person", "comment"], "rows' header")
            check(rows[1:] == [[str(p), str(r.get("id", 0)), str(r.get("level", 0)), str(r["lanes"]), r.get("name", ""),
                                r.get("person", ""), r.get("comment", "")] for p, r in enumerate(plan["rows"])],
                  f"{path}: every row, in document order")
            check(len(items) == len(plan["items"]) + 1, f"{path}: every item")
            for index, (line, item) in enumerate(zip(items[1:], plan["items"])):
                start, end = item["start"], {**item["start"], **item["end"]} if item["type"] in SPANS | {245} else item["start"]
                check(line[0] == str(index) and line[5] == day(start).isoformat() and line[6] == day(end).isoformat(),
                      f"{path}: item {index} in stored order with its dates, {line}")
                check(line[12] == item.get("text", ""), f"{path}: item {index}'s text")
                if item["type"] == 247:
                    check(line[7] == "%02d:%02d" % (start.get("hour", 0), start.get("minute", 0)), f"item {index}'s time")


def japan_calendar(path, years):
    import holidays
    import icalendar
    calendar = icalendar.Calendar()
    calendar.add("prodid", "-//TimelineDraft tests//holidays//EN")
    calendar.add("version", "2.0")
    japan = holidays.Japan(years=years)
    for date, name in sorted(japan.items()):
        event = icalendar.Event()
        event.add("uid", f"{date.isoformat()}@holidays")
        event.add("dtstamp", datetime.datetime(2020, 1, 1, tzinfo=datetime.timezone.utc))
        event.add("summary", name)
        event.add("dtstart", date)
        event.add("dtend", date + datetime.timedelta(days=1))
        calendar.add_component(event)
    with open(path, "wb") as out:
        out.write(calendar.to_ical())
    return set(japan.keys())


def tinted_days(directory, first):
    """The days whose columns the chart tints, from its SVG at zoom 5 (20-pixel days from x 340)."""
    svg = os.path.join(directory, "chart.svg")
    result = run("render", os.path.join(EXAMPLES, "project.tdp"), "--svg", svg, "--zoom", "5",
                 "--first-date", first.isoformat(), cwd=directory)
    check(result.returncode == 0, result.stderr)
    tint = ElementTree.parse(svg).getroot().iter("{http://www.w3.org/2000/svg}g")
    columns = [rect for g in tint if g.get("fill") == "#ff7fff"
               for rect in g.iter("{http://www.w3.org/2000/svg}rect") if rect.get("y") == "46"]
    return {first + datetime.timedelta(days=(int(rect.get("x")) - 340 + n) // 20)
            for rect in columns for n in range(0, int(rect.get("width")), 20)}


def test_holidays():
    with tempfile.TemporaryDirectory() as directory:
        calendar = os.path.join(directory, "japan.ics")
        days = japan_calendar(calendar, range(2020, 2031))
        files = os.path.join(directory, "files")
        os.mkdir(files)
        result = run("holidays", "import", calendar, "--dir", files)
        added = {y: sum(d.year == y for d in days) for y in range(2020, 2031)}
        check(result.returncode == 0 and result.stdout == "".join(f"{y}: {n} days added\n" for y, n in added.items()),
              result.stdout + result.stderr)
        check(sorted(os.listdir(files)) == [f"{y}.cal" for y in range(2020, 2031)], "one file a year")
        for year in range(2020, 2031):
            listed = run("holidays", "list", str(year), cwd=files).stdout.split()
            check(listed == sorted(d.isoformat() for d in days if d.year == year), f"{year}: {listed}")
        again = run("holidays", "import", calendar, "--dir", files)
        check(again.stdout.count(" 0 days added\n") == 11, "a second import adds nothing")
        for first in (datetime.date(2020, 4, 20), datetime.date(2029, 12, 20)):
            tinted = tinted_days(files, first)
            window = {first + datetime.timedelta(days=n) for n in range(50)}
            check(tinted and tinted <= days and days & window <= tinted, f"the chart tints the holidays from {first}")


VEVENT = "BEGIN:VEVENT\r\nUID:{0}@x\r\nDTSTART;VALUE=DATE:{0}\r\nEND:VEVENT\r\n"
CALENDAR = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n{}END:VCALENDAR\r\n"
# Damaged or hostile calendars, each with the message that refuses it.
DAMAGED = [
    (CALENDAR.format("BEGIN:VEVENT\r\nDTSTART;VALUE=DATE20200101\r\nEND:VEVENT\r\n"), "line 4: property DTSTART has no ':'"),
    (" VERSION:2.0\r\n" + CALENDAR.format(""), "line 1: a folded line that continues no line"),
    (CALENDAR.format(VEVENT.format("20200101").replace("\r\nEND:VEVENT", "\rEND:VEVENT")), "a CR that does not end the line"),
    (CALENDAR.format("SUMMARY:\xff\r\n" + VEVENT.format("20200101")), "line 3: not UTF-8 text"),
    (CALENDAR.format("\r\n" + VEVENT.format("20200101")), "line 3: an empty line"),
    (CALENDAR.format(VEVENT.format("20200101")).replace("END:VCALENDAR\r\n", ""), "BEGIN:VCALENDAR is never ended"),
    (CALENDAR.format("END:VEVENT\r\n"), "END:VEVENT ends no open component"),
    (VEVENT.format("20200101"), "BEGIN:VEVENT outside a VCALENDAR"),
    (CALENDAR.format(VEVENT.format("19991231")), "the event on 1999-12-31 lies outside 2000..2099"),
    (CALENDAR.format(VEVENT.format("21000101")), "the event on 2100-01-01 lies outside 2000..2099"),
    (CALENDAR.format(VEVENT.format("20230230")), "DTSTART is neither a date nor a date and time"),
    (CALENDAR.format(VEVENT.format("20200105").replace("END:VEVENT", "DTEND;VALUE=DATE:20200104\r\nEND:VEVENT")),
     "the event ends before it starts"),
    (CALENDAR.format(VEVENT.format("20200105").replace("END:VEVENT", "RRULE:FREQ=YEARLY\r\nEND:VEVENT")), "repeats (RRULE)"),
    (CALENDAR.format(VEVENT.format("20200105").replace("END:VEVENT", "DTEND;VALUE=DATE:20200106\r\nDURATION:P1D\r\nEND:VEVENT")),
     "both DTEND and DURATION"),
    (CALENDAR.format(""), "no all-day events"),
    (CALENDAR.format("".join(VEVENT.format(f"{2000 + n % 100}0101") for n in range(160000))), "larger than 4 MiB"),
]


def test_damaged():
    with tempfile.TemporaryDirectory() as directory:
        calendar = os.path.join(directory, "damaged.ics")
        kept = os.path.join(directory, "2020.cal")
        with open(kept, "wb") as holidays:
            holidays.write(b"# TimelineDraft Holiday File\r\n0505\r\n")
        for text, message in DAMAGED:
            with open(calendar, "wb") as out:
                out.write(text.encode("latin-1"))
            started = time.monotonic()
            result = run("holidays", "import", calendar, "--dir", directory)
            check(time.monotonic() - started < 5, f"{message}: refused at once")
            check(result.returncode == 1 and f"tdtool holidays: {calendar}: " in result.stderr and message in result.stderr,
                  f"expected {message!r}, got {result.stderr!r}")
            check(sorted(os.listdir(directory)) == ["2020.cal", "damaged.ics"], f"{message}: no file written")
            with open(kept, "rb") as holidays:
                check(holidays.read() == b"# TimelineDraft Holiday File\r\n0505\r\n", f"{message}: a kept file unchanged")
        bad_date = plan_file({"kind": 1, "rows": [{"lanes": 2}], "items": [
            {"type": 242, "textWeight": 400, "start": {"year": 2009, "month": 13, "day": 1}}]}, directory, "bad.tdp")
        result = run("export", bad_date, "--ics", os.path.join(directory, "bad.ics"), "--csv-rows", os.path.join(directory, "rows.csv"))
        check(result.returncode == 1 and 'item 0: field "start" is not a date of 2000..2099' in result.stderr, result.stderr)
        check(not os.path.exists(os.path.join(directory, "bad.ics")) and not os.path.exists(os.path.join(directory, "rows.csv")),
              "a refused export writes no file")


if __name__ == "__main__":
    CASE, TDTOOL, EXAMPLES = sys.argv[1:4]
    try:
        {"ics": test_ics, "csv": test_csv, "holidays": test_holidays, "damaged": test_damaged}[CASE]()
    except ModuleNotFoundError as missing:
        print(f"skipped: {missing}")
        sys.exit(SKIP)
    print(f"{CASE}: passed")

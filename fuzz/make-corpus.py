#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets from the program's real inputs: the
default templates, the shipped holidays.txt, memo files, era lists and bilingual
literals (the .bmp corpus is a copy of tests/data/bmp). Run it to make them again."""
import os
import shutil
import struct

here = os.path.dirname(os.path.abspath(__file__))
root = os.path.dirname(here)


def write(target, name, data):
    folder = os.path.join(here, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def sjis(text):
    return text.encode("cp932")


# Dates as the memo file and the settings write them, and odd ones.
for i, text in enumerate(["2024/03/07", "2024-3-7", "0987/01/02", "-4799/1/1", "99999999999/1/1", "y2024m3d7",
                          "", "3999/12/31", "2024/2/30", "- 5"]):
    write("cal_date", "date%d" % i, text.encode())

eras = ['1989/1/8="平成" 1926/12/25="昭和" 1912/7/30="大正" 1868="明治" 2088=""', '1@2333="단군"', '1912="民國"',
        '2000/1/1="A" 2000/1/1="B"', '2000=\t"A"', '2000 / 6 / 1 @ 5 = "A"']
for i, text in enumerate(eras):
    write("era", "era%d" % i, struct.pack(">I", 2460436) + text.encode())

templates = [
    "%Y<(%G%g)> %M{1=\"January\",2=\"February\",3=\"March\",4=\"April\",5=\"May\",6=\"June\",7=\"July\","
    "8=\"August\",9=\"September\",10=\"October\",11=\"November\",12=\"December\"}",
    "%Y<(%G%g{1=\"元\"})>年 %M月",
    "<%G%g{1=\"元\"}年>",
    "%M{1=\"JAN\",2=\"FEB\",3=\"MAR\"} %D{/10,0=\"\"}%D{%10,0=\"0th\",1=\"1st\",2=\"2nd\",3=\"3rd\"} (%W{0=\"SUN\"})",
    "%M月%D日(%W{0=\"日\",1=\"月\",2=\"火\",3=\"水\",4=\"木\",5=\"金\",6=\"土\"}) "
    "%W?A{1=\"先勝\",2=\"友引\",3=\"先負\",4=\"仏滅\",5=\"大安\",6=\"赤口\"}",
    "旧%P?A{0=\"\",1=\"閏\"}%M?A月%D?A##日 %J{%10,0=\"癸\",1=\"甲\"}%J{%12,0=\"丑\",1=\"寅\"}",
    "%Y年 (%Y{%10,0=\"かのえ\"}・%Y{%12,0=\"さる\"}) ― %M月(%M{1=\"睦月\",12=\"師走\"})",
    "[%M.%D## %W{0=\"Sun\",1=\"Mon\"} - %h##:%m##:%s##]",
    ";Tavoli Calendar Memo %Y##/%M##/%D## %h##:%m##:%s##",
    "%X %x %T{1=\"AM\",2=\"PM\"} %t %j %z %Y?J %Y?H %%",
    "%Y##{-2030} %M##{5=\"May\"} %Y{*1000000}",
]
for i, text in enumerate(templates):
    for cp_index, encode in ((0, sjis), (5, str.encode)):
        try:
            body = encode(text)
        except UnicodeEncodeError:
            continue
        head = bytes([cp_index]) + struct.pack(">I", 2460436) + struct.pack(">I", 9 * 3600000 + 5 * 60000) + b"\0"
        write("date_format", "template%d-%d" % (i, cp_index), head + body)

with open(os.path.join(root, "dist", "holidays", "JP.txt"), "rb") as f:
    write("holiday_script", "holidays", struct.pack(">I", 2459946) + f.read())
example = """; weekday colours
#weekday 0 (休日)
#weekday 6 (2)
#begin
m1 d1 (4) "元日"
m1 w1 d8-14 (祝日) "成人の日"
s359 :+0900 s0 >1 :+0900 (4) "春分の日"
#end
w1 x1 <1 (4) "振替休日"
m?a1 :+0900 d?a1 :+0900 "旧正月"
y2000- m5 d5 !w0 (3)
l168-179 :+0900 "満月"
#stop
m12 d31 "never reached"
"""
write("holiday_script", "example", struct.pack(">I", 2459946) + sjis(example))
write("holiday_script", "nested", struct.pack(">I", 2460311) +
      b"#begin\nd1-31 x1 <1 x1 >1\n#begin\nd2 x1 <2\n#end\n#end\nx1 <3 x1 >3 (1)\n")

memos = [
    ";Tavoli Calendar Memo 24/03/07 09:05:03\r\n2024/03/07=dentist 10:00\r\n2024/05/05=" + "表示" + "\r\n",
    "2024/3/7=x\r\n2024-3-7=y\r\n2024/03/07#tag\r\n2024/03/07=\r\n   ; note\r\n",
    "2024/01/01=a\r\n日本=bad\r\n2024/02/01=after\r\n",
]
for i, text in enumerate(memos):
    write("memo", "memo%d" % i, sjis(text))

literals = ["Exit\tja:終了", "/\tja:月\tkr:월\ttw:月", "\tja:日\tkr:일\tch:号\ttw:號", "a\t\tja:b\t",
            "Options\tja:設定", "begins:%Y/%M/%D\tja:開始日：%Y年%M月%D日("]
for i, text in enumerate(literals):
    for cp_index, code in ((0, b"ja\0\0"), (2, b"kr\0\0"), (4, b"en\0\0"), (5, b"tw\0\0")):
        write("lang_text", "literal%d-%d" % (i, cp_index), bytes([cp_index]) + code[::-1] + text.encode())

for name in os.listdir(os.path.join(root, "tests", "data", "bmp")):
    if name.endswith(".bmp"):
        os.makedirs(os.path.join(here, "corpus", "bitmap"), exist_ok=True)
        shutil.copy(os.path.join(root, "tests", "data", "bmp", name), os.path.join(here, "corpus", "bitmap", name))

zone = ("BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\nBEGIN:STANDARD\r\nDTSTART:20071104T020000\r\n"
        "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nTZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nEND:STANDARD\r\n"
        "BEGIN:DAYLIGHT\r\nDTSTART:20070311T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\n"
        "TZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n")
calendars = {
    "weekly": zone + "BEGIN:VEVENT\r\nUID:w\r\nDTSTART;TZID=America/New_York:20240304T090000\r\nDURATION:PT1H\r\n"
              "RRULE:FREQ=WEEKLY;BYDAY=MO,WE;UNTIL=20250101T000000Z\r\nEXDATE;TZID=America/New_York:20240311T090000\r\n"
              "SUMMARY:Standup\\, long\r\n  folded\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\nUID:w\r\n"
              "RECURRENCE-ID;RANGE=THISANDFUTURE;TZID=America/New_York:20240318T090000\r\n"
              "DTSTART;TZID=America/New_York:20240318T100000\r\nDURATION:PT1H\r\nEND:VEVENT\r\n",
    "dates": "BEGIN:VEVENT\r\nUID:d\r\nDTSTART;VALUE=DATE:20240229\r\nRRULE:FREQ=YEARLY\r\n"
             "RDATE;VALUE=PERIOD:20240401T100000Z/PT2H\r\nRDATE;VALUE=DATE:20240105\r\nEND:VEVENT\r\n",
    "rules": "BEGIN:VEVENT\r\nUID:r\r\nDTSTART:19970929T090000\r\n"
             "RRULE:FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-2;BYWEEKNO=1,-1;BYYEARDAY=-1\r\nEND:VEVENT\r\n"
             "BEGIN:VEVENT\r\nUID:s\r\nDTSTART:20000101T000000Z\r\nRRULE:FREQ=SECONDLY\r\nEND:VEVENT\r\n",
}
for name, body in calendars.items():
    write("ics", name, struct.pack(">I", 600000) + ("BEGIN:VCALENDAR\r\n" + body + "END:VCALENDAR\r\n").encode())

// A small holiday script with every kind of line: weekday kinds, a block, shifts, a
// lunisolar rule, a negation, the moon and #stop. UTF-8, converted to each run's code page.
#pragma once

namespace tavoli {

inline constexpr const char* kExampleScript =
    "; weekday colours\n"
    "#weekday 0 (休日)\n"
    "#weekday 6 (2)\n"
    "#begin\n"
    "m1 d1 (4) \"元日\"\n"
    "m1 w1 d8-14 (祝日) \"成人の日\"\n"
    "s359 :+0900 s0 >1 :+0900 (4) \"春分の日\"\n"
    "#end\n"
    "w1 x1 <1 (4) \"振替休日\"\n"
    "m?a1 :+0900 d?a1 :+0900 \"旧正月\"\n"
    "y2000- m5 d5 !w0 (3)\n"
    "l168-179 :+0900 \"満月\"\n"
    "#stop\n"
    "m12 d31 \"never reached\"\n";

}  // namespace tavoli

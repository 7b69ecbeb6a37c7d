#include "calendar/lunisolar.h"

#include <cmath>
#include <vector>

#include "calendar/lunisolar_memo.h"

namespace tavoli {

namespace {

// The degree-to-radian factor as the series were fitted with it (truncated, not π/180).
constexpr long double kRadiansPerDegree = 0.01745329251994L;
constexpr long double kCenturiesPerDay = 1.0L / 36525.0L;

// Solar series: amplitude (degrees), rate (degrees per Julian century), phase (degrees).
constexpr float kSolarAmplitude[14] = {0.02f,   0.002f,  0.0018f, 0.0018f, 0.0015f, 0.0013f, 0.0007f,
                                       0.0007f, 0.0007f, 0.0006f, 0.0005f, 0.0005f, 0.0004f, 0.0004f};
constexpr float kSolarRate[14] = {71998.1f, 32964.0f, 19.0f,    445267.0f, 45038.0f, 22519.0f, 65929.0f,
                                  3035.0f,  9038.0f,  33718.0f, 155.0f,    2281.0f,  29930.0f, 31557.0f};
constexpr float kSolarPhase[14] = {265.1f, 158.0f, 159.0f, 208.0f, 254.0f, 352.0f, 45.0f,
                                   110.0f, 64.0f,  316.0f, 118.0f, 221.0f, 48.0f,  161.0f};

// Lunar series: the rates need doubles, amplitudes and phases fit in floats.
constexpr float kLunarAmplitude[61] = {
    6.2888f, 1.274f,  0.6583f, 0.2136f, 0.1851f, 0.1144f, 0.0588f, 0.0571f, 0.0533f, 0.0458f, 0.0409f, 0.0347f, 0.0304f,
    0.0154f, 0.0125f, 0.011f,  0.0107f, 0.01f,   0.0085f, 0.0079f, 0.0068f, 0.0052f, 0.005f,  0.004f,  0.004f,  0.004f,
    0.0038f, 0.0037f, 0.0028f, 0.0027f, 0.0026f, 0.0024f, 0.0023f, 0.0022f, 0.0021f, 0.0021f, 0.0021f, 0.0018f, 0.0016f,
    0.0012f, 0.0011f, 0.0009f, 0.0008f, 0.0007f, 0.0007f, 0.0007f, 0.0007f, 0.0006f, 0.0006f, 0.0005f, 0.0005f, 0.0005f,
    0.0004f, 0.0004f, 0.0003f, 0.0003f, 0.0003f, 0.0003f, 0.0003f, 0.0003f, 0.0003f};
constexpr double kLunarRate[61] = {
    477198.868, 413335.35, 890534.22, 954397.74, 35999.05,  966404.0,  63863.5,   377336.3,  1367733.1,
    854535.2,   441199.8,  445267.1,  513197.9,  75870.0,   1443603.0, 489205.0,  1303870.0, 1431597.0,
    826671.0,   449334.0,  926533.0,  31932.0,   481266.0,  1331734.0, 1844932.0, 133.0,     1781068.0,
    541062.0,   1934.0,    918399.0,  1379739.0, 99863.0,   922466.0,  818536.0,  990397.0,  71998.0,
    341337.0,   401329.0,  1856938.0, 1267871.0, 1920802.0, 858602.0,  1403732.0, 790672.0,  405201.0,
    485333.0,   27864.0,   111869.0,  2258267.0, 1908795.0, 1745069.0, 509131.0,  39871.0,   12006.0,
    958465.0,   381404.0,  349472.0,  1808933.0, 549197.0,  4067.0,    2322131.0};
constexpr float kLunarPhase[61] = {
    44.963f, 10.74f, 145.7f, 179.93f, 87.53f, 276.5f, 124.2f, 13.2f,  280.7f, 148.2f, 47.4f,  27.9f,  222.5f,
    41.0f,   52.0f,  142.0f, 246.0f,  315.0f, 111.0f, 188.0f, 323.0f, 107.0f, 205.0f, 283.0f, 56.0f,  29.0f,
    21.0f,   259.0f, 145.0f, 182.0f,  17.0f,  122.0f, 163.0f, 151.0f, 357.0f, 85.0f,  16.0f,  274.0f, 152.0f,
    249.0f,  186.0f, 129.0f, 98.0f,   114.0f, 50.0f,  186.0f, 127.0f, 38.0f,  156.0f, 90.0f,  24.0f,  242.0f,
    223.0f,  187.0f, 340.0f, 354.0f,  337.0f, 58.0f,  220.0f, 70.0f,  191.0f};

constexpr double kSolarDaysPerDegree = 1.014561639564;
constexpr double kLunarDaysPerDegree = 0.08202941388889;
constexpr double kTolerance = 0.0005;
constexpr int kIterations = 21;

// Julian centuries from J2000.0 in dynamical time.
long double CenturiesOf(const CalDateTime& moment) {
    const long double jd = moment.JulianDate();
    const long double t0 = (jd - 2415020.0L) * kCenturiesPerDay;
    const long double deltaT =
        0.0008370138888888889L * t0 + 0.00028181712962962964L + 0.00034664351851851854L * t0 * t0;  // days
    return (jd + deltaT - 2451545.0L) * kCenturiesPerDay;
}

long double Normalise(long double degrees) {
    // The same result as stepping by 3,600 while outside (−3,600, 3,600) — each step is
    // exact in extended precision — without thousands of steps for far-away years.
    if (degrees <= -3600.0L || degrees >= 3600.0L) degrees = std::fmod(degrees, 3600.0L);
    while (degrees < 0.0L) degrees += 360.0L;
    while (degrees >= 360.0L) degrees -= 360.0L;
    return degrees;
}

// A longitude's whole degrees; a value that is no number counts as 0.
int WholeDegrees(long double degrees) {
    if (!(degrees > -1.0e9L && degrees < 1.0e9L)) return 0;
    return static_cast<int>(degrees);
}

CalDateTime MoveByDays(const CalDateTime& moment, double days) {
    return CalDateTime::FromJulianDate(static_cast<double>(moment.JulianDate() + days));
}

// The universal moment at which local day d begins, and the local date of a moment.
CalDateTime StartOfLocalDay(CalDate date, TimeOfDay offset) { return CalDateTime(date, TimeOfDay(0)) - offset; }
CalDate LocalDate(const CalDateTime& moment, TimeOfDay offset) { return (moment + offset).Date(); }

// The cosine in extended precision. On x86 the FPU's own instruction gives it at a sixth
// of the C library's cost (the series make a few thousand calls per conversion); it is
// exact enough for arguments far beyond any date.
inline long double ExtendedCos(long double x) {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    if (x > -1.0e18L && x < 1.0e18L) {
        long double result;
        __asm__("fcos" : "=t"(result) : "0"(x));
        return result;
    }
#endif
    return std::cos(x);
}

int FloorMod(int v, int m) {
    int r = v % m;
    return r < 0 ? r + m : r;
}

}  // namespace

long double SolarLongitude(const CalDateTime& moment) {
    const long double t = CenturiesOf(moment);
    const long double g = ExtendedCos((35999.05L * t + 267.52L) * kRadiansPerDegree);
    long double longitude = 36000.7695L * t + 280.4659L + 1.9147L * g - 0.0048L * t * g;
    for (int i = 0; i < 14; ++i) {
        longitude += kSolarAmplitude[i] * ExtendedCos((t * kSolarRate[i] + kSolarPhase[i]) * kRadiansPerDegree);
    }
    longitude += 0.0048L * ExtendedCos(33.754667733563956L * t + 2.5307274153912998L) - 0.0057L;
    return Normalise(longitude);
}

long double LunarLongitude(const CalDateTime& moment) {
    const long double t = CenturiesOf(moment);
    long double longitude = 481267.8809L * t + 218.3162L;
    for (int i = 0; i < 61; ++i) {
        longitude += kLunarAmplitude[i] * ExtendedCos((t * kLunarRate[i] + kLunarPhase[i]) * kRadiansPerDegree);
    }
    return Normalise(longitude);
}

double Elongation(const CalDateTime& moment) {
    double e = static_cast<double>(LunarLongitude(moment)) - static_cast<double>(SolarLongitude(moment));
    while (e < 0.0) e += 360.0;
    while (e >= 360.0) e -= 360.0;
    return e;
}

CalDateTime FindSolarLongitude(int year, int longitude) {
    CalDateTime t(CalDate(year, 1, 1), TimeOfDay(0));
    auto error = [&] { return std::fmod(static_cast<double>(SolarLongitude(t)) - longitude + 360.0, 360.0); };
    // The first step always goes forward: the first time in the year.
    t = MoveByDays(t, (360.0 - error()) * kSolarDaysPerDegree);
    for (int i = 0; i < kIterations; ++i) {
        const double e = error();
        if (e < kTolerance || e > 360.0 - kTolerance) return t;
        t = e >= 180.0 ? MoveByDays(t, (360.0 - e) * kSolarDaysPerDegree) : MoveByDays(t, -e * kSolarDaysPerDegree);
    }
    return t;
}

CalDateTime FindMoonPhase(const CalDateTime& start, int direction, int phase) {
    if (direction == 0) return CalDateTime();
    CalDateTime t = start;
    auto error = [&] {
        return std::fmod(
            static_cast<double>(LunarLongitude(t)) - static_cast<double>(SolarLongitude(t)) - phase + 720.0, 360.0);
    };
    const double e0 = error();
    t = direction < 0 ? MoveByDays(t, -e0 * kLunarDaysPerDegree) : MoveByDays(t, (360.0 - e0) * kLunarDaysPerDegree);
    for (int i = 0; i < kIterations; ++i) {
        const double e = error();
        if (e < kTolerance || e > 360.0 - kTolerance) return t;
        t = e >= 180.0 ? MoveByDays(t, (360.0 - e) * kLunarDaysPerDegree) : MoveByDays(t, -e * kLunarDaysPerDegree);
    }
    return t;
}

LunarQuarter SearchLunarQuarter(int searchYear, int longitude, TimeOfDay offset) {
    const CalDateTime quarterPoint = FindSolarLongitude(searchYear, longitude);
    const CalDate quarterDay = LocalDate(quarterPoint, offset);

    // Month starts from the month that holds the quarter point to the first month that
    // begins after the next one: normally 5, 6 with a leap month, 4 with two months only.
    LunarQuarter quarter;
    CalDateTime newMoon = FindMoonPhase(StartOfLocalDay(quarterDay + 1, offset), -1, 0);
    quarter.starts[0] = LocalDate(newMoon, offset);
    quarter.degrees[0] = WholeDegrees(SolarLongitude(StartOfLocalDay(quarter.starts[0], offset)));
    quarter.count = 1;
    while (quarter.count < LunarQuarter::kMaxStarts) {
        newMoon = FindMoonPhase(CalDateTime(newMoon.Date() + 27, TimeOfDay(0)), 1, 0);
        const int i = quarter.count++;
        quarter.starts[i] = LocalDate(newMoon, offset);
        quarter.degrees[i] = WholeDegrees(SolarLongitude(StartOfLocalDay(quarter.starts[i], offset)));
        if (quarter.count > 2 && quarter.degrees[i - 1] / 90 != quarter.degrees[i] / 90) break;
    }
    return quarter;
}

LunarDate ToLunarDate(CalDate date, TimeOfDay offset) {
    LunarDate result;
    if (date.IsNull()) return result;

    // The quarter: the last equinox or solstice reached before local day D began.
    const long double quarterLongitude = SolarLongitude(StartOfLocalDay(date, offset));
    const int s = 90 * WholeDegrees(quarterLongitude * (1.0L / 90.0L));  // 0, 90, 180 or 270
    const YearMonthDay ymd = date.Parts();
    int searchYear = ymd.year;
    if (s == 270 && ymd.month <= 3) searchYear -= 1;  // the winter solstice lies in the previous December

    // Every day of a quarter searches the same months: the memo keeps them.
    LunarQuarter searched;
    const LunarQuarter* found = &searched;
    if (LunisolarMemoOn()) found = &ThisThreadsLunarQuarterMemo().Get(searchYear, s, offset);
    else searched = SearchLunarQuarter(searchYear, s, offset);
    const LunarQuarter& quarter = *found;
    const int count = quarter.count;

    // The month of D; a day before the first start (bad input only) counts in the first.
    int index = 0;
    for (int j = 0; j < count; ++j) {
        if (date < quarter.starts[j]) {
            index = j > 0 ? j - 1 : 0;
            break;
        }
    }

    const int q = s / 30;
    int code = (q + index + 1) % 12 + 1;
    if (count == LunarQuarter::kMaxStarts) {
        // Four month starts in one quarter: the first month without a principal term (the
        // Sun stays in one 30° sector) is the leap month.
        for (int k = 0; k <= index; ++k) {
            if (quarter.degrees[k] / 30 == quarter.degrees[k + 1] / 30) {
                code = k < index ? (q + index) % 12 + 1 : (q + index) % 12 + 13;
                break;
            }
        }
    }

    result.monthCode = code;
    result.day = date - quarter.starts[index] + 1;
    result.year = ymd.year;
    const int ordinary = (code - 1) % 12 + 1;
    if (ymd.month <= 2 && ordinary >= 6) result.year -= 1;
    result.rokuyo = FloorMod(code + result.day - 2, 6) + 1;
    return result;
}

namespace {

// The months from one 11th month (the one that holds the winter solstice of a year) to the
// next: starts[0] … starts[count], the last being the next 11th month's, and the leap month's
// index (0: none; the 11th month itself is never leap).
struct ChineseYear {
    static constexpr int kMaxMonths = 14;
    CalDate starts[kMaxMonths + 1];
    int count = 0;
    int leap = 0;
};

CalDate EleventhMonthStart(int year, TimeOfDay offset) {
    const CalDate solstice = LocalDate(FindSolarLongitude(year, 270), offset);
    return LocalDate(FindMoonPhase(StartOfLocalDay(solstice + 1, offset), -1, 0), offset);
}

int PrincipalSector(CalDate day, TimeOfDay offset) {
    return WholeDegrees(SolarLongitude(StartOfLocalDay(day, offset))) / 30;
}

ChineseYear SearchChineseYear(int solsticeYear, TimeOfDay offset) {
    ChineseYear year;
    const CalDate next = EleventhMonthStart(solsticeYear + 1, offset);
    year.starts[0] = EleventhMonthStart(solsticeYear, offset);
    CalDateTime newMoon = FindMoonPhase(StartOfLocalDay(year.starts[0] + 1, offset), -1, 0);
    while (year.count < ChineseYear::kMaxMonths) {
        newMoon = FindMoonPhase(CalDateTime(newMoon.Date() + 27, TimeOfDay(0)), 1, 0);
        const CalDate start = LocalDate(newMoon, offset);
        year.starts[++year.count] = start;
        if (!(start < next)) break;
    }
    if (year.count == 13) {
        for (int i = 1; i < 13; ++i) {
            if (PrincipalSector(year.starts[i], offset) == PrincipalSector(year.starts[i + 1], offset)) {
                year.leap = i;
                break;
            }
        }
    }
    return year;
}

// Every day of a year searches the same months: the last few are kept, per thread.
const ChineseYear& ChineseYearOf(int solsticeYear, TimeOfDay offset) {
    struct Kept {
        int year;
        int32_t offset;
        ChineseYear months;
    };
    thread_local std::vector<Kept> kept;
    for (const Kept& k : kept) {
        if (k.year == solsticeYear && k.offset == offset.Milliseconds()) return k.months;
    }
    if (kept.size() >= 8) kept.erase(kept.begin());
    kept.push_back({solsticeYear, offset.Milliseconds(), SearchChineseYear(solsticeYear, offset)});
    return kept.back().months;
}

}  // namespace

LunarDate ToChineseLunarDate(CalDate date, TimeOfDay offset) {
    LunarDate result;
    if (date.IsNull()) return result;
    const YearMonthDay ymd = date.Parts();
    // An 11th month begins between late November and the solstice: earlier days belong to
    // the year of months that began with the last one.
    int solsticeYear = ymd.year - 1;
    if (ymd.month >= 11 && !(date < ChineseYearOf(ymd.year, offset).starts[0])) solsticeYear = ymd.year;
    const ChineseYear& year = ChineseYearOf(solsticeYear, offset);
    int index = 0;
    while (index + 1 < year.count && !(date < year.starts[index + 1])) ++index;
    int month = 11;
    for (int i = 1; i <= index; ++i) {
        if (i != year.leap) month = month % 12 + 1;
    }
    result.monthCode = index != 0 && index == year.leap ? month + 12 : month;
    result.day = date - year.starts[index] + 1;
    result.year = ymd.year;
    if (ymd.month <= 2 && month >= 6) result.year -= 1;
    result.rokuyo = FloorMod(result.monthCode + result.day - 2, 6) + 1;
    return result;
}

}  // namespace tavoli

#include "framework/platform_host.h"

#include <iconv.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace tavoli {

bool IsLeadByteOf(int codePage, unsigned char b) {
    switch (codePage) {
    case kCodePageJapanese: return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    case kCodePageSimplifiedChinese:
    case kCodePageKorean:
    case kCodePageTraditionalChinese: return b >= 0x81 && b <= 0xFE;
    default: return false;
    }
}

size_t Utf8SequenceLength(const char* text, const char* end) {
    auto b = static_cast<unsigned char>(text[0]);
    size_t length = b >= 0xF0 && b <= 0xF4 ? 4 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xC2 && b <= 0xDF ? 2 : 1;
    if (length > static_cast<size_t>(end - text)) return 1;
    for (size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 1;
    }
    return length;
}

namespace {

std::string IconvName(int codePage) {
    switch (codePage) {
    case kCodePageUtf8: return "UTF-8";
    case kCodePageTraditionalChinese: return "CP950";
    default: return "CP" + std::to_string(codePage);
    }
}

// Converts with iconv; an unconvertible character becomes "?" and is stepped over whole.
std::string Convert(std::string_view input, const std::string& from, const std::string& to, int inputCodePage) {
    if (from == to) return std::string(input);
    iconv_t cd = iconv_open(to.c_str(), from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(input);
    std::string out;
    out.reserve(input.size() * 2 + 4);
    const char* in = input.data();
    const char* const end = input.data() + input.size();
    char buffer[256];
    while (in < end) {
        char* inPtr = const_cast<char*>(in);
        size_t inLeft = static_cast<size_t>(end - in);
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        in = inPtr;
        if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
            out.push_back('?');
            size_t skip = inputCodePage == kCodePageUtf8 ? Utf8SequenceLength(in, end)
                          : IsLeadByteOf(inputCodePage, static_cast<unsigned char>(*in)) && end - in >= 2 ? 2
                                                                                                          : 1;
            in += skip;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

std::string LanguageFromEnvironment() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (!value || !*value) continue;
        std::string name;
        for (const char* p = value; *p && name.size() < 2; ++p) {
            if (*p >= 'a' && *p <= 'z') name.push_back(static_cast<char>(*p - 'a' + 'A'));
            else break;
        }
        // "C" and "POSIX" carry no language: the system's default is English.
        if (name.size() == 2) return name + "X";
        break;
    }
    return "ENU";
}

SystemTimeParts PartsFromTm(const std::tm& tm, long milliseconds) {
    SystemTimeParts parts;
    parts.year = static_cast<uint16_t>(tm.tm_year + 1900);
    parts.month = static_cast<uint16_t>(tm.tm_mon + 1);
    parts.dayOfWeek = static_cast<uint16_t>(tm.tm_wday);
    parts.day = static_cast<uint16_t>(tm.tm_mday);
    parts.hour = static_cast<uint16_t>(tm.tm_hour);
    parts.minute = static_cast<uint16_t>(tm.tm_min);
    parts.second = static_cast<uint16_t>(tm.tm_sec);
    parts.milliseconds = static_cast<uint16_t>(milliseconds);
    return parts;
}

}  // namespace

// "de_DE.UTF-8" → "DE": the territory of the first locale variable that is set.
std::string CountryFromEnvironment() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (!value || !*value) continue;
        const std::string_view locale(value);
        const size_t underscore = locale.find('_');
        // "C" names no territory: the next variable may.
        if (underscore == std::string_view::npos || locale.size() < underscore + 3) continue;
        const std::string country(locale.substr(underscore + 1, 2));
        const bool letters = std::all_of(country.begin(), country.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
        return letters ? country : std::string();
    }
    return {};
}

HostPlatform::HostPlatform()
    : codePage_(kCodePageUtf8), languageName_(LanguageFromEnvironment()), country_(CountryFromEnvironment()) {}

void HostPlatform::SetCodePage(int codePage) {
    codePage_ = codePage;
    BumpGeneration();
}

void HostPlatform::SetAbbreviatedLanguageName(std::optional<std::string> name) {
    languageName_ = std::move(name);
    BumpGeneration();
}

void HostPlatform::SetLocalTime(std::optional<SystemTimeParts> local) { fixedLocal_ = local; }

void HostPlatform::SetTimeZoneBias(std::optional<int32_t> minutes) {
    bias_ = minutes;
    zoneSet_ = true;
}

size_t HostPlatform::CharLength(const char* text, const char* end) const {
    if (codePage_ == kCodePageUtf8) return Utf8SequenceLength(text, end);
    if (IsLeadByteOf(codePage_, static_cast<unsigned char>(text[0])) && end - text >= 2 && text[1] != 0) return 2;
    return 1;
}

bool HostPlatform::AbbreviatedLanguageName(std::string& name) const {
    if (!languageName_) return false;
    name = *languageName_;
    return true;
}

std::string HostPlatform::FromUtf8(std::string_view utf8) const {
    return Convert(utf8, "UTF-8", IconvName(codePage_), kCodePageUtf8);
}

std::string HostPlatform::ToUtf8(std::string_view ansi) const {
    return Convert(ansi, IconvName(codePage_), "UTF-8", codePage_);
}

SystemTimeParts HostPlatform::LocalTime() const {
    if (fixedLocal_) return *fixedLocal_;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm tm{};
    localtime_r(&now.tv_sec, &tm);
    return PartsFromTm(tm, now.tv_nsec / 1000000);
}

SystemTimeParts HostPlatform::UniversalTime() const {
    timespec now{};
    if (fixedLocal_) {
        // Rebuild the fixed local moment as seconds and shift it by the bias.
        std::tm tm{};
        tm.tm_year = fixedLocal_->year - 1900;
        tm.tm_mon = fixedLocal_->month - 1;
        tm.tm_mday = fixedLocal_->day;
        tm.tm_hour = fixedLocal_->hour;
        tm.tm_min = fixedLocal_->minute;
        tm.tm_sec = fixedLocal_->second;
        int32_t bias = 0;
        TimeZoneBias(bias);
        time_t seconds = timegm(&tm) + static_cast<time_t>(bias) * 60;
        std::tm utc{};
        gmtime_r(&seconds, &utc);
        return PartsFromTm(utc, fixedLocal_->milliseconds);
    }
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm tm{};
    gmtime_r(&now.tv_sec, &tm);
    return PartsFromTm(tm, now.tv_nsec / 1000000);
}

bool HostPlatform::TimeZoneBias(int32_t& minutes) const {
    if (zoneSet_) {
        if (!bias_) return false;
        minutes = *bias_;
        return true;
    }
    tzset();
    minutes = static_cast<int32_t>(timezone / 60);
    return true;
}

bool HostPlatform::UtcOffsetAt(std::string_view zone, int64_t utcSeconds, int32_t& offset) const {
    if (zone.empty() && zoneSet_) {
        if (!bias_) return false;
        offset = -*bias_ * 60;
        return true;
    }
    std::string previous;
    const char* const current = std::getenv("TZ");
    const bool hadZone = current != nullptr;
    if (hadZone) previous = current;
    if (!zone.empty()) {
        // Only a file of the database names a zone: the C library takes any other text
        // as UTC without a word.
        const std::string name(zone);
        if (name.find("..") != std::string::npos || name[0] == '/' ||
            access(("/usr/share/zoneinfo/" + name).c_str(), R_OK) != 0)
            return false;
        setenv("TZ", (":" + name).c_str(), 1);
        tzset();
    }
    const time_t seconds = static_cast<time_t>(utcSeconds);
    std::tm local{};
    const bool converted = localtime_r(&seconds, &local) != nullptr;
    if (!zone.empty()) {
        if (hadZone) setenv("TZ", previous.c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }
    if (!converted) return false;
    offset = static_cast<int32_t>(local.tm_gmtoff);
    return true;
}

void HostPlatform::SetDateTimePictures(std::string shortDate, std::string time) {
    shortDatePicture_ = std::move(shortDate);
    timePicture_ = std::move(time);
}

std::string HostPlatform::ShortDateText(const SystemTimeParts& moment) const {
    if (shortDatePicture_) return FormatPicture(*shortDatePicture_, moment);
    return FormatPicture(codePage_ == kCodePageJapanese ? "yyyy/MM/dd" : "M/d/yyyy", moment);
}

std::string HostPlatform::TimeText(const SystemTimeParts& moment) const {
    if (timePicture_) return FormatPicture(*timePicture_, moment);
    return FormatPicture(codePage_ == kCodePageJapanese ? "H:mm:ss" : "h:mm:ss tt", moment);
}

int HostPlatform::ShowMessageBox(const MessageBoxRequest& request) const {
    std::fprintf(stderr, "%s: %s\n", ToUtf8(request.caption).c_str(), ToUtf8(request.text).c_str());
    return (request.style & 0xF) == mb::kOk ? mb::kIdOk : 0;
}

std::string HostPlatform::SystemErrorText(int32_t code) const {
    // The codes ErrorFromErrno gives, with the system's own wording.
    switch (code) {
    case 2: return "The system cannot find the file specified.";
    case 3: return "The system cannot find the path specified.";
    case 4: return "The system cannot open the file.";
    case 5: return "Access is denied.";
    case 19: return "The media is write protected.";
    case 31: return "A device attached to the system is not functioning.";
    case 80: return "The file exists.";
    case 112: return "There is not enough space on the disk.";
    case 206: return "The filename or extension is too long.";
    case 233: return "No process is on the other end of the pipe.";
    default: return {};
    }
}

std::string HostPlatform::ExecutablePath() const {
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return {};
    return std::string(buffer, static_cast<size_t>(length));
}

ErrorValue ErrorFromErrno(int error) {
    switch (error) {
    case 0: return kSuccess;
    case ENOENT: return ErrorFromSystem(2);   // ERROR_FILE_NOT_FOUND
    case ENOTDIR: return ErrorFromSystem(3);  // ERROR_PATH_NOT_FOUND
    case EMFILE:
    case ENFILE: return ErrorFromSystem(4);  // ERROR_TOO_MANY_OPEN_FILES
    case EACCES:
    case EPERM:
    case EISDIR: return ErrorFromSystem(5);          // ERROR_ACCESS_DENIED
    case EROFS: return ErrorFromSystem(19);          // ERROR_WRITE_PROTECT
    case EEXIST: return ErrorFromSystem(80);         // ERROR_FILE_EXISTS
    case ENOSPC: return ErrorFromSystem(112);        // ERROR_DISK_FULL
    case ENAMETOOLONG: return ErrorFromSystem(206);  // ERROR_FILENAME_EXCED_RANGE
    case ENXIO: return ErrorFromSystem(233);         // ERROR_PIPE_NOT_CONNECTED (a FIFO without a reader)
    default: return ErrorFromSystem(31);             // ERROR_GEN_FAILURE
    }
}

std::string FormatPicture(std::string_view picture, const SystemTimeParts& moment) {
    std::string out;
    size_t i = 0;
    while (i < picture.size()) {
        const char c = picture[i];
        size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c) ++run;
        auto number = [&](int value, size_t minDigits) {
            std::string digits = std::to_string(value);
            if (digits.size() < minDigits) digits.insert(0, minDigits - digits.size(), '0');
            out += digits;
        };
        const int hour12 = moment.hour % 12 == 0 ? 12 : moment.hour % 12;
        switch (c) {
        case 'd': number(moment.day, run >= 2 ? 2 : 1); break;
        case 'M': number(moment.month, run >= 2 ? 2 : 1); break;
        case 'y': run >= 3 ? number(moment.year, 4) : number(moment.year % 100, 2); break;
        case 'h': number(hour12, run >= 2 ? 2 : 1); break;
        case 'H': number(moment.hour, run >= 2 ? 2 : 1); break;
        case 'm': number(moment.minute, run >= 2 ? 2 : 1); break;
        case 's': number(moment.second, run >= 2 ? 2 : 1); break;
        case 't': out += moment.hour < 12 ? (run >= 2 ? "AM" : "A") : (run >= 2 ? "PM" : "P"); break;
        case '\'':
            run = 1;
            while (i + run < picture.size() && picture[i + run] != '\'') out.push_back(picture[i + run++]);
            if (i + run < picture.size()) ++run;
            break;
        default: out.append(run, c); break;
        }
        i += run;
    }
    return out;
}

const Platform& SystemPlatform() {
    static const HostPlatform platform;
    return platform;
}

}  // namespace tavoli

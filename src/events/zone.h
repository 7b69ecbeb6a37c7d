// Time zones as appointments need them: a value that answers "the offset at this UTC
// instant", from a file's VTIMEZONE, from the system, or fixed.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "events/recurrence.h"

namespace tavoli {

class Zone {
public:
    virtual ~Zone() = default;
    // Seconds east of UTC at the instant.
    virtual int32_t OffsetAt(int64_t utc) const = 0;
    // The instant of a local time: a time that a change of clock skips is read with the
    // offset before the change, one that it repeats is the first of the two.
    int64_t ToUtc(int64_t local) const;
    int64_t ToLocal(int64_t utc) const { return utc + OffsetAt(utc); }
};

class FixedZone : public Zone {
public:
    explicit FixedZone(int32_t offset) : offset_(offset) {}
    int32_t OffsetAt(int64_t) const override { return offset_; }

private:
    int32_t offset_;
};

// The system's zone (an empty name) or one it knows by name, through the platform; UTC
// where the platform knows no such zone (Known() says which).
class SystemZone : public Zone {
public:
    explicit SystemZone(std::string name = {});
    int32_t OffsetAt(int64_t utc) const override;
    bool Known() const { return known_; }
    const std::string& Name() const { return name_; }

private:
    std::string name_;
    bool known_ = false;
    // The system is slow to ask (a file or the registry read each time); changes of clock
    // fall on quarter hours, so an answer holds for its quarter.
    mutable std::unordered_map<int64_t, int32_t> quarters_;
};

// A VTIMEZONE: its STANDARD and DAYLIGHT observances, each beginning at its DTSTART (a
// local time in the offset it changes from) and again at each instance of its rule or date.
class CalendarZone : public Zone {
public:
    struct Observance {
        int64_t start = 0;  // local, in offsetFrom
        int32_t offsetFrom = 0, offsetTo = 0;
        bool hasRule = false;
        RecurrenceRule rule;
        std::vector<int64_t> dates;  // RDATE, local
    };
    std::string id;
    std::vector<Observance> observances;

    int32_t OffsetAt(int64_t utc) const override;

private:
    // The rule's onsets (local) in one year of one observance, computed once.
    const std::vector<int64_t>& Onsets(size_t observance, int year) const;
    mutable std::map<std::pair<size_t, int>, std::vector<int64_t>> onsets_;
    // The spans between two changes that answers came from, by their start: questions
    // about a range fall in a few of them.
    struct Span {
        int64_t from, to;
        int32_t offset;
    };
    mutable std::vector<Span> spans_;
};

// "+0900", "-0530" or "+09:00" as seconds east; false for another text.
bool ParseOffsetText(std::string_view text, int32_t& offset);

}  // namespace tavoli

#include "document/calendar_document.h"

#include <utility>

namespace tavoli {

void CalendarDocument::SetScript(HolidayScript script) {
    script_ = std::move(script);
    ++scriptGeneration_;
}

}  // namespace tavoli

#include "document/calendar_document.h"

#include <utility>

namespace tavoli {

void CalendarDocument::SetScript(HolidayScript script, ScriptSource source) {
    script_ = std::move(script);
    source_ = std::move(source);
    ++scriptGeneration_;
}

}  // namespace tavoli

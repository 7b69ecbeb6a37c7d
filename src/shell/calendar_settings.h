// Every value that survives a hide or a restart: read into a fresh view at each show and
// written at each hide, with the text files that go with them (the holiday scripts,
// format.txt, memo.txt).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/error.h"
#include "view/calendar_view.h"

namespace tavoli {

// The values of the settings key, in order: name → text.
using SettingsValues = std::vector<std::pair<std::string, std::string>>;

// Where the values are kept (the registry key; a map in tests).
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Empties the values and reads them; a missing key reads as no values.
    virtual ErrorValue Read(SettingsValues& values) = 0;
    // Writes the values whose text differs from the stored one.
    virtual ErrorValue Write(const SettingsValues& values) = 0;
};

// The files of the settings.
struct SettingsPaths {
    std::string userScript;      // per-user holidays.txt
    std::string allUsersScript;  // holidays.txt beside the executable
    std::string formatFile;      // format.txt beside the executable
    std::string memoFile;        // per-user memo.txt

    // The program's own places: the user's application-data folder + "Brenholt\Tavoli\"
    // (the executable's folder when there is none), and the executable's folder.
    static SettingsPaths ForProgram();
};

// What the window itself keeps of the settings.
struct WindowSettings {
    std::optional<Point> position;    // where to move the window, when stored
    int transparency = 0;             // 0 … 240; 0 means opaque
    std::string backgroundImagePath;  // the picture pattern ("?" for the month's digits)
};

class CalendarSettings {
public:
    explicit CalendarSettings(SettingsPaths paths) : paths_(std::move(paths)) {}

    const SettingsPaths& Paths() const { return paths_; }

    // Into a view just made with its defaults: the holiday script (with the error list
    // on failure), format.txt, the memos (those a failed save kept, else memo.txt), then
    // the stored values. systemWindowColor is the background colour when none is stored.
    void Load(CalendarView& view, SettingsStore& store, WindowSettings& window, PixelColor systemWindowColor);

    // The memos (when memoDirty) and every value. A failed memo save keeps the memos, and
    // memoDirty set, until a later save succeeds: the next Load hands them to the new view
    // instead of reading memo.txt, so nothing typed is lost while the program runs.
    void Save(CalendarView& view, SettingsStore& store, const WindowSettings& window, Point windowPosition,
              bool& memoDirty);

    // At the end of the program: memos that still could not be saved are written to a
    // side file (beside memo.txt, else in the temporary folder) unless one holds them
    // already, and the user is told where, once. Returns that file's path (empty when
    // nothing was pending or it could not be written).
    std::string RescuePendingMemos();
    bool HasPendingMemos() const { return pendingMemos_ != nullptr; }

    // Steps of Load, for the options dialog and tests.
    void LoadHolidayScript(CalendarView& view) const;
    void LoadFormats(CalendarView& view) const;
    static void ApplyValues(const SettingsValues& values, CalendarView& view, WindowSettings& window);
    // The values in the order they are written; empty name formats become one blank first.
    static SettingsValues ValuesOf(const CalendarView& view, const WindowSettings& window, Point windowPosition);

private:
    SettingsPaths paths_;
    std::unique_ptr<MemoStore> pendingMemos_;
};

}  // namespace tavoli

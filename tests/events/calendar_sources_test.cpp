// The user's calendars as the calendar keeps and shows them: the stored list, a file or a
// folder read with its problems told, and the appointments of each day in order.
#include "events/calendar_sources.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/file_contents.h"
#include "support/temp_folder.h"
#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

TEST(CalendarSources, StoredText) {
    const std::vector<CalendarSource> sources = {{"C:\\Cal\\work.ics", "Work", 0x00D47800, true},
                                                 {"C:\\Cal\\family", "", 0x000000FF, false}};
    const std::string text = SourcesText(sources);
    EXPECT_EQ(text, "1\t#0078D4\tWork\tC:\\Cal\\work.ics\r\n0\t#FF0000\t\tC:\\Cal\\family\r\n");
    const std::vector<CalendarSource> back = ParseSourcesText(text +
                                                              "2\t#000000\tx\tpath\r\n1\t#00000\tx\tp\r\n"
                                                              "1\t#000000\tno path\t\r\nnot a line\r\n");
    ASSERT_EQ(back.size(), 2u);  // the others are no lines of the list
    EXPECT_EQ(back[0].path, "C:\\Cal\\work.ics");
    EXPECT_EQ(back[0].name, "Work");
    EXPECT_EQ(back[0].color, 0x00D47800u);
    EXPECT_FALSE(back[1].shown);
    EXPECT_EQ(SourcesText({{"a\tb", "x\ny", 0, true}}), "1\t#000000\tx y\ta b\r\n");
    EXPECT_NE(SourceColor(0), SourceColor(1));
}

std::string Calendar(const std::string& name, const std::string& events) {
    return "BEGIN:VCALENDAR\r\n" + (name.empty() ? "" : "X-WR-CALNAME:" + name + "\r\n") + events + "END:VCALENDAR\r\n";
}

std::string Event(const std::string& start, const std::string& end, const std::string& summary,
                  const std::string& more = "") {
    return "BEGIN:VEVENT\r\nUID:" + summary + "\r\nDTSTART" + start + "\r\nDTEND" + end + "\r\nSUMMARY:" + summary +
           "\r\n" + more + "END:VEVENT\r\n";
}

TEST(CalendarSources, FilesFoldersAndTheirProblems) {
    TempFolder folder;
    WriteWholeFile(folder.Join("home.ics"),
                   Calendar("Home", Event(";VALUE=DATE:20240102", ";VALUE=DATE:20240103", "Trip")));
    WriteWholeFile(folder.Join("broken.ics"), "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nEND:VCALENDAR\r\n");
    std::filesystem::create_directory(folder.Join("synced"));
    WriteWholeFile(folder.Join("synced/1.ics"), Calendar("", Event(":20240102T090000Z", ":20240102T100000Z", "One")));
    WriteWholeFile(folder.Join("synced/2.ICS"), Calendar("", Event(":20240103T090000Z", ":20240103T100000Z", "Two")));
    const LoadedSource home = ReadSource({folder.Join("home.ics"), "", 0, true});
    EXPECT_EQ(home.shownName, "Home");
    EXPECT_EQ(home.calendar.events.size(), 1u);
    EXPECT_TRUE(home.problem.empty());
    const LoadedSource synced = ReadSource({folder.Join("synced"), "Synced", 0, true});
    EXPECT_EQ(synced.shownName, "Synced");
    EXPECT_EQ(synced.calendar.events.size(), 2u);
    const LoadedSource broken = ReadSource({folder.Join("broken.ics"), "", 0, true});
    EXPECT_EQ(broken.problem.find(folder.Join("broken.ics")), 0u) << broken.problem;
    EXPECT_NE(broken.problem.find("END:VCALENDAR where VEVENT is open"), std::string::npos) << broken.problem;
    EXPECT_EQ(broken.shownName, "broken");
    EXPECT_FALSE(ReadSource({folder.Join("none.ics"), "", 0, true}).problem.empty());
    // The per-user folder: every file a source, coloured in turn.
    const std::vector<CalendarSource> dropped = FolderSources(folder.Path(), 3);
    ASSERT_EQ(dropped.size(), 2u);
    EXPECT_EQ(ReadSource(dropped[0]).shownName, "broken");
    EXPECT_EQ(dropped[1].color, SourceColor(4));
}

#ifndef _WIN32
// In English and UTF-8, so that the texts read as written here.
TEST(CalendarSources, AppointmentsOfEachDay) {
    HostPlatform english;
    english.SetAbbreviatedLanguageName("ENU");
    ScopedPlatform scope(english);
    LoadedSource work = ReadSource({}), hidden = ReadSource({});
    IcsProblem failure;
    ASSERT_TRUE(ReadIcs(Calendar("", Event(":20240102T150000Z", ":20240102T160000Z", "Review", "LOCATION:Room 5\r\n") +
                                         Event(":20240102T080000Z", ":20240102T090000Z", "Dentist") +
                                         Event(";VALUE=DATE:20240101", ";VALUE=DATE:20240104", "Conference") +
                                         Event(":20240102T230000Z", ":20240103T010000Z", "Night") +
                                         Event(":20240102T080000Z", ":20240102T083000Z", "Call")),
                        work.calendar, failure));
    work.source.color = 0x123456;
    ASSERT_TRUE(
        ReadIcs(Calendar("", Event(":20240102T070000Z", ":20240102T080000Z", "Hidden")), hidden.calendar, failure));
    hidden.source.shown = false;
    const auto days = AppointmentsByDay({work, hidden}, CalDate(2024, 1, 1), CalDate(2024, 1, 5), FixedZone(3600));
    std::vector<std::string> second;
    for (const DayAppointment& a : days.at(CalDate(2024, 1, 2))) second.push_back(a.text);
    EXPECT_EQ(second, (std::vector<std::string>{"Conference",
                                                "09:00\xE2\x80\x93"
                                                "09:30 Call",
                                                "09:00\xE2\x80\x93"
                                                "10:00 Dentist",
                                                "16:00\xE2\x80\x93"
                                                "17:00 Review (Room 5)"}));
    EXPECT_EQ(days.at(CalDate(2024, 1, 1)).size(), 1u);  // the conference on each of its days
    EXPECT_EQ(days.at(CalDate(2024, 1, 3)).size(), 2u);  // and the night that began the day before
    EXPECT_EQ(days.count(CalDate(2024, 1, 4)), 0u);
    EXPECT_EQ(days.at(CalDate(2024, 1, 2))[0].color, 0x123456u);
    EXPECT_EQ(AppointmentLines(days.at(CalDate(2024, 1, 2)), 2),
              (std::vector<std::string>{"Conference", second[1] + " +2 more"}));
    EXPECT_EQ(AppointmentLines(days.at(CalDate(2024, 1, 3)), 2).size(), 2u);
}
#endif

}  // namespace
}  // namespace tavoli

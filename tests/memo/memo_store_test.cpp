#include "memo/memo_store.h"

#include <gtest/gtest.h>

#include "framework/messages.h"
#include "framework/paths.h"
#include "framework/text_lines.h"
#include "memo/memo_file.h"
#include "support/file_contents.h"
#include "support/shown_reports.h"
#include "support/temp_folder.h"
#include "support/test_platform.h"
#ifdef _WIN32
#include <windows.h>
#endif

namespace tavoli {
namespace {

using Entries = std::vector<MemoStore::Entry>;

// A store read from a file holding the given contents.
class MemoFile {
public:
    explicit MemoFile(const std::string& contents) : path_(folder_.Join("memo.txt")) {
        WriteWholeFile(path_, contents);
    }
    const std::string& Path() const { return path_; }
    std::string Contents() const { return ReadWholeFile(path_); }
    std::string Join(const std::string& name) const { return folder_.Join(name); }

private:
    TempFolder folder_;
    std::string path_;
};

TEST(MemoStore, ReadingRules) {
    struct Case {
        std::string contents;
        ErrorValue result;
        Entries entries;
    } cases[] = {
        {";Tavoli Calendar Memo 24/03/07 09:05:03\r\n", 0, {}},  // the header alone
        {"", 0, {}},
        {"2024/3/7=x\r\n", 0, {{CalDate(2024, 3, 7), "x"}}},
        {"2024-3-7=x\r\n", 0, {{CalDate(2024, -3, -7), "x"}}},       // "-" makes the numbers negative
        {"2024/03/07#tag\r\n", 0, {{CalDate(2024, 3, 7), "#tag"}}},  // "#" stays in the memo
        {"2024/03/07=\r\n", 0, {}},                                  // an empty memo is skipped
        {"   ; note\r\n", 0, {}},                                    // a comment after three blanks
        {" \t2024/03/07=x\r\n", 0, {{CalDate(2024, 3, 7), "x"}}},
        {"2024/03/07=a=b#c;d\r\n", 0, {{CalDate(2024, 3, 7), "a=b#c;d"}}},
        {"2024/03/07 = spaced \r\n", 0, {{CalDate(2024, 3, 7), " spaced "}}},
        {"y2024 m3 d7=x\r\n", 0, {{CalDate(2024, 3, 7), "x"}}},  // any separators
        {"2024/3=5th\r\n", 0, {{CalDate(2024, 3, 5), "5th"}}},   // the numbers run on past the key
        {"=orphan\r\n", 0, {{CalDate(), "orphan"}}},
        {"2024/03/07=a\r\n2024/03/07=b\r\n", 0, {{CalDate(2024, 3, 7), "a"}, {CalDate(2024, 3, 7), "b"}}},
        {"2024/03/07=x\n\n\r\n2024/03/08=y", 0, {{CalDate(2024, 3, 7), "x"}, {CalDate(2024, 3, 8), "y"}}},
        {"\x93\xfa\x96\x7b=x\r\n", 1, {}},  // a Japanese first byte is malformed
        {"2024/03/07=a\r\nno separator\r\n2024/03/08=b\r\n", 1, {{CalDate(2024, 3, 7), "a"}}},
        {std::string("2024/03/07=a\0b\r\n", 15), 1, {{CalDate(2024, 3, 7), "a"}}},  // NUL ends a line
        {"2024/03/07=\x95\x5c\x83\x5c\r\n", 0, {{CalDate(2024, 3, 7), "\x95\x5c\x83\x5c"}}},
        // Dates the program cannot hold would be saved as other days: malformed, kept as they are.
        {"2024/01/01=a\r\n4294967296/1/1=d\r\n", 1, {{CalDate(2024, 1, 1), "a"}}},
        {"11754422/1/21=beyond the day count\r\n", 1, {}},
        {"-4713/11/24=the day count's zero, which is no date\r\n", 1, {}},
        {"-4800/12/31=too early\r\n", 1, {}},
        {"11754422/1/20=last\r\n", 0, {{CalDate(11754422, 1, 20), "last"}}},
        {"-4799/01/01=first\r\n", 0, {{CalDate(-4799, 1, 1), "first"}}},
        // An editor's UTF-8 byte-order mark is no part of line 1.
        {"\xEF\xBB\xBF"
         "2024/03/07=x\r\n",
         0,
         {{CalDate(2024, 3, 7), "x"}}},
        {"\xEF\xBB\xBF;header\r\n2024/03/07=\xE6\x97\xA5\r\n", 0, {{CalDate(2024, 3, 7), "\xE6\x97\xA5"}}},
        {"2024/03/07=x\r\n\xEF\xBB\xBF"
         "2024/03/08=y\r\n",
         1,
         {{CalDate(2024, 3, 7), "x"}}},  // only at the start
    };
    for (const Case& c : cases) {
        MemoFile file(c.contents);
        MemoStore store;
        EXPECT_EQ(store.LoadMemos(file.Path()), c.result) << c.contents;
        EXPECT_EQ(store.Entries(), c.entries) << c.contents;
    }
}

TEST(MemoStore, LookupsAndChanges) {
    MemoFile file("2024/03/07=first\r\n2024/03/08=other\r\n2024/03/07=second\r\n");
    MemoStore store;
    ASSERT_EQ(store.LoadMemos(file.Path()), kSuccess);
    const CalDate day(2024, 3, 7);
    EXPECT_EQ(store.MemoOf(day), "first");  // the footer shows the first
    EXPECT_TRUE(store.HasMemo(day));
    EXPECT_FALSE(store.HasMemo(CalDate(2024, 3, 9)));
    EXPECT_EQ(store.MemoOf(CalDate(2024, 3, 9)), "");

    EXPECT_TRUE(store.SetMemo(day, "changed"));  // only the first changes
    EXPECT_EQ(store.Entries(), (Entries{{day, "changed"}, {CalDate(2024, 3, 8), "other"}, {day, "second"}}));
    EXPECT_TRUE(store.SetMemo(CalDate(2024, 3, 1), "new"));  // appended at the end
    EXPECT_EQ(store.Entries().back(), (MemoStore::Entry{CalDate(2024, 3, 1), "new"}));
    EXPECT_TRUE(store.SetMemo(day, ""));  // deleting removes both, the rest keeps its order
    EXPECT_EQ(store.Entries(), (Entries{{CalDate(2024, 3, 8), "other"}, {CalDate(2024, 3, 1), "new"}}));
    EXPECT_FALSE(store.SetMemo(CalDate(2030, 1, 1), ""));                          // nothing to delete
    EXPECT_TRUE(store.SetMemo(CalDate(2024, 3, 8), std::string("a\r\nb\0c", 6)));  // one line, always
    EXPECT_EQ(store.MemoOf(CalDate(2024, 3, 8)), "a  b c");
}

TEST(MemoStore, WritesTheFileFormat) {
    MemoStore store;
    CalDateTime moment(CalDate(2024, 3, 7), TimeOfDay::FromParts(9, 5, 3, 0));
    EXPECT_EQ(store.FileLines(moment), std::vector<std::string>{";Tavoli Calendar Memo 24/03/07 09:05:03"});
    store.SetMemo(CalDate(2024, 3, 7), "dentist 10:00");
    store.SetMemo(CalDate(987, 1, 2), "x");
    EXPECT_EQ(store.FileLines(moment), (std::vector<std::string>{";Tavoli Calendar Memo 24/03/07 09:05:03",
                                                                 "2024/03/07=dentist 10:00", "0987/01/02=x"}));
    TempFolder folder;
    const std::string path = folder.Join("memo.txt");
    ASSERT_EQ(store.SaveMemos(path), kSuccess);
    const std::string contents = ReadWholeFile(path);
    EXPECT_EQ(contents.substr(0, 22), ";Tavoli Calendar Memo ");
    EXPECT_EQ(contents.substr(contents.size() - 42), "\r\n2024/03/07=dentist 10:00\r\n0987/01/02=x\r\n");
    EXPECT_FALSE(FileExists(folder.Join("memo.txt.tmp")));  // the file is written beside and moved
}

TEST(MemoStore, RoundTripIsIdentical) {
    MemoStore store;
    const char* texts[] = {
        "plain",     "a=b", "#hash", ";semicolon", " lead and trail ", "\x95\x5c\x8e\xa6", "\x83\x5c\x83\x74\x83\x67",
        "tab\there", "="};
    CalDate d(2024, 1, 1);
    for (const char* text : texts) {
        EXPECT_TRUE(store.SetMemo(d, text));
        d += 3;
    }
    store.SetMemo(CalDate(1, 1, 1), "year one");
    store.SetMemo(CalDate(12345, 6, 7), "a hand-edited year of five digits");  // not cut to 2345
    store.SetMemo(CalDate(-4, 3, 9), "a negative year");
    store.SetMemo(CalDate(3999, 12, 31), "last");
    TempFolder folder;
    const std::string path = folder.Join("memo.txt");
    ASSERT_EQ(store.SaveMemos(path), kSuccess);
    MemoStore read;
    ASSERT_EQ(read.LoadMemos(path), kSuccess);
    EXPECT_EQ(read.Entries(), store.Entries());
}

// A malformed line stops the reading, but saving (twice) still writes every line of
// the original file: the unread ones follow the entries unchanged.
TEST(MemoStore, NoMemoIsLostAfterAMalformedLine) {
    const std::string original =
        ";Tavoli Calendar Memo 24/01/01 00:00:00\r\n"
        "2024/01/01=new year\r\n"
        "2024/01/05=dentist\r\n"
        "\x93\xfa\x96\x7b\x8c\xea=hand-edited line\r\n"
        "2024/02/01=after the bad line\r\n"
        "2024/02/02=another\r\n";
    MemoFile file(original);
    MemoStore store;
    EXPECT_EQ(store.LoadMemos(file.Path()), 1u);
    EXPECT_EQ(store.Count(), 2u);
    EXPECT_EQ(store.FirstUnreadLine(), 4);
    EXPECT_TRUE(store.SetMemo(CalDate(2024, 1, 5), "dentist at 10"));
    ASSERT_EQ(SaveMemoFileShown(store, file.Path()), kSuccess);
    ASSERT_EQ(SaveMemoFileShown(store, file.Path()), kSuccess);

    const std::string saved = file.Contents();
    for (const char* line :
         {"2024/01/01=new year", "2024/01/05=dentist at 10", "\x93\xfa\x96\x7b\x8c\xea=hand-edited line",
          "2024/02/01=after the bad line", "2024/02/02=another"}) {
        EXPECT_NE(saved.find(std::string(line) + "\r\n"), std::string::npos) << line;
    }
    // The backup holds the first save: every memo is there too.
    const std::string backup = ReadWholeFile(file.Join("memo.bak"));
    EXPECT_NE(backup.find("2024/02/02=another\r\n"), std::string::npos);
    // Reading again stops at the same line and keeps the same lines.
    MemoStore again;
    EXPECT_EQ(again.LoadMemos(file.Path()), 1u);
    EXPECT_EQ(again.Entries(), store.Entries());
    EXPECT_EQ(again.UnreadLines(), store.UnreadLines());
}

TEST(MemoStore, SeventyThousandLinesKeepEveryLine) {
    std::string contents;
    CalDate d(2000, 1, 1);
    for (int i = 0; i < 70000; ++i, ++d) contents += d.Text() + "=memo " + std::to_string(i) + "\r\n";
    MemoFile file(contents);
    MemoStore store;
    EXPECT_EQ(store.LoadMemos(file.Path()), 1u);  // the limit stopped the reading
    EXPECT_EQ(store.Count(), MemoStore::kMaxEntries);
    EXPECT_EQ(store.UnreadLines().size(), 70000u - MemoStore::kMaxEntries);
    EXPECT_FALSE(store.SetMemo(CalDate(1999, 1, 1), "one more"));
    EXPECT_EQ(store.LastError(), ErrorFromKey("array_size"));
    EXPECT_EQ(store.Count(), MemoStore::kMaxEntries);  // nothing was lost
    EXPECT_TRUE(store.SetMemo(CalDate(2000, 1, 1), "changing one is fine"));
    ASSERT_EQ(store.SaveMemos(file.Path()), kSuccess);
    const std::string saved = file.Contents();
    EXPECT_NE(saved.find("=memo 69999\r\n"), std::string::npos);
    EXPECT_NE(saved.find("2000/01/01=changing one is fine\r\n"), std::string::npos);
}

TEST(MemoStore, BadFiles) {
    TempFolder folder;
    MemoStore store;
    store.SetMemo(CalDate(2024, 1, 1), "old");
    EXPECT_EQ(store.LoadMemos(folder.Join("missing.txt")), kSuccess);  // missing: empty, no error
    EXPECT_EQ(store.Count(), 0u);
    ASSERT_EQ(MakeFolders(folder.Join("memo.txt")), kSuccess);
    EXPECT_EQ(store.LoadMemos(folder.Join("memo.txt")), kSuccess);  // a folder named memo.txt
    EXPECT_EQ(store.Count(), 0u);

    uint32_t state = 99;
    std::string random;
    for (int i = 0; i < 100000; ++i) {
        state = state * 1103515245u + 12345u;
        random.push_back(static_cast<char>(state >> 16));
    }
    MemoFile file(random);
    const ErrorValue result = store.LoadMemos(file.Path());
    EXPECT_TRUE(result == kSuccess || result == 1u);
    MemoStore copy = store;
    ASSERT_EQ(store.SaveMemos(file.Path()), kSuccess);  // whatever was read comes back
    MemoStore again;
    again.LoadMemos(file.Path());
    EXPECT_EQ(again.Entries(), copy.Entries());
    EXPECT_EQ(again.UnreadLines(), copy.UnreadLines());
}

// Only a file cut inside its last line (or empty) may be one a writer was caught
// rewriting, whose missing days are no deletions; a whole last line without its end is
// what many editors write.
TEST(MemoStore, AFileIsCutShortOnlyInsideItsLastLine) {
    const struct {
        std::string contents;
        bool whole;
    } cases[] = {
        {"", false},
        {"2024/03/07=x\r\n", true},
        {"2024/03/07=x\r", true},
        {";header\r\n2024/03/07=dentist 10:00", true},
        {"\xEF\xBB\xBF"
         "2024/03/07=x",
         true},
        {";Tavoli Calendar Memo 24/03/0", false},  // the header cut: every memo missing
        {"2024/03/07=x\r\n2024/03/0", false},
        {"2024/03/07=x\r\n2024/03/08=", false},
        {std::string("2024/03/07=x\r\n\0\0", 16), false},
    };
    for (const auto& c : cases) EXPECT_EQ(MemoStore::EndsWhole(c.contents), c.whole) << c.contents;

    // A memo deleted by hand there stays deleted at the next save.
    RecordingPlatform platform;
    ScopedPlatform scope(platform);
    MemoFile file("2024/03/07=a\r\n2024/03/08=b\r\n");
    MemoStore store;
    ASSERT_EQ(store.LoadMemos(file.Path()), kSuccess);
    WriteWholeFile(file.Path(), "2024/03/07=a");
    store.SetMemo(CalDate(2024, 3, 9), "c");
    ASSERT_EQ(SaveMemoFileShown(store, file.Path()), kSuccess);
    EXPECT_EQ(store.Entries(), (Entries{{CalDate(2024, 3, 7), "a"}, {CalDate(2024, 3, 9), "c"}}));
    EXPECT_TRUE(platform.boxes.empty());
}

TEST(MemoStore, MessagesOfTheFileProcedures) {
    RecordingPlatform platform;
    ScopedPlatform scope(platform);
    TempFolder folder;
    MemoStore store;

    EXPECT_EQ(LoadMemoFileShown(store, folder.Join("missing.txt")), kSuccess);
    EXPECT_TRUE(platform.boxes.empty());  // a missing file says nothing
    MemoFile bad("x\r\n");
    EXPECT_EQ(LoadMemoFileShown(store, bad.Path()), 1u);
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text, ResolveText("Failed to load memo.\tja:メモをロードできませんでした。") + "\n" +
                                          ResolveText("Line 1: \tja:1行目: ") +
                                          StopReasonText(MemoStore::StopReason::kNoSeparator));

    // Saving into a folder that does not exist yet makes it; the old file becomes memo.bak.
    const std::string path = folder.Join("Brenholt/Tavoli/memo.txt");
    store.SetMemo(CalDate(2024, 5, 5), "first");
    ASSERT_EQ(SaveMemoFileShown(store, path), kSuccess);
    EXPECT_FALSE(FileExists(folder.Join("Brenholt/Tavoli/memo.bak")));
    store.SetMemo(CalDate(2024, 5, 5), "second");
    ASSERT_EQ(SaveMemoFileShown(store, path), kSuccess);
    EXPECT_NE(ReadWholeFile(folder.Join("Brenholt/Tavoli/memo.bak")).find("=first"), std::string::npos);
    EXPECT_NE(ReadWholeFile(path).find("=second"), std::string::npos);
    EXPECT_EQ(platform.boxes.size(), 1u);

    // A folder where the file should be: the memos go beside it, and the message says so.
    ASSERT_EQ(MakeFolders(folder.Join("blocked/memo.txt")), kSuccess);
    EXPECT_EQ(SaveMemoFileShown(store, folder.Join("blocked/memo.txt")), ErrorFromKey("path_access"));
    ASSERT_EQ(platform.boxes.size(), 2u);
    EXPECT_NE(platform.boxes[1].text.find(folder.Join("blocked/memo-unsaved.txt")), std::string::npos);
    EXPECT_NE(platform.boxes[1].text.find(ReasonOf(ErrorFromKey("path_access"))), std::string::npos);
}

// What "Failed to load memo." says: the line as editors count it and why; a file in UTF-8
// read in another code page (here Shift_JIS) is said as that.
TEST(MemoStore, LoadMessagesSayTheLineAndTheReason) {
    class ShiftJis : public RecordingPlatform {
        int AnsiCodePage() const override { return kCodePageJapanese; }
    } platform;
    ScopedPlatform scope(platform);
    using R = MemoStore::StopReason;
    std::string many;
    for (CalDate d(2000, 1, 1); many.size() < 65536 * 14; ++d) many += d.Text() + "=m\r\n";
    const std::string bom = "\xEF\xBB\xBF";
    struct Case {
        std::string contents;
        int line;  // 0: no line to tell of
        R reason;
        bool utf8;  // the note on UTF-8
    } cases[] = {
        {"2024/01/01=a\r\n", 0, R::kNone, false},  // no message at all
        {"x\r\n", 1, R::kNoSeparator, false},
        {"2024/01/01=a\r\n\x93\xfa=b\r\n", 2, R::kNotAscii, false},
        {std::string("2024/01/01=a\r\n2024/01/02=b\0c\r\n", 28), 2, R::kNulByte, false},
        {"\f2024/01/01=a\r\n99999999/1/1=far\r\n", 2, R::kBadDate, false},  // a form feed ends no line there
        {many, 65536, R::kTooMany, false},
        {bom + "2024/01/01=\xE6\x97\xA5\r\n", 0, R::kNone, true},
        {bom + "\xE6\x97\xA5=x\r\n", 1, R::kNotAscii, true},
    };
    for (const Case& c : cases) {
        MemoFile file(c.contents);
        platform.boxes.clear();
        MemoStore store;
        LoadMemoFileShown(store, file.Path());
        std::string expected, number = ResolveText("Line %d: \tja:%d行目: ");
        for (size_t at; (at = number.find("%d")) != std::string::npos;) number.replace(at, 2, std::to_string(c.line));
        if (c.line > 0)
            expected = ResolveText("Failed to load memo.\tja:メモをロードできませんでした。") + "\n" + number;
        if (c.line > 0) expected += StopReasonText(c.reason);
        if (c.utf8) expected += (expected.empty() ? "" : "\n\n") + Utf8ReadAsAnsiNote(file.Path());
        ASSERT_LE(platform.boxes.size(), 1u);
        EXPECT_EQ(platform.boxes.empty() ? "" : platform.boxes[0].text, expected) << c.contents.substr(0, 40);
    }
}

#ifdef _WIN32
// A file another program holds open without sharing cannot be read: the read's error,
// an empty store and the message.
TEST(MemoStore, UnreadableFile) {
    RecordingPlatform platform;
    ScopedPlatform scope(platform);
    MemoFile file("2024/01/01=x\r\n");
    HANDLE lock = CreateFileA(file.Path().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    MemoStore store;
    EXPECT_EQ(LoadMemoFileShown(store, file.Path()), ErrorFromSystem(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(store.Count(), 0u);
    EXPECT_EQ(platform.boxes.size(), 1u);
    CloseHandle(lock);
}
#endif

}  // namespace
}  // namespace tavoli

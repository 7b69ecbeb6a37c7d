#include "framework/text_lines.h"

#include <gtest/gtest.h>

#include "framework/mapped_file.h"
#include "support/file_contents.h"
#include "support/temp_folder.h"

namespace tavoli {
namespace {

TEST(TextLines, Splitting) {
    using Lines = std::vector<std::string>;
    struct Case {
        std::string contents;
        Lines lines;
    } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\n\rb", {"a", "", "b"}},  // LF CR is two endings
        {"a\r\rb", {"a", "", "b"}},  // so is CR CR
        {"a\r\n", {"a"}},
        {"\r\n\r\n", {"", ""}},
        {"", {}},
        {"a", {"a"}},
        {"a\rb", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\fb", {"a", "b"}},
        {std::string("a\0b", 3), {"a", "b"}},
        {std::string("a\r\0b", 4), {"a", "b"}},  // CR NUL is one ending
        {"a\r\fb", {"a", "b"}},                  // CR FF too
        {"a\n\nb\n", {"a", "", "b"}},
        {"\n", {""}},
        {"a\tb \r\n", {"a\tb "}},  // lines are kept unchanged
        {"\x95\x5c\r\n", {"\x95\x5c"}},
    };
    for (const Case& c : cases) {
        Lines lines;
        SplitTextLines(c.contents, lines);
        EXPECT_EQ(lines, c.lines) << c.contents;
    }
}

TEST(TextLines, WriteAndReadBack) {
    TempFolder folder;
    const std::string path = folder.Join("lines.txt");
    const std::vector<std::string> lines = {";header", "2024/03/07=x", "", "\x95\x5c\x8e\xa6"};
    ASSERT_EQ(WriteTextLines(path, lines), kSuccess);
    EXPECT_EQ(ReadWholeFile(path), ";header\r\n2024/03/07=x\r\n\r\n\x95\x5c\x8e\xa6\r\n");
    std::vector<std::string> read = {"kept"};
    ASSERT_EQ(ReadTextLines(path, read), kSuccess);
    std::vector<std::string> expected = {"kept"};
    expected.insert(expected.end(), lines.begin(), lines.end());
    EXPECT_EQ(read, expected);  // appended to the list

    ASSERT_EQ(WriteTextLines(path, {}), kSuccess);  // an empty list: an empty file
    EXPECT_EQ(ReadWholeFile(path), "");
    read.clear();
    EXPECT_EQ(ReadTextLines(path, read), kSuccess);
    EXPECT_TRUE(read.empty());

    ASSERT_EQ(WriteTextLines(path, {"shorter"}), kSuccess);  // replaced, not overwritten in place
    EXPECT_EQ(ReadWholeFile(path), "shorter\r\n");
}

TEST(TextLines, Failures) {
    TempFolder folder;
    std::vector<std::string> lines;
    EXPECT_EQ(ReadTextLines(folder.Join("missing.txt"), lines), ErrorFromSystem(2));  // file not found
    EXPECT_EQ(ReadTextLines(folder.Path(), lines), ErrorFromSystem(5));               // a folder
    EXPECT_NE(WriteTextLines(folder.Join("no/such/folder.txt"), {"x"}), kSuccess);
    EXPECT_TRUE(lines.empty());
}

TEST(MappedFile, ModesMappingAndResizing) {
    TempFolder folder;
    const std::string path = folder.Join("data.bin");
    MappedFile file;
    EXPECT_EQ(file.Map(), ErrorFromKey("object_silent"));  // closed
    ASSERT_EQ(file.Open(path, MappedFile::kUpdate), kSuccess);
    EXPECT_EQ(file.Map(), kSuccess);  // empty: nothing to map
    EXPECT_EQ(file.Size(), 0u);
    ASSERT_EQ(file.Resize(4), kSuccess);
    ASSERT_EQ(file.Size(), 4u);
    EXPECT_EQ(std::string(file.Begin(), 4), std::string(4, '\0'));  // gained bytes are zero
    std::copy_n("abcd", 4, file.Begin());
    ASSERT_EQ(file.Resize(6), kSuccess);
    EXPECT_EQ(std::string(file.Begin(), 6), std::string("abcd\0\0", 6));
    ASSERT_EQ(file.Resize(2), kSuccess);
    EXPECT_EQ(file.Close(), kSuccess);
    EXPECT_EQ(file.GetMode(), MappedFile::kClosed);
    EXPECT_EQ(ReadWholeFile(path), "ab");

    ASSERT_EQ(file.Open(path, MappedFile::kRead), kSuccess);
    EXPECT_EQ(file.Resize(10), ErrorFromKey("object_silent"));  // reading only
    ASSERT_EQ(file.Map(), kSuccess);
    EXPECT_EQ(std::string(file.Begin(), file.Size()), "ab");
    EXPECT_EQ(file.Open(path, MappedFile::kRead), kSuccess);  // the same file in the same mode stays open
    EXPECT_EQ(file.Size(), 2u);
    ASSERT_EQ(file.Open(path, MappedFile::kWrite), kSuccess);  // another mode: closed first, then created anew
    ASSERT_EQ(file.Map(), kSuccess);
    EXPECT_EQ(file.Size(), 0u);
}

// A file of 4 GiB or more is refused; the test file is sparse, so it costs no disk.
TEST(MappedFile, RefusesFilesOf4GiB) {
    TempFolder folder;
    const std::string path = folder.Join("huge.bin");
    {
        MappedFile file;
        ASSERT_EQ(file.Open(path, MappedFile::kWrite), kSuccess);
        ASSERT_EQ(file.Unmap(), kSuccess);
    }
    std::filesystem::resize_file(path, (uint64_t{1} << 32));
    MappedFile file;
    EXPECT_EQ(file.Open(path, MappedFile::kRead), ErrorFromKey("file_open"));
    EXPECT_EQ(file.GetMode(), MappedFile::kClosed);
    std::vector<std::string> lines;
    EXPECT_EQ(ReadTextLines(path, lines), ErrorFromKey("file_open"));
    std::filesystem::resize_file(path, (uint64_t{1} << 32) - 1);
    EXPECT_EQ(file.Open(path, MappedFile::kRead), kSuccess);  // one byte less is accepted
}

}  // namespace
}  // namespace tavoli

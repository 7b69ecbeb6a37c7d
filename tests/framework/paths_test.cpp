#include "framework/paths.h"

#include <gtest/gtest.h>

#include "support/file_contents.h"
#include "support/temp_folder.h"
#include "support/test_platform.h"
#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

TEST(PathPart, Letters) {
    struct Case {
        const char* path;
        const char* letters;
        const char* expected;
    } cases[] = {
        {"C:\\data\\memo.txt", "dp", "C:\\data\\"},
        {"C:\\data\\memo.txt", "fe", "memo.txt"},
        {"C:\\data\\memo.txt", "d", "C:"},
        {"C:\\data\\memo.txt", "p", "\\data\\"},
        {"C:\\data\\memo.txt", "f", "memo"},
        {"C:\\data\\memo.txt", "e", ".txt"},
        {"C:\\data\\memo.txt", "ef", ".txtmemo"},  // in the order of the letters
        {"C:\\data\\memo.txt", "xyz", ""},
        {"  \"C:\\a.b\\c\"", "dpf", "C:\\a.b\\c\""},  // leading blanks and quotes skipped
        {"\\\\?\\C:\\x\\y.z", "dpfe", "C:\\x\\y.z"},  // the long-path prefix is ignored
        {"/home/u/.bashrc", "p", "/home/u/"},
        {"/home/u/.bashrc", "f", ""},
        {"/home/u/.bashrc", "e", ".bashrc"},
        {"archive.tar.gz", "fe", "archive.tar.gz"},
        {"archive.tar.gz", "e", ".gz"},
        {"noext", "fe", "noext"},
        {"dir.d\\noext", "e", ""},  // a dot in the folder is no extension
        {"a:b:c", "d", "a:"},
        {"", "dpfe", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(PathPart(c.path, c.letters), c.expected) << c.path << " " << c.letters;
    EXPECT_EQ(PathPart(std::string(256, 'a'), "f"), "");  // 256 bytes or more: empty
    EXPECT_EQ(PathPart(std::string(255, 'a'), "f"), std::string(255, 'a'));
}

#ifndef _WIN32
TEST(PathPart, DoubleByteCharactersAreUnits) {
    HostPlatform japanese;
    japanese.SetCodePage(kCodePageJapanese);
    ScopedPlatform scope(japanese);
    // 表 ends in 0x5C, which is no separator inside the character.
    EXPECT_EQ(PathPart("C:\\\x95\x5c\\a.txt", "p"), "\\\x95\x5c\\");
    EXPECT_EQ(PathPart("C:\\x\\\x95\x5c.txt", "f"), "\x95\x5c");
    EXPECT_EQ(PathPart("C:\\x\\\x95\x5c", "f"), "\x95\x5c");
    EXPECT_EQ(RenameExtension("C:\\\x95\x5c\\memo.txt", "bak"), "C:\\\x95\x5c\\memo.bak");
}
#endif

TEST(Paths, RenameExtensionAndCopyModes) {
    EXPECT_EQ(RenameExtension("memo.txt", ".bak"), "memo.bak");
    EXPECT_EQ(RenameExtension("memo.txt", "bak"), "memo.bak");
    EXPECT_EQ(RenameExtension("C:\\d.x\\memo", ".bak"), "C:\\d.x\\memo.bak");
    EXPECT_EQ(RenameExtension("a.tar.gz", ".zip"), "a.tar.zip");
    EXPECT_EQ(RenameExtension(std::string(254, 'a') + ".txt", ".bak"), "");

    struct Case {
        const char* options;
        char mode;
    } modes[] = {{"", 'F'},    {"W", 'W'},   {"w", 'W'},   {"R", 'R'},
                 {"FWR", 'R'}, {"RWf", 'F'}, {"xyz", 'F'}, {"W\x01R", 'W'}};
    for (const Case& c : modes) EXPECT_EQ(CopyMode(c.options), c.mode) << c.options;
    EXPECT_EQ(NumberedVariant("C:\\d\\memo.txt", 2), "C:\\d\\memo (2).txt");
    EXPECT_EQ(NumberedVariant("memo", 10), "memo (10)");
}

TEST(Paths, FoldersAndCopies) {
    TempFolder folder;
    const std::string nested = folder.Join("a/b/c");
    EXPECT_FALSE(FolderExists(nested));
    ASSERT_EQ(MakeFolders(nested), kSuccess);
    EXPECT_TRUE(FolderExists(nested));
    EXPECT_FALSE(FileExists(nested));
    EXPECT_EQ(MakeFolders(nested), kSuccess);  // existing: success at once
    EXPECT_EQ(MakeFolders(""), ErrorFromKey("InvalidArgument"));

    const std::string source = folder.Join("memo.txt");
    const std::string target = folder.Join("a/memo.txt");
    WriteWholeFile(source, "first");
    EXPECT_TRUE(FileExists(source));
    EXPECT_FALSE(FolderExists(source));
    EXPECT_EQ(CopyFileTo(source, target, "F"), kSuccess);
    EXPECT_EQ(ReadWholeFile(target), "first");
    WriteWholeFile(source, "second");
    EXPECT_NE(CopyFileTo(source, target, "F"), kSuccess);  // the target exists
    EXPECT_EQ(ReadWholeFile(target), "first");
    EXPECT_EQ(CopyFileTo(source, target, "W"), kSuccess);
    EXPECT_EQ(ReadWholeFile(target), "second");
    WriteWholeFile(source, "third");
    EXPECT_EQ(CopyFileTo(source, target, "R"), kSuccess);
    EXPECT_EQ(ReadWholeFile(target), "second");
    EXPECT_EQ(ReadWholeFile(folder.Join("a/memo (2).txt")), "third");
    EXPECT_EQ(CopyFileTo(source, target, "R"), kSuccess);
    EXPECT_TRUE(FileExists(folder.Join("a/memo (3).txt")));

    EXPECT_EQ(CopyFileTo(source, std::string(256, 'x'), "W"), ErrorFromKey("InvalidFileName"));
    EXPECT_EQ(CopyFileTo(std::string(300, 'x'), target, "W"), ErrorFromKey("InvalidFileName"));
    EXPECT_EQ(CopyFileTo(folder.Join("missing.txt"), target, "W"), ErrorFromSystem(2));
}

TEST(Paths, ProgramAndUserFiles) {
    const std::string beside = ProgramFilePath("holidays.txt");
    ASSERT_FALSE(beside.empty());
    EXPECT_EQ(PathPart(beside, "fe"), "holidays.txt");
    EXPECT_TRUE(FolderExists(PathPart(beside, "dp")));
    EXPECT_EQ(ProgramFilePath(std::string(300, 'x')), "");
    const std::string here = CurrentDirFilePath("x.txt");
    EXPECT_EQ(PathPart(here, "fe"), "x.txt");
    const std::string user = PerUserFilePath("Brenholt\\Tavoli\\", "memo.txt");
    ASSERT_FALSE(user.empty());
    EXPECT_EQ(PathPart(user, "fe"), "memo.txt");
    EXPECT_NE(user.find("Tavoli"), std::string::npos);
    EXPECT_EQ(PerUserFilePath(std::string(300, 'x'), "memo.txt"), "");
}

}  // namespace
}  // namespace tavoli

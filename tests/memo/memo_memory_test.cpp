// Memory while reading memo files, measured by counting every allocation of this test
// program: reading costs memory in proportion to the file, and running out of it gives
// the read error instead of ending the program.
#include <gtest/gtest.h>

#include "memo/memo_store.h"
#include "support/counting_allocator.h"
#include "support/file_contents.h"
#include "support/temp_folder.h"

namespace tavoli {
namespace {

TEST(MemoMemory, ANulFileCostsItsOwnSize) {
    constexpr size_t kSize = 64u << 20;
    TempFolder folder;
    const std::string path = folder.Join("memo.txt");
    WriteWholeFile(path, std::string(kSize, '\0'));
    MemoStore store;
    ErrorValue result = 1;
    const size_t peak = PeakAllocationOf([&] { result = store.LoadMemos(path); });
    EXPECT_EQ(result, kSuccess);  // millions of empty lines, no memo
    EXPECT_EQ(store.Count(), 0u);
    EXPECT_LT(peak, kSize + kSize / 8);  // the contents, not an object per line
}

TEST(MemoMemory, RunningOutOfMemory) {
    TempFolder folder;
    const std::string path = folder.Join("memo.txt");
    std::string contents;
    CalDate day(2000, 1, 1);
    for (int i = 0; i < 30000; ++i, ++day)
        contents += day.Text() + "=a memo long enough for the heap " + std::to_string(i) + "\r\n";
    WriteWholeFile(path, contents);

    // Not even the contents fit: the read error, and the store knows the file is unread.
    MemoStore store;
    ErrorValue result = 0;
    PeakAllocationOf([&] { result = store.LoadMemos(path); }, contents.size() / 2);
    EXPECT_EQ(result, ErrorFromKey("memory_alloc"));
    EXPECT_EQ(store.GetFileState(), MemoStore::FileState::kUnreadable);

    // The contents fit but not every entry: reading stops, the rest is kept as it is, and
    // a save writes back every line.
    PeakAllocationOf([&] { result = store.LoadMemos(path); }, contents.size() + (512u << 10));
    EXPECT_EQ(result, 1u);
    EXPECT_GT(store.FirstUnreadLine(), 1);
    EXPECT_LT(store.Count(), 30000u);
    EXPECT_EQ(store.GetFileState(), MemoStore::FileState::kWhole);
    ASSERT_EQ(store.SaveMemos(path), kSuccess);
    MemoStore again;
    EXPECT_EQ(again.LoadMemos(path), kSuccess);
    EXPECT_EQ(again.Count(), 30000u);
}

}  // namespace
}  // namespace tavoli

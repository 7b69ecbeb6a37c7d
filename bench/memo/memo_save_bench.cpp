// What a save costs now that it reads the file again and merges under a lock, against
// writing the store alone: memo files of a thousand memos and of the most a store holds,
// of one line each or with every tenth of several lines and a hundred that repeat. Also
// the memory such a store takes, and what the painter asks of it for a year's days.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "memo/memo_file.h"
#include "memo/memo_merge.h"
#include "memo/memo_store.h"

namespace tavoli {
namespace {

// With `mixed`, every tenth memo has three lines and the first hundred repeat (every
// year, month or week in turn).
MemoStore StoreOf(int count, bool mixed = false) {
    MemoStore store;
    CalDate day(1900, 1, 1);
    for (int i = 0; i < count; ++i, ++day) {
        std::string text = "memo number " + std::to_string(i) + " of the bench";
        if (mixed && i % 10 == 0)
            text +=
                "\x1f"
                "a second line\x1f"
                "and a third";
        const MemoRepeat repeat = mixed && i < 100 ? static_cast<MemoRepeat>(1 + i % 3) : MemoRepeat::kNone;
        store.SetMemo(day, text, repeat, {});
    }
    return store;
}

std::string FolderFor(const char* name) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / name;
    std::filesystem::create_directories(folder);
    return folder.string();
}

// The store written over the file, as saves were before they merged.
void BM_WriteStoreOnly(benchmark::State& state) {
    const MemoStore store = StoreOf(static_cast<int>(state.range(0)));
    const std::string path = FolderFor("tavoli-bench-write") + "/memo.txt";
    for (auto _ : state) benchmark::DoNotOptimize(store.SaveMemos(path));
    std::filesystem::remove_all(FolderFor("tavoli-bench-write"));
}

// The whole save: lock, read the file again, merge, back up, replace. One memo changes
// between saves, as after an edit.
void BM_SaveWithMerge(benchmark::State& state) {
    MemoStore store = StoreOf(static_cast<int>(state.range(0)), state.range(1) != 0);
    const std::string path = FolderFor("tavoli-bench-save") + "/memo.txt";
    store.SaveMemos(path);
    store.LoadMemos(path);
    int round = 0;
    for (auto _ : state) {
        store.SetMemo(CalDate(1900, 1, 1), "edited " + std::to_string(++round));
        Report report;
        benchmark::DoNotOptimize(SaveMemoFile(store, path, report));
    }
    std::filesystem::remove_all(FolderFor("tavoli-bench-save"));
}

// The merge alone: one day changed on each side.
void BM_MergeOnly(benchmark::State& state) {
    const MemoStore read = StoreOf(static_cast<int>(state.range(0)));
    MemoStore ours = read, theirs = read;
    ours.SetMemo(CalDate(1900, 1, 1), "ours");
    theirs.SetMemo(CalDate(1900, 1, 2), "theirs");
    for (auto _ : state) benchmark::DoNotOptimize(MergeMemos(read.Entries(), ours.Entries(), theirs.Entries()));
}

// The heap a store of 1,000 memos and 100 repeating ones takes (glibc's count of bytes in
// use), in the counter "bytes".
void BM_MemoryOfAStore(benchmark::State& state) {
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        MemoStore store = StoreOf(1000);
        for (int i = 0; i < 100; ++i) store.SetMemo(CalDate(2000, 1, 1) + i, "repeating memo", MemoRepeat::kYearly, {});
        state.counters["bytes"] = static_cast<double>(mallinfo2().uordblks - before);
        benchmark::DoNotOptimize(store);
    }
}

// What a year view's paint asks: whether each of its days has a memo.
void BM_HasMemoOfAYear(benchmark::State& state) {
    const MemoStore store = StoreOf(1000, true);
    for (auto _ : state) {
        int marked = 0;
        for (CalDate day(2024, 1, 1); day < CalDate(2025, 1, 1); ++day) marked += store.HasMemo(day) ? 1 : 0;
        benchmark::DoNotOptimize(marked);
    }
}

BENCHMARK(BM_WriteStoreOnly)->Arg(1000)->Arg(65535)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveWithMerge)->Args({1000, 0})->Args({65535, 0})->Args({65535, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryOfAStore)->Iterations(1);
BENCHMARK(BM_HasMemoOfAYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeOnly)->Arg(1000)->Arg(65535)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavoli

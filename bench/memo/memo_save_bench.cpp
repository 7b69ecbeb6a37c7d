// What a save costs now that it reads the file again and merges under a lock, against
// writing the store alone: memo files of a thousand memos and of the most a store holds.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "memo/memo_file.h"
#include "memo/memo_merge.h"
#include "memo/memo_store.h"

namespace tavoli {
namespace {

MemoStore StoreOf(int count) {
    MemoStore store;
    CalDate day(1900, 1, 1);
    for (int i = 0; i < count; ++i, ++day) store.SetMemo(day, "memo number " + std::to_string(i) + " of the bench");
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
    MemoStore store = StoreOf(static_cast<int>(state.range(0)));
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

BENCHMARK(BM_WriteStoreOnly)->Arg(1000)->Arg(65535)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveWithMerge)->Arg(1000)->Arg(65535)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeOnly)->Arg(1000)->Arg(65535)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavoli

// Three memo lists made one: what this copy of the program read from memo.txt, what it
// holds now, and what the file holds at the moment of saving (another copy of the
// program, a sync tool or an editor may have written it meanwhile).
#pragma once

#include <vector>

#include "memo/memo_store.h"

namespace tavoli {

struct MemoMerge {
    // The file's memos after the merge: the file's order, each day's entries from the side
    // that wins it, then the days only this copy has, in its order.
    std::vector<MemoStore::Entry> entries;
    // The other writer's entries of the days that both changed differently; this copy's
    // text stays in the file, and these are kept elsewhere.
    std::vector<MemoStore::Entry> conflicts;
};

// Day by day (a day's memo being all its entries, in order, with their rules): a day changed only in the
// file keeps the file's text, a deletion there included; a day changed only here keeps
// this copy's, a deletion here included; a day both changed keeps this copy's, and the
// file's entries of it go to the conflicts unless both made the same change.
// A file that may have been cut short (empty, or cut inside its last line: a writer caught
// midway) is no proof that a day it lacks was deleted: such days keep this copy's text.
MemoMerge MergeMemos(const std::vector<MemoStore::Entry>& read, const std::vector<MemoStore::Entry>& ours,
                     const std::vector<MemoStore::Entry>& theirs, bool theirsWhole = true);

}  // namespace tavoli

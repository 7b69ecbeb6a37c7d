// Counts what a test program allocates through operator new, for tests of memory use.
// Linking counting_allocator.cpp into a program replaces its operator new and delete.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavoli {

struct AllocationCounter {
    size_t current = 0;
    size_t peak = 0;
    // Allocations that would take the current total past this fail (bad_alloc).
    size_t limit = SIZE_MAX;
};

AllocationCounter& Allocations();

// The peak allocated beyond what was allocated when it began, while a step runs, with an
// optional budget beyond which allocations fail.
template <class Step>
size_t PeakAllocationOf(Step step, size_t budget = SIZE_MAX) {
    AllocationCounter& counter = Allocations();
    const size_t baseline = counter.current;
    counter.peak = baseline;
    counter.limit = budget == SIZE_MAX ? SIZE_MAX : baseline + budget;
    step();
    counter.limit = SIZE_MAX;
    return counter.peak - baseline;
}

}  // namespace tavoli

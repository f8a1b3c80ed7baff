#pragma once

// How many blocks the program has asked the heap for so far, counted in the benchmark binary only.
// Under Wine every block costs far more than natively, so a benchmark reports it beside its time.

#include <cstdint>

namespace pellino {

std::uint64_t AllocationCount();

}  // namespace pellino

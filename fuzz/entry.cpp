// The libFuzzer side: each fuzz program links exactly one target and hands it every input.
#include <cstdio>
#include <cstdlib>

#include "fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto& targets = pellino::fuzz::Targets();
    if (targets.size() != 1) {
        std::fprintf(stderr, "a fuzz program links one target, this one %zu\n", targets.size());
        std::abort();
    }
    targets.front().run(data, size);
    return 0;
}

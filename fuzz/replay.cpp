// Runs inputs through the fuzz targets with whatever compiler built it, so the seeds and every
// input that once found a fault are checked on each test run, sanitizers included.
//
//   pellino-fuzz-replay TARGET PATH...   each PATH a file or a folder of inputs

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_target.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> readInput(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: pellino-fuzz-replay TARGET PATH...\n");
        return 2;
    }
    const pellino::fuzz::Target* target = nullptr;
    for (const auto& t : pellino::fuzz::Targets()) {
        if (std::strcmp(t.name, argv[1]) == 0) target = &t;
    }
    if (!target) {
        std::fprintf(stderr, "no target %s\n", argv[1]);
        return 2;
    }
    std::vector<fs::path> inputs;
    for (int i = 2; i < argc; ++i) {
        const fs::path path = argv[i];
        if (fs::is_directory(path)) {
            for (const auto& entry : fs::directory_iterator(path)) {
                if (entry.is_regular_file()) inputs.push_back(entry.path());
            }
        } else if (fs::is_regular_file(path)) {
            inputs.push_back(path);
        } else {
            std::fprintf(stderr, "no input at %s\n", argv[i]);
            return 2;
        }
    }
    if (inputs.empty()) {
        // A folder that lost its inputs would otherwise pass without testing anything.
        std::fprintf(stderr, "no inputs for %s\n", argv[1]);
        return 2;
    }
    std::sort(inputs.begin(), inputs.end());
    for (const fs::path& path : inputs) {
        // Named before it runs: a fault aborts the process and the last name is the culprit.
        std::fprintf(stderr, "%s\n", path.filename().string().c_str());
        const std::vector<std::uint8_t> bytes = readInput(path);
        target->run(bytes.data(), bytes.size());
    }
    std::printf("%s: %zu inputs passed\n", argv[1], inputs.size());
    return 0;
}

#pragma once

// The frame of every fuzz target: a target is a function of one input that runs a reader of the
// program on it and stops the process at once when the program misbehaves. The same target file
// builds into a libFuzzer program of its own (with clang) and into the replay program (with any
// compiler), which runs the checked-in seeds and regression inputs in the test suite.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pellino::fuzz {

using TargetFunction = void (*)(const std::uint8_t* data, std::size_t size);

struct Target {
    const char* name;
    TargetFunction run;
};

// Every target linked into the program, in the order their files were initialised.
std::vector<Target>& Targets();
bool RegisterTarget(const char* name, TargetFunction run);

// Reports a broken expectation with the input's own words and aborts, so that libFuzzer keeps the
// input as a crash and the replay fails its test.
[[noreturn]] void Fail(const char* file, int line, const std::string& message);

// Takes an input apart: a few leading bytes as small choices, the rest as text.
class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    // The next byte, or 0 once the input is used up.
    std::uint8_t Byte();
    // The next eight bytes as the bits of a double (missing bytes count as zero).
    double DoubleBits();
    // What is left of the input.
    std::string_view Rest() const;
    bool Empty() const { return pos_ >= size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace pellino::fuzz

#define FUZZ_CHECK(condition, message)                                          \
    do {                                                                        \
        if (!(condition)) ::pellino::fuzz::Fail(__FILE__, __LINE__, (message)); \
    } while (false)

// Defines a target: FUZZ_TARGET(name) { ... uses data and size ... }
#define FUZZ_TARGET(name)                                                      \
    static void fuzzTarget_##name(const std::uint8_t* data, std::size_t size); \
    [[maybe_unused]] static const bool fuzzRegistered_##name =                 \
        ::pellino::fuzz::RegisterTarget(#name, fuzzTarget_##name);             \
    static void fuzzTarget_##name([[maybe_unused]] const std::uint8_t* data,   \
                                  [[maybe_unused]] std::size_t size)

#include "fuzz_target.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace pellino::fuzz {

std::vector<Target>& Targets() {
    static std::vector<Target> targets;
    return targets;
}

bool RegisterTarget(const char* name, TargetFunction run) {
    Targets().push_back({name, run});
    return true;
}

void Fail(const char* file, int line, const std::string& message) {
    std::fprintf(stderr, "%s:%d: %s\n", file, line, message.c_str());
    std::fflush(stderr);
    std::abort();
}

std::uint8_t InputReader::Byte() {
    return pos_ < size_ ? data_[pos_++] : 0;
}

double InputReader::DoubleBits() {
    std::uint8_t bytes[sizeof(double)] = {};
    for (std::uint8_t& b : bytes) b = Byte();
    double value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

std::string_view InputReader::Rest() const {
    if (pos_ >= size_) return {};
    return {reinterpret_cast<const char*>(data_ + pos_), size_ - pos_};
}

}  // namespace pellino::fuzz

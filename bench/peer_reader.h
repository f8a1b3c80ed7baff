#pragma once

// An independent reader of the same tagged values, written the plain way: a value at a time from
// a C stream, the 80-bit float through the compiler's own long double. It is the yardstick for
// the program's reader: the same work done without any care for speed beyond the C library's.

#include <cfloat>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

namespace pellino::bench {

static_assert(LDBL_MANT_DIG == 64, "long double must be the 80-bit extended format");

class PeerReader {
public:
    explicit PeerReader(std::FILE* file) : file_(file) {}

    void listBegin() { expect(1); }
    void listEnd() { expect(0); }
    bool endOfList() {
        const int tag = std::getc(file_);
        if (tag == EOF) throw std::runtime_error("end of data");
        std::ungetc(tag, file_);
        return tag == 0;
    }
    std::int32_t integer() { return integerOf(tag()); }
    double real() {
        const int t = tag();
        if (t != 5) return integerOf(t);
        unsigned char bytes[10];
        read(bytes, 10);
        long double value = 0;
        std::memcpy(&value, bytes, 10);
        return static_cast<double>(value);
    }
    bool boolean() { return tag() == 9; }
    std::string text() {
        const int t = tag();
        std::uint32_t length = 0;
        if (t == 6) {
            unsigned char n;
            read(&n, 1);
            length = n;
        } else if (t == 12) {
            unsigned char b[4];
            read(b, 4);
            length = b[0] | (b[1] << 8) | (b[2] << 16) | (std::uint32_t{b[3]} << 24);
        } else {
            throw std::runtime_error("not a text");
        }
        std::string value(length, '\0');
        read(value.data(), length);
        return value;
    }

private:
    int tag() {
        const int t = std::getc(file_);
        if (t == EOF) throw std::runtime_error("end of data");
        return t;
    }
    void expect(int wanted) {
        if (tag() != wanted) throw std::runtime_error("not a list marker");
    }
    void read(void* data, std::size_t count) {
        if (std::fread(data, 1, count, file_) != count) throw std::runtime_error("end of data");
    }
    std::int32_t integerOf(int t) {
        unsigned char b[4];
        switch (t) {
            case 2:
                read(b, 1);
                return static_cast<std::int8_t>(b[0]);
            case 3:
                read(b, 2);
                return static_cast<std::int16_t>(b[0] | (b[1] << 8));
            case 4:
                read(b, 4);
                return static_cast<std::int32_t>(b[0] | (b[1] << 8) | (b[2] << 16) |
                                                 (std::uint32_t{b[3]} << 24));
            default:
                throw std::runtime_error("not an integer");
        }
    }

    std::FILE* file_;  // not owned
};

}  // namespace pellino::bench

#include "model/stream.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "model/float80.h"
#include "runtime/errors.h"

namespace pellino {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes written(const std::function<void(TWriter&)>& write) {
    MemoryStream stream;
    {
        TWriter writer(stream);
        write(writer);
        writer.FlushBuffer();
    }
    return stream.Bytes();
}

// Runs `read` on the bytes and returns the message of the EReadError it raised ("" for none).
std::string readError(const Bytes& bytes, const std::function<void(TReader&)>& read) {
    MemoryStream stream(bytes);
    TReader reader(stream);
    try {
        read(reader);
    } catch (const EReadError& e) {
        return e.Message();
    }
    return "";
}

std::uint64_t bitsOf(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

// A stream that takes only `capacity` bytes, as a full disk does.
class FullDiskStream : public MemoryStream {
public:
    explicit FullDiskStream(std::size_t capacity) : capacity_(capacity) {}
    std::size_t Write(const void* buffer, std::size_t count) override {
        const std::size_t n = std::min(count, capacity_ - std::min(capacity_, Bytes().size()));
        return MemoryStream::Write(buffer, n);
    }
    void Grow(std::size_t capacity) { capacity_ = capacity; }

private:
    std::size_t capacity_;
};

// A stream that hands out a few bytes at a time, as a slow device may.
class TrickleStream : public MemoryStream {
public:
    using MemoryStream::MemoryStream;
    std::size_t Read(void* buffer, std::size_t count) override {
        return MemoryStream::Read(buffer, std::min<std::size_t>(count, 7));
    }
};

TEST(TWriterTest, WritesEachValueInItsNarrowestForm) {
    struct Case {
        const char* what;
        std::function<void(TWriter&)> write;
        Bytes bytes;
    };
    const std::vector<Case> cases = {
        {"integer 5", [](TWriter& w) { w.WriteInteger(5); }, {0x02, 0x05}},
        {"integer -1", [](TWriter& w) { w.WriteInteger(-1); }, {0x02, 0xFF}},
        {"integer 127, last of 8 bits", [](TWriter& w) { w.WriteInteger(127); }, {0x02, 0x7F}},
        {"integer 128", [](TWriter& w) { w.WriteInteger(128); }, {0x03, 0x80, 0x00}},
        {"integer -128", [](TWriter& w) { w.WriteInteger(-128); }, {0x02, 0x80}},
        {"integer -129", [](TWriter& w) { w.WriteInteger(-129); }, {0x03, 0x7F, 0xFF}},
        {"integer 200", [](TWriter& w) { w.WriteInteger(200); }, {0x03, 0xC8, 0x00}},
        {"integer 666", [](TWriter& w) { w.WriteInteger(666); }, {0x03, 0x9A, 0x02}},
        {"integer 32767", [](TWriter& w) { w.WriteInteger(32767); }, {0x03, 0xFF, 0x7F}},
        {"integer -32768", [](TWriter& w) { w.WriteInteger(-32768); }, {0x03, 0x00, 0x80}},
        {"integer 32768",
         [](TWriter& w) { w.WriteInteger(32768); },
         {0x04, 0x00, 0x80, 0x00, 0x00}},
        {"integer -32769",
         [](TWriter& w) { w.WriteInteger(-32769); },
         {0x04, 0xFF, 0x7F, 0xFF, 0xFF}},
        {"integer 40000",
         [](TWriter& w) { w.WriteInteger(40000); },
         {0x04, 0x40, 0x9C, 0x00, 0x00}},
        {"integer minimum",
         [](TWriter& w) { w.WriteInteger(std::numeric_limits<std::int32_t>::min()); },
         {0x04, 0x00, 0x00, 0x00, 0x80}},
        {"float 2.0",
         [](TWriter& w) { w.WriteFloat(2.0); },
         {0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0x40}},
        {"float 1.5",
         [](TWriter& w) { w.WriteFloat(1.5); },
         {0x05, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F}},
        {"float 0.0", [](TWriter& w) { w.WriteFloat(0.0); }, {0x05, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"float 35000.5",
         [](TWriter& w) { w.WriteFloat(35000.5); },
         {0x05, 0, 0, 0, 0, 0, 0x80, 0xB8, 0x88, 0x0E, 0x40}},
        {"float -0.0 keeps its sign",
         [](TWriter& w) { w.WriteFloat(-0.0); },
         {0x05, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80}},
        {"true", [](TWriter& w) { w.WriteBoolean(true); }, {0x09}},
        {"false", [](TWriter& w) { w.WriteBoolean(false); }, {0x08}},
        {"empty string", [](TWriter& w) { w.WriteString(""); }, {0x06, 0x00}},
        {"abc", [](TWriter& w) { w.WriteString("abc"); }, {0x06, 0x03, 0x61, 0x62, 0x63}},
        {"list markers", [](TWriter& w) { w.WriteListBegin(), w.WriteListEnd(); }, {0x01, 0x00}},
    };
    for (const Case& c : cases) EXPECT_EQ(written(c.write), c.bytes) << c.what;
}

TEST(TWriterTest, ChoosesTheLongStringFormPast255Bytes) {
    const Bytes at255 = written([](TWriter& w) { w.WriteString(std::string(255, 'x')); });
    ASSERT_EQ(at255.size(), 2u + 255);
    EXPECT_EQ(at255[0], 0x06);
    EXPECT_EQ(at255[1], 0xFF);

    const Bytes at256 = written([](TWriter& w) { w.WriteString(std::string(256, 'x')); });
    ASSERT_EQ(at256.size(), 5u + 256);
    EXPECT_EQ(Bytes(at256.begin(), at256.begin() + 5), (Bytes{0x0C, 0x00, 0x01, 0x00, 0x00}));
}

TEST(TWriterTest, HandsTheBufferOverInThousandByteBlocks) {
    MemoryStream stream;
    TWriter writer(stream);
    for (int i = 0; i < 999; ++i) writer.WriteBoolean(true);
    EXPECT_EQ(stream.Size(), 0) << "a buffer that is not full stays with the writer";
    writer.WriteBoolean(true);
    writer.WriteBoolean(false);
    EXPECT_EQ(stream.Size(), 1000) << "the full buffer goes out when the next byte needs room";
    writer.FlushBuffer();
    EXPECT_EQ(stream.Size(), 1001);
}

TEST(TWriterTest, AFullDiskRaisesAndKeepsTheBufferForTheNextHandover) {
    FullDiskStream stream(600);
    {
        TWriter writer(stream);
        for (int i = 0; i < 1000; ++i) writer.WriteBoolean(true);
        try {
            writer.WriteBoolean(false);
            FAIL() << "the disk took only 600 of 1000 bytes";
        } catch (const EWriteError& e) {
            EXPECT_EQ(e.Message(), "Stream write error");
        }
        EXPECT_THROW(writer.FlushBuffer(), EWriteError) << "the cause persists";

        stream.Grow(1 << 20);
        writer.FlushBuffer();
        EXPECT_EQ(stream.Size(), 1600) << "the whole buffer was handed over again";
        EXPECT_TRUE(writer.WriteFailed()) << "600 bytes went out twice: the stream is not whole";
        writer.WriteBoolean(false);
    }
    EXPECT_EQ(stream.Size(), 1601) << "the destructor hands over the rest";
}

TEST(TWriterTest, DestructorDropsAFailureInsteadOfRaising) {
    FullDiskStream stream(0);
    EXPECT_NO_THROW({
        TWriter writer(stream);
        writer.WriteInteger(5);
    });
}

TEST(TReaderTest, ReadsBackEveryKindOfValueAcrossBufferFills) {
    // Values placed so that each kind straddles the end of the reader's first fill somewhere;
    // a stream that gives seven bytes at a time makes every value straddle some fill.
    const std::string longText(2500, 'L');
    constexpr int kFill = static_cast<int>(TReader::kBufferSize);
    for (int padding = kFill - 15; padding <= kFill; ++padding) {
        const Bytes bytes = written([&](TWriter& w) {
            for (int i = 0; i < padding; ++i) w.WriteBoolean(false);
            w.WriteInteger(-70000);
            w.WriteFloat(-0.1);
            w.WriteString("abc");
            w.WriteInteger(300);
            w.WriteListBegin();
            w.WriteListEnd();
            w.WriteString(longText);
            w.WriteBoolean(true);
        });
        for (bool trickle : {false, true}) {
            std::unique_ptr<MemoryStream> stream = trickle ? std::make_unique<TrickleStream>(bytes)
                                                           : std::make_unique<MemoryStream>(bytes);
            TReader r(*stream);
            for (int i = 0; i < padding; ++i) ASSERT_FALSE(r.ReadBoolean());
            EXPECT_EQ(r.ReadInteger(), -70000) << padding;
            EXPECT_EQ(bitsOf(r.ReadFloat()), bitsOf(-0.1)) << padding;
            EXPECT_EQ(r.ReadString(), "abc") << padding;
            EXPECT_EQ(r.ReadFloat(), 300.0) << "put-back of an integer tag, padding " << padding;
            EXPECT_FALSE(r.EndOfList());
            r.ReadListBegin();
            EXPECT_TRUE(r.EndOfList());
            r.ReadListEnd();
            EXPECT_EQ(r.ReadString(), longText) << padding;
            EXPECT_TRUE(r.ReadBoolean());
            EXPECT_EQ(r.Position(), static_cast<std::int64_t>(bytes.size()));
        }
    }
}

TEST(TReaderTest, FloatAcceptsAnIntegerOfEveryWidth) {
    const Bytes bytes = written([](TWriter& w) {
        w.WriteInteger(-5);
        w.WriteInteger(666);
        w.WriteInteger(-40000);
    });
    MemoryStream stream(bytes);
    TReader reader(stream);
    EXPECT_EQ(reader.ReadFloat(), -5.0);
    EXPECT_EQ(reader.ReadFloat(), 666.0);
    EXPECT_EQ(reader.ReadFloat(), -40000.0);
}

TEST(TReaderTest, BooleanConsumesOnlyTheTag) {
    // An integer 200 read as a boolean: false, and its two payload bytes are what comes next.
    MemoryStream stream(Bytes{0x03, 0xC8, 0x00, 0x06, 0x00});
    TReader reader(stream);
    EXPECT_FALSE(reader.ReadBoolean());
    EXPECT_EQ(reader.Position(), 1);
    EXPECT_THROW(reader.ReadInteger(), EReadError) << "0xC8 is no tag";
    EXPECT_EQ(reader.Position(), 2) << "the refused tag is consumed";
    EXPECT_FALSE(reader.ReadBoolean()) << "0x00 read as a boolean";
    EXPECT_EQ(reader.ReadString(), "");
}

TEST(TReaderTest, RefusesUnexpectedTagsAndMissingBytes) {
    struct Case {
        const char* what;
        Bytes bytes;
        std::function<void(TReader&)> read;
        const char* error;
    };
    const std::vector<Case> cases = {
        {"integer from a string",
         {0x06, 0x00},
         [](TReader& r) { r.ReadInteger(); },
         "Invalid property value"},
        {"integer from a float",
         {0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0x40},
         [](TReader& r) { r.ReadInteger(); },
         "Invalid property value"},
        {"float from a boolean",
         {0x09},
         [](TReader& r) { r.ReadFloat(); },
         "Invalid property value"},
        {"string from an integer",
         {0x02, 0x05},
         [](TReader& r) { r.ReadString(); },
         "Invalid property value"},
        {"tag 7 is never accepted",
         {0x07, 0x00},
         [](TReader& r) { r.ReadString(); },
         "Invalid property value"},
        {"begin list on an end marker",
         {0x00},
         [](TReader& r) { r.ReadListBegin(); },
         "Invalid property value"},
        {"end list on a begin marker",
         {0x01},
         [](TReader& r) { r.ReadListEnd(); },
         "Invalid property value"},
        {"at end of list at the very end",
         {},
         [](TReader& r) { r.EndOfList(); },
         "Stream read error"},
        {"boolean at the very end", {}, [](TReader& r) { r.ReadBoolean(); }, "Stream read error"},
        {"integer cut in its payload",
         {0x04, 0x01, 0x02},
         [](TReader& r) { r.ReadInteger(); },
         "Stream read error"},
        {"float cut in its payload",
         {0x05, 0x01},
         [](TReader& r) { r.ReadFloat(); },
         "Stream read error"},
        {"short string longer than the data",
         {0x06, 0x05, 0x61},
         [](TReader& r) { r.ReadString(); },
         "Stream read error"},
        {"long string claiming 2 GB",
         {0x0C, 0xFF, 0xFF, 0xFF, 0x7F, 0x61},
         [](TReader& r) { r.ReadString(); },
         "Stream read error"},
        {"long string claiming 4 GB",
         {0x0C, 0xFF, 0xFF, 0xFF, 0xFF},
         [](TReader& r) { r.ReadString(); },
         "Stream read error"},
        {"long string one byte short",
         {0x0C, 0x03, 0x00, 0x00, 0x00, 0x61, 0x62},
         [](TReader& r) { r.ReadString(); },
         "Stream read error"},
    };
    for (const Case& c : cases) EXPECT_EQ(readError(c.bytes, c.read), c.error) << c.what;
}

TEST(TReaderTest, AStringLongerThanTheDataLeavesTheReaderAtTheEnd) {
    // As when the bytes run out while reading the text: nothing after the length is taken for
    // the next value.
    for (const Bytes& bytes :
         {Bytes{0x06, 0x04, 0x02, 0x05, 0x00}, Bytes{0x0C, 0x04, 0, 0, 0, 0x02, 0x05, 0x00}}) {
        MemoryStream stream(bytes);
        TReader reader(stream);
        EXPECT_THROW(reader.ReadString(), EReadError);
        EXPECT_EQ(reader.Position(), static_cast<std::int64_t>(bytes.size()));
        try {
            reader.EndOfList();
            ADD_FAILURE() << "read past the end";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), "Stream read error");
        }
    }
    Bytes exact{0x0C, 0x03, 0x00, 0x00, 0x00, 0x61, 0x62, 0x63};
    MemoryStream stream(exact);
    TReader reader(stream);
    EXPECT_EQ(reader.ReadString(), "abc") << "a text that ends with the data is whole";
}

TEST(TReaderTest, ValueStartNamesTheTagOfTheFailingValue) {
    MemoryStream stream(Bytes{0x02, 0x05, 0x03, 0x01});
    TReader reader(stream);
    reader.ReadInteger();
    EXPECT_THROW(reader.ReadFloat(), EReadError);
    EXPECT_EQ(reader.ValueStart(), 2);
}

TEST(TReaderTest, ValueStartNamesTheFailingValueAfterValuesReadInsideTheBuffer) {
    // Values of every common form, read where the reader takes them without a call, then one
    // that fails: the failure names the failing value's tag, not one read before it.
    const Bytes before = written([](TWriter& w) {
        w.WriteInteger(5);
        w.WriteInteger(300);
        w.WriteInteger(70000);
        w.WriteFloat(2.5);
        w.WriteString("a text");
        w.WriteBoolean(true);
    });
    const auto readBefore = [](TReader& r) {
        r.ReadInteger();
        r.ReadInteger();
        r.ReadInteger();
        r.ReadFloat();
        r.ReadString();
        r.ReadBoolean();
    };
    struct Case {
        const char* what;
        Bytes after;    // the bytes from the failing value's tag on
        bool cutShort;  // the data ends with them; else more values follow
        std::function<void(TReader&)> read;
    };
    const std::vector<Case> cases = {
        {"a text where an integer belongs",
         {0x06, 0x01, 0x41},
         false,
         [](TReader& r) { r.ReadInteger(); }},
        {"a text where a float belongs",
         {0x06, 0x01, 0x41},
         false,
         [](TReader& r) { r.ReadFloat(); }},
        {"an integer where a text belongs",
         {0x02, 0x01},
         false,
         [](TReader& r) { r.ReadString(); }},
        {"a list's end missing", {0x02, 0x01}, false, [](TReader& r) { r.ReadListEnd(); }},
        {"an integer cut short", {0x04, 0x01}, true, [](TReader& r) { r.ReadInteger(); }},
        {"a text cut short", {0x06, 0x09, 0x41}, true, [](TReader& r) { r.ReadString(); }},
        {"the end of the data where a list may end", {}, true, [](TReader& r) { r.EndOfList(); }},
    };
    for (const Case& c : cases) {
        Bytes bytes = before;
        bytes.insert(bytes.end(), c.after.begin(), c.after.end());
        if (!c.cutShort) bytes.insert(bytes.end(), 16, 0x02);
        MemoryStream stream(bytes);
        TReader reader(stream);
        readBefore(reader);
        EXPECT_THROW(c.read(reader), EReadError) << c.what;
        EXPECT_EQ(reader.ValueStart(), static_cast<std::int64_t>(before.size())) << c.what;
    }
}

// ---- The 80-bit conversion ----

std::vector<double> awkwardDoubles() {
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<double> values = {
        0.0,
        -0.0,
        1.0,
        -1.0,
        0.1,
        1.0 / 3.0,
        2.0,
        35000.5,
        729000.25,
        1439.0 / 1440.0,
        0.000694445,
        1e300,
        -1e-300,
        inf,
        -inf,
        std::numeric_limits<double>::max(),
        std::numeric_limits<double>::lowest(),
        std::numeric_limits<double>::min(),                       // least normal
        std::numeric_limits<double>::denorm_min(),                // least denormal
        std::nextafter(std::numeric_limits<double>::min(), 0.0),  // greatest denormal
        std::bit_cast<double>(0x0000'0000'0000'0F00ULL),
        std::nextafter(1.0, 2.0),
        std::nextafter(1.0, 0.0),
    };
    std::mt19937_64 random(20260105);
    for (int i = 0; i < 2000; ++i) {
        const double d = std::bit_cast<double>(random());
        if (!std::isnan(d)) values.push_back(d);
    }
    return values;
}

TEST(Float80Test, EveryDoubleSurvivesTheRoundTripBitForBit) {
    for (double d : awkwardDoubles()) {
        EXPECT_EQ(bitsOf(narrowToDouble(widenToExtended(d))), bitsOf(d)) << d;
        const Bytes bytes = written([d](TWriter& w) { w.WriteFloat(d); });
        MemoryStream stream(bytes);
        TReader reader(stream);
        EXPECT_EQ(bitsOf(reader.ReadFloat()), bitsOf(d)) << d;
    }
}

TEST(Float80Test, NaNStaysNaNWithItsPayload) {
    for (std::uint64_t bits : {0x7FF8'0000'0000'0000ULL, 0xFFF8'0000'0000'0001ULL,
                               0x7FF0'0000'0000'0001ULL /* signalling */}) {
        const double nan = std::bit_cast<double>(bits);
        EXPECT_EQ(bitsOf(narrowToDouble(widenToExtended(nan))), bits) << std::hex << bits;
    }
}

TEST(Float80Test, NarrowingRoundsToNearestTiesToEven) {
    struct Case {
        const char* what;
        Extended80 value;
        double expected;
    };
    constexpr std::uint64_t one = 0x8000'0000'0000'0000ULL;  // 1.0 with exponent 0x3FFF
    const double up = std::nextafter(1.0, 2.0);
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<Case> cases = {
        {"below half an ulp", {one | 0x3FF, 0x3FFF}, 1.0},
        {"exactly half, even stays", {one | 0x400, 0x3FFF}, 1.0},
        {"above half", {one | 0x401, 0x3FFF}, up},
        {"exactly half, odd goes up", {one | 0xC00, 0x3FFF}, std::nextafter(up, 2.0)},
        {"carry into the next power", {0xFFFF'FFFF'FFFF'FFFFULL, 0x3FFF}, 2.0},
        {"past the double range", {one, 0x3FFF + 1024}, inf},
        {"negative past the range", {one, 0x8000 | (0x3FFF + 5000)}, -inf},
        {"rounds up to infinity", {0xFFFF'FFFF'FFFF'FFFFULL, 0x3FFF + 1023}, inf},
        {"greatest finite",
         {0xFFFF'FFFF'FFFF'F800ULL, 0x3FFF + 1023},
         std::numeric_limits<double>::max()},
        {"greatest denormal rounds to the least normal",
         {0xFFFF'FFFF'FFFF'FFFFULL, 0x3FFF - 1023},
         std::numeric_limits<double>::min()},
        {"half the least denormal goes to even zero", {one, 0x3FFF - 1075}, 0.0},
        {"just over half the least denormal",
         {one | 1, 0x3FFF - 1075},
         std::numeric_limits<double>::denorm_min()},
        {"far below the range", {one, 1}, 0.0},
        {"negative far below keeps the sign", {one, 0x8001}, -0.0},
        {"extended denormal", {1, 0}, 0.0},
        {"pseudo-denormal reads as its value", {one, 0}, 0.0},
        {"zero with a zero exponent", {0, 0x8000}, -0.0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(bitsOf(narrowToDouble(c.value)), bitsOf(c.expected)) << c.what;
    }
}

TEST(Float80Test, RefusedEncodingsBecomeNaN) {
    const std::vector<Extended80> refused = {
        {0x4000'0000'0000'0000ULL, 0x3FFF},  // unnormal: no leading bit
        {0, 0x3FFF},                         // unnormal zero
        {0, 0x7FFF},                         // pseudo-infinity
        {0x4000'0000'0000'0000ULL, 0xFFFF},  // pseudo-NaN
    };
    for (const Extended80& e : refused)
        EXPECT_TRUE(std::isnan(narrowToDouble(e))) << e.signExponent;
}

// Where the compiler's long double is the x87 format, it is an independent referee.
TEST(Float80Test, AgreesWithTheX87OnRandomEncodings) {
    if constexpr (std::numeric_limits<long double>::digits != 64 ||
                  std::numeric_limits<long double>::max_exponent != 16384) {
        GTEST_SKIP() << "long double is not the 80-bit format here";
    } else {
        std::mt19937_64 random(666);
        for (int i = 0; i < 200000; ++i) {
            Extended80 e{random(), static_cast<std::uint16_t>(random())};
            // Most random exponents lie far outside the double range; aim half of them near it.
            if (i % 2 == 0) {
                e.signExponent = static_cast<std::uint16_t>((e.signExponent & 0x8000) |
                                                            (0x3FFF - 1100 + random() % 2200));
            }
            if (i % 3 == 0) e.significand &= ~0x7FFULL;  // many exact cases
            if (i % 5 == 0) e.significand = (e.significand & ~0xFFFULL) | 0x400;  // ties
            long double reference = 0;
            std::uint8_t bytes[kExtendedBytes];
            storeExtended(e, bytes);
            std::memcpy(&reference, bytes, kExtendedBytes);
            const double expected = static_cast<double>(reference);
            const double actual = narrowToDouble(e);
            // The reader's inline narrowing of the common values must agree to the bit.
            double quick = 0;
            if (narrowExactly(e, quick)) {
                ASSERT_EQ(bitsOf(quick), bitsOf(expected))
                    << std::hex << e.significand << " " << e.signExponent;
            }
            if (std::isnan(expected)) {
                ASSERT_TRUE(std::isnan(actual))
                    << std::hex << e.significand << " " << e.signExponent;
            } else {
                ASSERT_EQ(bitsOf(actual), bitsOf(expected))
                    << std::hex << e.significand << " " << e.signExponent;
            }
        }
    }
}

}  // namespace
}  // namespace pellino

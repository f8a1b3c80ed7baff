#include "model/stream.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <limits>

#include "model/float80.h"
#include "runtime/errors.h"

namespace pellino {

namespace {

constexpr const char* kInvalidPropertyValue = "Invalid property value";
constexpr const char* kStreamReadError = "Stream read error";
constexpr const char* kStreamWriteError = "Stream write error";

constexpr std::uint8_t tagByte(ValueTag tag) {
    return static_cast<std::uint8_t>(tag);
}

[[noreturn]] void invalidValue() {
    throw EReadError(kInvalidPropertyValue);
}

}  // namespace

// ---- TWriter ----

TWriter::~TWriter() {
    try {
        FlushBuffer();
    } catch (const EWriteError&) {
        // A destructor cannot raise. This path runs only when the caller did not reach its own
        // FlushBuffer, that is while an earlier error is already being reported.
    }
}

void TWriter::FlushBuffer() {
    if (used_ == 0) return;
    if (stream_.Write(buffer_.data(), used_) != used_) {
        writeFailed_ = true;
        throw EWriteError(kStreamWriteError);
    }
    used_ = 0;
}

void TWriter::writeAcrossBuffers(const void* data, std::size_t count) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    while (count > 0) {
        if (used_ == buffer_.size()) FlushBuffer();
        const std::size_t n = std::min(count, buffer_.size() - used_);
        std::memcpy(buffer_.data() + used_, bytes, n);
        used_ += n;
        bytes += n;
        count -= n;
    }
}

void TWriter::WriteListBegin() {
    const std::uint8_t tag = tagByte(ValueTag::List);
    writeBytes(&tag, 1);
}

void TWriter::WriteListEnd() {
    const std::uint8_t tag = tagByte(ValueTag::Null);
    writeBytes(&tag, 1);
}

void TWriter::WriteInteger(std::int32_t value) {
    const auto raw = static_cast<std::uint32_t>(value);
    std::uint8_t bytes[5];
    for (std::size_t i = 1; i < 5; ++i) bytes[i] = static_cast<std::uint8_t>(raw >> (8 * (i - 1)));
    if (value >= -128 && value <= 127) {
        bytes[0] = tagByte(ValueTag::Int8);
        writeBytes(bytes, 2);
    } else if (value >= -32768 && value <= 32767) {
        bytes[0] = tagByte(ValueTag::Int16);
        writeBytes(bytes, 3);
    } else {
        bytes[0] = tagByte(ValueTag::Int32);
        writeBytes(bytes, 5);
    }
}

void TWriter::WriteFloat(double value) {
    std::uint8_t bytes[1 + kExtendedBytes];
    bytes[0] = tagByte(ValueTag::Extended);
    storeExtended(widenToExtended(value), bytes + 1);
    writeBytes(bytes, sizeof bytes);
}

void TWriter::WriteBoolean(bool value) {
    const std::uint8_t tag = tagByte(value ? ValueTag::True : ValueTag::False);
    writeBytes(&tag, 1);
}

void TWriter::WriteString(std::string_view value) {
    std::uint8_t head[5];
    std::size_t headSize;
    if (value.size() <= 255) {
        head[0] = tagByte(ValueTag::String);
        head[1] = static_cast<std::uint8_t>(value.size());
        headSize = 2;
    } else {
        // A text never comes near 4 GB in this program; the length field could not say more.
        assert(value.size() <= std::numeric_limits<std::uint32_t>::max());
        const auto length = static_cast<std::uint32_t>(value.size());
        head[0] = tagByte(ValueTag::LString);
        for (int i = 0; i < 4; ++i) head[1 + i] = static_cast<std::uint8_t>(length >> (8 * i));
        headSize = 5;
    }
    writeBytes(head, headSize);
    writeBytes(value.data(), value.size());
}

// ---- TReader ----

TReader::TReader(Stream& stream)
    : stream_(stream),
      buffer_(std::make_unique_for_overwrite<std::uint8_t[]>(kBufferSize)),
      bufferStart_(stream.Position()),
      valueStart_(bufferStart_) {}

void TReader::fillBuffer() {
    bufferStart_ += static_cast<std::int64_t>(end_);
    next_ = 0;
    end_ = stream_.Read(buffer_.get(), kBufferSize);
    if (end_ == 0) throw EReadError(kStreamReadError);
}

void TReader::readAcrossBuffers(void* data, std::size_t count) {
    auto* bytes = static_cast<std::uint8_t*>(data);
    while (count > 0) {
        if (next_ == end_) fillBuffer();
        const std::size_t n = std::min(count, end_ - next_);
        std::memcpy(bytes, buffer_.get() + next_, n);
        next_ += n;
        bytes += n;
        count -= n;
    }
}

std::uint64_t TReader::bytesLeft() const {
    const std::int64_t inStream = stream_.Size() - stream_.Position();
    return (end_ - next_) + static_cast<std::uint64_t>(std::max<std::int64_t>(inStream, 0));
}

void TReader::skipToEnd() {
    do {
        bufferStart_ += static_cast<std::int64_t>(end_);
        next_ = 0;
        end_ = stream_.Read(buffer_.get(), kBufferSize);
    } while (end_ > 0);
}

void TReader::ReadListBegin() {
    if (readTag() != tagByte(ValueTag::List)) invalidValue();
}

void TReader::ReadListEnd() {
    if (readTag() != tagByte(ValueTag::Null)) invalidValue();
}

std::int32_t TReader::readIntegerPayload(std::uint8_t tag) {
    switch (static_cast<ValueTag>(tag)) {
        case ValueTag::Int8:
            return static_cast<std::int8_t>(readByte());
        case ValueTag::Int16: {
            std::uint8_t b[2];
            readBytes(b, 2);
            return static_cast<std::int16_t>(static_cast<std::uint16_t>(b[0] | (b[1] << 8)));
        }
        case ValueTag::Int32: {
            std::uint8_t b[4];
            readBytes(b, 4);
            return static_cast<std::int32_t>(loadLittle32(b));
        }
        default:
            invalidValue();
    }
}

std::int32_t TReader::readIntegerSlowly() {
    return readIntegerPayload(readTag());
}

double TReader::readFloatSlowly() {
    const std::uint8_t tag = readTag();
    if (tag != tagByte(ValueTag::Extended)) {
        --next_;  // put the tag back and read the value as an integer
        return static_cast<double>(readIntegerSlowly());
    }
    std::uint8_t bytes[kExtendedBytes];
    readBytes(bytes, sizeof bytes);
    return narrowToDouble(loadExtended(bytes));
}

std::string TReader::ReadString() {
    std::string text;
    ReadString(text);
    return text;
}

void TReader::readStringSlowly(std::string& into) {
    const std::uint8_t tag = readTag();
    std::uint32_t length;
    if (tag == tagByte(ValueTag::String)) {
        length = readByte();
    } else if (tag == tagByte(ValueTag::LString)) {
        std::uint8_t b[4];
        readBytes(b, 4);
        length = loadLittle32(b);
    } else {
        invalidValue();
    }
    // Only a length that reaches past the buffer needs the stream's size. A length past the end
    // fails as running out of bytes would, and like it leaves the reader at the end, so that no
    // later read takes the text's bytes for values.
    if (length > end_ - next_ && length > bytesLeft()) {
        skipToEnd();
        throw EReadError(kStreamReadError);
    }
    if (length <= end_ - next_) {
        copyText(into, buffer_.get() + next_, length);
        next_ += length;
        return;
    }
    std::string text(length, '\0');
    readBytes(text.data(), length);
    into = std::move(text);
}

}  // namespace pellino

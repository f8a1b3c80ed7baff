#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "model/float80.h"
#include "platform/stream.h"

namespace pellino {

// The tags of the data file's values. Every value is one tag byte followed by a payload whose
// length the tag fixes or the payload states. Tags 7, 10 and 11 belong to the same numbering but
// never occur in the data file.
enum class ValueTag : std::uint8_t {
    Null = 0,  // end of list
    List = 1,
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    Extended = 5,
    String = 6,
    False = 8,
    True = 9,
    LString = 12,
};

inline constexpr std::size_t kFilerBufferSize = 1000;

// Writes tagged values to a stream through a 1000-byte buffer. The file is complete only once the
// buffer has been handed over: call FlushBuffer at the end of a successful write. The destructor
// hands over what is left as well, but cannot raise, so a failure there goes unreported; it
// exists for the path where an error is already on its way out.
class TWriter {
public:
    explicit TWriter(Stream& stream) : stream_(stream) {}
    TWriter(const TWriter&) = delete;
    TWriter& operator=(const TWriter&) = delete;
    ~TWriter();

    void WriteListBegin();
    void WriteListEnd();
    // The narrowest of the three integer forms that holds the value.
    void WriteInteger(std::int32_t value);
    // The double widened exactly to the 80-bit format.
    void WriteFloat(double value);
    void WriteBoolean(bool value);
    // Up to 255 bytes in the short form, longer texts with a four-byte length.
    void WriteString(std::string_view value);

    // Hands the buffer to the stream. When the stream takes less (a full disk), EWriteError
    // "Stream write error" is raised and the buffer is kept, to be handed over again next time.
    void FlushBuffer();
    // True once any handover fell short. A record's writing stops silently at a failure and a
    // later handover may succeed again, so only this tells whether the stream holds every value
    // in order.
    bool WriteFailed() const { return writeFailed_; }

private:
    // Inline so that the copy of a value's few bytes, whose count is mostly known where it is
    // called, need not go through a call.
    void writeBytes(const void* data, std::size_t count) {
        if (count <= buffer_.size() - used_) {
            std::memcpy(buffer_.data() + used_, data, count);
            used_ += count;
        } else {
            writeAcrossBuffers(data, count);
        }
    }
    void writeAcrossBuffers(const void* data, std::size_t count);

    Stream& stream_;  // not owned
    std::array<std::uint8_t, kFilerBufferSize> buffer_{};
    std::size_t used_ = 0;
    bool writeFailed_ = false;
};

// Reads tagged values from a stream through a 64 KB buffer: the whole of a data file in few
// reads of the stream, and nearly every value inside the buffer, where the common forms are read
// inline without a call. Failures raise EReadError: a tag the operation does not accept gives
// "Invalid property value" (the tag byte is consumed), running out of bytes gives "Stream read
// error".
class TReader {
public:
    static constexpr std::size_t kBufferSize = 64 * 1024;

    explicit TReader(Stream& stream);
    TReader(const TReader&) = delete;
    TReader& operator=(const TReader&) = delete;

    void ReadListBegin();
    void ReadListEnd();
    // Looks at the next tag without consuming it: true when it ends a list.
    bool EndOfList() {
        if (next_ == end_) {
            // Only a refill can fail here; readTag notes where.
            readTag();
            --next_;  // the tag was just taken from this buffer, so stepping back stays inside it
        }
        return buffer_[next_] == static_cast<std::uint8_t>(ValueTag::Null);
    }
    // Tags 2, 3 and 4, sign-extended.
    std::int32_t ReadInteger() {
        if (end_ - next_ >= 5) {
            const std::uint8_t* at = buffer_.get() + next_;
            switch (static_cast<ValueTag>(at[0])) {
                case ValueTag::Int8:
                    next_ += 2;
                    return static_cast<std::int8_t>(at[1]);
                case ValueTag::Int16:
                    next_ += 3;
                    return static_cast<std::int16_t>(
                        static_cast<std::uint16_t>(at[1] | (at[2] << 8)));
                case ValueTag::Int32:
                    next_ += 5;
                    return static_cast<std::int32_t>(loadLittle32(at + 1));
                default:
                    break;
            }
        }
        return readIntegerSlowly();
    }
    // Tag 5, or any integer (its tag is put back and it is read as an integer). The 80-bit value
    // is rounded to the nearest double here, since every caller keeps a double.
    double ReadFloat() {
        if (end_ - next_ >= 1 + kExtendedBytes &&
            buffer_[next_] == static_cast<std::uint8_t>(ValueTag::Extended)) {
            double value;
            if (narrowExactly(loadExtended(buffer_.get() + next_ + 1), value)) {
                next_ += 1 + kExtendedBytes;
                return value;
            }
        }
        return readFloatSlowly();
    }
    // Consumes only a tag, whatever it is: true for tag 9, false for every other.
    // `storedAsBoolean`, when given, tells whether the tag was one of the two a boolean is
    // stored with; any other means the value in the boolean's place was misread.
    bool ReadBoolean(bool* storedAsBoolean = nullptr) {
        const std::uint8_t tag = readTag();
        if (storedAsBoolean != nullptr) {
            *storedAsBoolean = tag == static_cast<std::uint8_t>(ValueTag::True) ||
                               tag == static_cast<std::uint8_t>(ValueTag::False);
        }
        return tag == static_cast<std::uint8_t>(ValueTag::True);
    }
    // Tags 6 and 12. The stated length is checked against what the stream still holds before
    // anything is allocated, so a damaged length cannot ask for more memory than the file has.
    std::string ReadString();
    // The same into an existing text, whose storage is reused when it is large enough. The text
    // is changed only when the read succeeds.
    void ReadString(std::string& into) {
        // A short text inside the buffer, as nearly all are, goes straight into place.
        if (end_ - next_ >= 2 && buffer_[next_] == static_cast<std::uint8_t>(ValueTag::String)) {
            const std::size_t length = buffer_[next_ + 1];
            if (end_ - next_ - 2 >= length) {
                copyText(into, buffer_.get() + next_ + 2, length);
                next_ += 2 + length;
                return;
            }
        }
        readStringSlowly(into);
    }

    // Offset in the stream of the next byte to read.
    std::int64_t Position() const { return bufferStart_ + static_cast<std::int64_t>(next_); }
    // Offset of the tag of the value being read when an error was raised, and after a boolean
    // (which raises none when it finds another value in its place) the offset of its tag. Only
    // the reads that may fail note it: the common forms read inside the buffer never do.
    std::int64_t ValueStart() const { return valueStart_; }

private:
    // A text of the buffer into `into`. One that fits the string's capacity, as nearly every
    // text does once the string has held a few, is copied straight in: the general assign would
    // also check whether the two overlap, which a text of the buffer never does, and that check
    // cost more than the copy. A longer one makes the string grow, keeping it as it was should
    // the memory run out.
    static void copyText(std::string& into, const std::uint8_t* text, std::size_t length) {
        if (length > into.capacity()) {
            into.assign(reinterpret_cast<const char*>(text), length);
            return;
        }
        into.resize(length);
        copyBytes(into.data(), text, length);
    }
    // Copies a short run of bytes in pieces of fixed sizes, which become plain moves: the setup
    // of a general copy (a call, or a string instruction) costs more than the copy of the few
    // dozen bytes of a text.
    static void copyBytes(char* to, const std::uint8_t* from, std::size_t count) {
        for (; count >= 8; count -= 8, to += 8, from += 8) std::memcpy(to, from, 8);
        if (count >= 4) {
            std::memcpy(to, from, 4);
            to += 4;
            from += 4;
            count -= 4;
        }
        if (count >= 2) {
            std::memcpy(to, from, 2);
            to += 2;
            from += 2;
            count -= 2;
        }
        if (count > 0) *to = static_cast<char>(*from);
    }
    static std::uint32_t loadLittle32(const std::uint8_t* b) {
        return b[0] | (b[1] << 8) | (b[2] << 16) | (std::uint32_t{b[3]} << 24);
    }
    std::uint8_t readTag() {
        valueStart_ = Position();
        if (next_ == end_) fillBuffer();
        return buffer_[next_++];
    }
    std::uint8_t readByte() {
        if (next_ == end_) fillBuffer();
        return buffer_[next_++];
    }
    void readBytes(void* data, std::size_t count) {
        if (count <= end_ - next_) {
            std::memcpy(data, buffer_.get() + next_, count);
            next_ += count;
        } else {
            readAcrossBuffers(data, count);
        }
    }
    void readAcrossBuffers(void* data, std::size_t count);
    void fillBuffer();
    void skipToEnd();
    std::int32_t readIntegerPayload(std::uint8_t tag);
    // The general forms: a value across the buffer's end, a tag that does not fit, a float that
    // needs rounding.
    std::int32_t readIntegerSlowly();
    double readFloatSlowly();
    void readStringSlowly(std::string& into);
    std::uint64_t bytesLeft() const;

    Stream& stream_;  // not owned
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t next_ = 0;
    std::size_t end_ = 0;
    std::int64_t bufferStart_ = 0;
    std::int64_t valueStart_ = 0;
};

}  // namespace pellino

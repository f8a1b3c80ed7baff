#include "platform/stream.h"

#include <algorithm>
#include <cstring>

namespace pellino {

std::size_t MemoryStream::Read(void* buffer, std::size_t count) {
    const std::size_t n = std::min(count, bytes_.size() - position_);
    if (n > 0) std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

std::size_t MemoryStream::Write(const void* buffer, std::size_t count) {
    if (position_ + count > bytes_.size()) bytes_.resize(position_ + count);
    if (count > 0) std::memcpy(bytes_.data() + position_, buffer, count);
    position_ += count;
    return count;
}

bool BufferedFileStream::writePending() {
    if (failed_) return false;
    std::size_t done = 0;
    while (done < pending_) {
        const std::size_t n = rawWrite(buffer_.get() + done, pending_ - done);
        if (n == 0) {
            failed_ = true;
            return false;
        }
        done += n;
    }
    pending_ = 0;
    return true;
}

bool BufferedFileStream::dropReadAhead() {
    if (next_ == end_) {
        next_ = end_ = 0;
        return true;
    }
    next_ = end_ = 0;
    if (!rawSeek(position_)) failed_ = true;
    return !failed_;
}

std::size_t BufferedFileStream::Read(void* buffer, std::size_t count) {
    if (pending_ > 0 && !writePending()) return 0;
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        if (next_ == end_) {
            // A read as large as the buffer goes straight to the caller; copying it would only
            // cost time.
            if (count - done >= kBufferSize) {
                const std::size_t n = rawRead(bytes + done, count - done);
                done += n;
                position_ += static_cast<std::int64_t>(n);
                break;
            }
            next_ = 0;
            end_ = rawRead(ownBuffer(), kBufferSize);
            if (end_ == 0) break;
        }
        const std::size_t n = std::min(count - done, end_ - next_);
        std::memcpy(bytes + done, buffer_.get() + next_, n);
        next_ += n;
        done += n;
        position_ += static_cast<std::int64_t>(n);
    }
    return done;
}

std::size_t BufferedFileStream::Write(const void* buffer, std::size_t count) {
    if (failed_ || !dropReadAhead()) return 0;
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        if (pending_ == kBufferSize && !writePending()) break;
        const std::size_t n = std::min(count - done, kBufferSize - pending_);
        std::memcpy(ownBuffer() + pending_, bytes + done, n);
        pending_ += n;
        done += n;
    }
    position_ += static_cast<std::int64_t>(done);
    size_ = std::max(size_, position_);
    return done;
}

std::uint8_t* BufferedFileStream::ownBuffer() {
    if (!buffer_) buffer_ = std::make_unique_for_overwrite<std::uint8_t[]>(kBufferSize);
    return buffer_.get();
}

bool BufferedFileStream::Flush() {
    return writePending() && rawFlush();
}

}  // namespace pellino

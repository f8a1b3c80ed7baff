#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace pellino {

// A sequence of bytes with a position. Read and Write move as far as they can and return how many
// bytes they moved; a short count is how a full disk or the end of the data shows.
class Stream {
public:
    Stream() = default;
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;
    virtual ~Stream() = default;

    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
    virtual std::int64_t Size() const = 0;
    virtual std::int64_t Position() const = 0;
    // Flushes what the stream holds to its medium; false when that failed.
    virtual bool Flush() { return true; }
};

// A stream over bytes in memory; grows as it is written.
class MemoryStream : public Stream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Size() const override { return static_cast<std::int64_t>(bytes_.size()); }
    std::int64_t Position() const override { return static_cast<std::int64_t>(position_); }
    void Rewind() { position_ = 0; }

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

// A file as a stream, through a buffer of 64 KB on each side, so that a file is written and read
// in a few large system calls instead of one for each small block, and its size and position are
// known without asking the system. The bytes that reach the file are exactly those written, in
// order. A backend supplies the four raw operations on its file.
//
// A failure of the file is final: once a raw write or flush has fallen short, bytes the stream
// had accepted are lost, so from then on every Write moves nothing and every Flush is false. A
// caller therefore learns of the loss at its next write or at its Flush, even where the bytes
// were accepted before the disk filled.
class BufferedFileStream : public Stream {
public:
    static constexpr std::size_t kBufferSize = 64 * 1024;

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Size() const override { return size_; }
    std::int64_t Position() const override { return position_; }
    // Hands everything written to the file, then has the file put it on its medium.
    bool Flush() override;

protected:
    // `size`: the file's size when it was opened; its position is then 0.
    explicit BufferedFileStream(std::int64_t size) : size_(size) {}

    // Hands what is still buffered to the file; for the backend's destructor, which must call it
    // before it closes the file. It cannot report a failure: callers that need to know flush
    // first.
    void finish() { writePending(); }

    // The file's own operations, at the file's own position.
    virtual std::size_t rawRead(void* buffer, std::size_t count) = 0;
    virtual std::size_t rawWrite(const void* buffer, std::size_t count) = 0;
    // Moves the file's own position (only ever back over bytes read ahead).
    virtual bool rawSeek(std::int64_t position) = 0;
    // Puts what the file holds on its medium.
    virtual bool rawFlush() = 0;

private:
    // Hands the buffered writes to the file; false (and failed for good) when it took fewer.
    bool writePending();
    // Gives back the bytes read ahead and not yet taken, before a write goes where they were.
    bool dropReadAhead();

    // The buffer, made at its first use: a stream read only in pieces as large as the buffer, as
    // the data file's reader reads, never needs it, and its memory would be touched for nothing.
    std::uint8_t* ownBuffer();
    std::unique_ptr<std::uint8_t[]> buffer_;
    // Either bytes written and not yet handed to the file (`pending_`), or bytes read ahead from
    // it, of which those from `next_` to `end_` are not yet taken; never both.
    std::size_t pending_ = 0;
    std::size_t next_ = 0;
    std::size_t end_ = 0;
    std::int64_t size_;
    std::int64_t position_ = 0;
    bool failed_ = false;
};

}  // namespace pellino

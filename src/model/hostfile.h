#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "model/datafile.h"
#include "platform/stream.h"

namespace pellino {

// A stream over a file named by a path of the machine it runs on. The program names its own files
// by its own paths through platform/files.h; the data file inspector and the measurements take
// paths from their user and come here instead.
class HostFileStream : public Stream {
public:
    // Null when the file cannot be opened (or created).
    static std::unique_ptr<HostFileStream> openForReading(const std::string& path);
    static std::unique_ptr<HostFileStream> createForWriting(const std::string& path);

    // Only the two functions above can make the key.
    class Key {
        friend class HostFileStream;
        Key() = default;
    };
    HostFileStream(Key, std::FILE* file, std::int64_t size);
    ~HostFileStream() override;

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Size() const override { return size_; }
    std::int64_t Position() const override { return position_; }
    bool Flush() override;

    // Closes the file; false when what was written could not be put on the disk.
    bool close();

private:
    std::FILE* file_;  // owned; null once closed
    // The C library's own buffer is small; a larger one spares the system most of the calls that
    // the writer's 1000-byte blocks would otherwise cost.
    std::vector<char> stdioBuffer_;
    std::int64_t size_;
    std::int64_t position_ = 0;
};

// The safe save's file operations on paths of the machine the program runs on.
SaveFileOps HostFileOps();

}  // namespace pellino

// The buffered file stream under both backends: the bytes that reach the file, how few calls to
// the file they take, its own size and position, and a failing disk that is never reported as
// success.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/headless/testing.h"
#include "platform/stream.h"

namespace pellino {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::size_t kBuffer = BufferedFileStream::kBufferSize;

// A file in memory that counts the calls made to it and can run out of room.
class FakeFile final : public BufferedFileStream {
public:
    explicit FakeFile(Bytes content = {}, std::size_t room = SIZE_MAX)
        : BufferedFileStream(static_cast<std::int64_t>(content.size())),
          content_(std::move(content)),
          room_(room) {}
    ~FakeFile() override { finish(); }

    const Bytes& content() const { return content_; }
    int rawReads = 0;
    int rawWrites = 0;

protected:
    std::size_t rawRead(void* buffer, std::size_t count) override {
        ++rawReads;
        const std::size_t n = std::min(count, content_.size() - at_);
        std::copy_n(content_.begin() + static_cast<std::ptrdiff_t>(at_), n,
                    static_cast<std::uint8_t*>(buffer));
        at_ += n;
        return n;
    }
    std::size_t rawWrite(const void* buffer, std::size_t count) override {
        ++rawWrites;
        const std::size_t n = std::min(count, room_);
        room_ -= n;
        const auto* bytes = static_cast<const std::uint8_t*>(buffer);
        if (content_.size() < at_ + n) content_.resize(at_ + n);
        std::copy_n(bytes, n, content_.begin() + static_cast<std::ptrdiff_t>(at_));
        at_ += n;
        return n;
    }
    bool rawSeek(std::int64_t position) override {
        at_ = static_cast<std::size_t>(position);
        return true;
    }
    bool rawFlush() override { return true; }

private:
    Bytes content_;
    std::size_t at_ = 0;
    std::size_t room_;
};

Bytes Pattern(std::size_t size) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    return bytes;
}

TEST(BufferedFileStreamTest, WritesTheSameBytesInBlocksOfItsBuffer) {
    struct Case {
        const char* what;
        std::size_t total;
        std::size_t piece;  // the size of each Write
    };
    const Case cases[] = {
        {"nothing", 0, 1},
        {"the writer's blocks", 3 * kBuffer + 123, 1000},
        {"single bytes", kBuffer + 1, 1},
        {"exactly the buffer", kBuffer, kBuffer},
        {"one write larger than the buffer", 2 * kBuffer + 5, 2 * kBuffer + 5},
        {"pieces that straddle the buffer's end", 5 * kBuffer + 17, 4099},
    };
    for (const Case& c : cases) {
        const Bytes data = Pattern(c.total);
        FakeFile file;
        for (std::size_t at = 0; at < c.total; at += c.piece) {
            const std::size_t n = std::min(c.piece, c.total - at);
            ASSERT_EQ(file.Write(data.data() + at, n), n) << c.what;
            EXPECT_EQ(file.Position(), static_cast<std::int64_t>(at + n)) << c.what;
            EXPECT_EQ(file.Size(), static_cast<std::int64_t>(at + n)) << c.what;
        }
        EXPECT_TRUE(file.Flush()) << c.what;
        EXPECT_EQ(file.content(), data) << c.what;
        EXPECT_EQ(file.rawWrites, static_cast<int>((c.total + kBuffer - 1) / kBuffer)) << c.what;
    }
}

TEST(BufferedFileStreamTest, ReadsInBlocksOfItsBufferAndKeepsItsPosition) {
    const Bytes data = Pattern(3 * kBuffer + 10);
    FakeFile file(data);
    EXPECT_EQ(file.Size(), static_cast<std::int64_t>(data.size()));
    Bytes read(data.size() + 100);
    std::size_t at = 0;
    for (const std::size_t piece : {1000u, 1u, 70000u, 3u, 200000u}) {
        const std::size_t n = file.Read(read.data() + at, piece);
        EXPECT_EQ(n, std::min(piece, data.size() - at)) << "a read of " << piece;
        at += n;
        EXPECT_EQ(file.Position(), static_cast<std::int64_t>(at));
    }
    read.resize(at);
    EXPECT_EQ(read, data);
    EXPECT_LE(file.rawReads, 6) << "a few reads of the whole buffer, not one for each piece";
    std::uint8_t byte = 0;
    EXPECT_EQ(file.Read(&byte, 1), 0u) << "the end of the file";
}

TEST(BufferedFileStreamTest, AWriteAfterAReadGoesWhereTheReadStopped) {
    FakeFile file(Pattern(1000));
    std::uint8_t head[10];
    ASSERT_EQ(file.Read(head, sizeof head), sizeof head);
    const std::uint8_t mark[3] = {0xEE, 0xEE, 0xEE};
    ASSERT_EQ(file.Write(mark, sizeof mark), sizeof mark);
    std::uint8_t next = 0;
    ASSERT_EQ(file.Read(&next, 1), 1u) << "the bytes written are handed over before a read";
    EXPECT_TRUE(file.Flush());
    Bytes expected = Pattern(1000);
    std::fill_n(expected.begin() + 10, 3, 0xEE);
    EXPECT_EQ(file.content(), expected);
    EXPECT_EQ(next, expected[13]);
    EXPECT_EQ(file.Size(), 1000);
}

// A disk that takes `room` bytes and then no more. However the bytes are written, the loss shows
// at a write or at the flush, and nothing the stream says afterwards claims success.
TEST(BufferedFileStreamTest, AFullDiskIsReportedAndStaysReported) {
    const Bytes data = Pattern(3 * kBuffer);
    for (const std::size_t room : {std::size_t{0}, std::size_t{1}, kBuffer - 1, kBuffer,
                                   kBuffer + 1, 2 * kBuffer + 999, data.size() - 1}) {
        FakeFile file({}, room);
        bool shortWrite = false;
        for (std::size_t at = 0; at < data.size() && !shortWrite; at += 1000) {
            const std::size_t n = std::min<std::size_t>(1000, data.size() - at);
            shortWrite = file.Write(data.data() + at, n) != n;
        }
        const bool flushed = file.Flush();
        EXPECT_TRUE(shortWrite || !flushed) << "room for " << room;
        EXPECT_FALSE(flushed) << "room for " << room;
        const std::uint8_t more = 1;
        EXPECT_EQ(file.Write(&more, 1), 0u) << "room for " << room;
        EXPECT_FALSE(file.Flush()) << "room for " << room;
    }
}

// The headless backend's files are such streams too, over real files, with the disk's free
// space taken by what reaches the file.
TEST(BufferedFileStreamTest, TheBackendsFilesHoldExactlyWhatWasWritten) {
    headless::ResetAll();
    const std::string path = "C:\\PELLINO\\stream.bin";
    const Bytes data = Pattern(2 * kBuffer + 321);
    {
        const std::unique_ptr<Stream> file = CreateFileExclusive(path);
        ASSERT_TRUE(file);
        for (std::size_t at = 0; at < data.size(); at += 1000) {
            const std::size_t n = std::min<std::size_t>(1000, data.size() - at);
            ASSERT_EQ(file->Write(data.data() + at, n), n);
        }
        EXPECT_EQ(file->Size(), static_cast<std::int64_t>(data.size()));
        // Closed without a flush: what is still buffered goes out as the stream goes.
    }
    std::ifstream in(headless::HostPath(path), std::ios::binary);
    const Bytes onDisk{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(onDisk, data);

    const std::unique_ptr<Stream> reading = OpenFileExclusiveRead(path);
    ASSERT_TRUE(reading);
    EXPECT_EQ(reading->Size(), static_cast<std::int64_t>(data.size()));
    Bytes back(data.size());
    EXPECT_EQ(reading->Read(back.data(), back.size()), data.size());
    EXPECT_EQ(back, data);

    headless::SetDiskSpace(1000);
    const std::unique_ptr<Stream> full = CreateFileExclusive("C:\\PELLINO\\full.bin");
    ASSERT_TRUE(full);
    EXPECT_EQ(full->Write(data.data(), 2000), 2000u) << "held in the buffer";
    EXPECT_FALSE(full->Flush()) << "the disk took only 1000 of the bytes";
    headless::ResetAll();
}

// Reading a text file by lines keeps its contract under the headless backend too: each way the
// file cannot be read gives the platform's code, and a file held open by the program itself is
// one of them.
TEST(HeadlessTextLines, ReportsWhatThePlatformWouldReport) {
    headless::ResetAll();
    const std::string folder = headless::ProgramFolderOnDisk();
    std::ofstream(folder + "lines.txt", std::ios::binary) << "first\r\nsecond\nlast";
    std::filesystem::create_directory(folder + "folder.txt");

    std::vector<std::string> lines{"left over"};
    EXPECT_EQ(ReadTextLines("C:\\PELLINO\\lines.txt", lines), 0);
    EXPECT_EQ(lines, (std::vector<std::string>{"first", "second", "last"}));

    struct Case {
        const char* path;
        int code;
        const char* why;
    };
    const Case cases[] = {
        {"C:\\PELLINO\\missing.txt", 2, "a file that is not there"},
        {"C:\\PELLINO\\folder.txt", 5, "a folder, to which the platform denies access"},
        {"C:\\PELLINO\\held.txt", 32, "a file the program holds open without sharing"},
    };
    std::ofstream(folder + "held.txt") << "held";
    const std::unique_ptr<Stream> holding = OpenFileExclusiveRead("C:\\PELLINO\\held.txt");
    ASSERT_TRUE(holding);
    for (const Case& c : cases) {
        lines = {"left over"};
        EXPECT_EQ(ReadTextLines(c.path, lines), c.code) << c.why;
        EXPECT_TRUE(lines.empty()) << c.why;
    }
}

// An open that fails says why, as the platform does: the program waits for a file another program
// holds, but not for one that is not there.
TEST(BufferedFileStreamTest, AnOpenThatFailsGivesThePlatformsReason) {
    headless::ResetAll();
    const std::string path = "C:\\PELLINO\\held.bin";
    int error = -1;
    EXPECT_FALSE(OpenFileExclusiveRead(path, error));
    EXPECT_EQ(error, fileerror::kNotFound) << "not there";
    EXPECT_TRUE(CreateFileExclusive(path));
    EXPECT_TRUE(OpenFileExclusiveRead(path, error));
    EXPECT_EQ(error, 0) << "opened";
    headless::LockFile(path, true);
    EXPECT_FALSE(OpenFileExclusiveRead(path, error));
    EXPECT_EQ(error, fileerror::kSharingViolation) << "held by another program";
    {
        headless::LockFile(path, false);
        const std::unique_ptr<Stream> own = OpenFileExclusiveRead(path);
        EXPECT_FALSE(OpenFileExclusiveRead(path, error));
        EXPECT_EQ(error, fileerror::kSharingViolation) << "held by the program itself";
    }
    headless::ResetAll();
}

}  // namespace
}  // namespace pellino

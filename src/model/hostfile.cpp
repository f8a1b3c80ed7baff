#include "model/hostfile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace pellino {

std::unique_ptr<HostFileStream> HostFileStream::openForReading(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return nullptr;
    // The size is taken once: the file is read from start to end and nobody writes it meanwhile.
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
    if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0) {
        std::fclose(file);
        return nullptr;
    }
    return std::make_unique<HostFileStream>(Key(), file, size);
}

std::unique_ptr<HostFileStream> HostFileStream::createForWriting(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return nullptr;
    return std::make_unique<HostFileStream>(Key(), file, 0);
}

HostFileStream::HostFileStream(Key, std::FILE* file, std::int64_t size)
    : file_(file), stdioBuffer_(64 * 1024), size_(size) {
    std::setvbuf(file_, stdioBuffer_.data(), _IOFBF, stdioBuffer_.size());
}

HostFileStream::~HostFileStream() {
    close();
}

std::size_t HostFileStream::Read(void* buffer, std::size_t count) {
    if (file_ == nullptr) return 0;
    const std::size_t n = std::fread(buffer, 1, count, file_);
    position_ += static_cast<std::int64_t>(n);
    return n;
}

std::size_t HostFileStream::Write(const void* buffer, std::size_t count) {
    if (file_ == nullptr) return 0;
    const std::size_t n = std::fwrite(buffer, 1, count, file_);
    position_ += static_cast<std::int64_t>(n);
    size_ = std::max(size_, position_);
    return n;
}

bool HostFileStream::Flush() {
    return file_ != nullptr && std::fflush(file_) == 0;
}

bool HostFileStream::close() {
    if (file_ == nullptr) return true;
    const bool ok = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok;
}

SaveFileOps HostFileOps() {
    namespace fs = std::filesystem;
    SaveFileOps files;
    files.create = [](const std::string& path) -> std::unique_ptr<Stream> {
        return HostFileStream::createForWriting(path);
    };
    // Both systems' own renames put a file in another's place in one step.
    files.replace = [](const std::string& source, const std::string& target) {
        std::error_code ec;
        fs::rename(source, target, ec);
        return ec ? ReplaceResult::Failed : ReplaceResult::Replaced;
    };
    files.rename = [](const std::string& source, const std::string& target) {
        std::error_code ec;
        if (fs::exists(target, ec)) return false;
        fs::rename(source, target, ec);
        return !ec;
    };
    files.exists = [](const std::string& path) {
        std::error_code ec;
        return fs::is_regular_file(path, ec);
    };
    files.remove = [](const std::string& path) {
        std::error_code ec;
        fs::remove(path, ec);
        return !ec;
    };
    return files;
}

}  // namespace pellino

// pellino-dat: looks into a Pellino.dat and writes one back, with the program's own model code.
//
//   pellino-dat dump FILE         the file's values as text, and how far it could be read
//   pellino-dat make FILE < TEXT  the file written from that text, as the program writes it
//                                 (a new file beside it that takes its place once whole)
//   pellino-dat check FILE        exit status 0 when the file reads completely, 1 otherwise

#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>

#include "model/datadump.h"
#include "model/hostfile.h"
#include "model/stream.h"
#include "runtime/errors.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

using namespace pellino;

constexpr int kSuccess = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

bool readFile(const std::string& path, DataFileReading& reading) {
    const auto file = HostFileStream::openForReading(path);
    if (!file) {
        std::cerr << "Cannot open file " << path << "\n";
        return false;
    }
    reading = readDataFile(*file);
    return true;
}

int dump(const std::string& path) {
    DataFileReading reading;
    if (!readFile(path, reading)) return kFailure;
    std::cout << formatDump(reading);
    return kSuccess;
}

int check(const std::string& path) {
    DataFileReading reading;
    if (!readFile(path, reading)) return kFailure;
    std::cout << formatReadOutcome(reading) << "\n";
    return reading.complete() ? kSuccess : kFailure;
}

int make(const std::string& path) {
    const std::string text{std::istreambuf_iterator<char>(std::cin),
                           std::istreambuf_iterator<char>()};
    try {
        // The whole text is read before the file is touched, so a mistake in it leaves the old
        // file as it was.
        const DataFileContents contents = parseDump(text);
        // As the program saves: a full disk or a refused replace leaves the old file whole.
        saveDataFileSafely(HostFileOps(), path, path + ".tmp", path + ".old",
                           [&contents](TWriter& writer) { writeDataFile(writer, contents); });
    } catch (const Exception& e) {
        std::cerr << e.Message() << "\n";
        return kFailure;
    }
    return kSuccess;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // Texts may hold any byte; keep the console from translating line ends on the way in.
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    if (argc == 3) {
        const std::string command = argv[1];
        if (command == "dump") return dump(argv[2]);
        if (command == "make") return make(argv[2]);
        if (command == "check") return check(argv[2]);
    }
    std::cerr << "usage: pellino-dat dump FILE | make FILE < TEXT | check FILE\n";
    return kUsage;
}

// The inspector's text form, read back: a text that reads gives a file that the program reads
// whole, with the values of the text as the program reads stored values, and the dump of that
// file reads back to the same values, every double to the bit.

#include <bit>

#include "fuzz_target.h"
#include "model/datadump.h"
#include "model/datafile.h"
#include "model/stream.h"
#include "platform/stream.h"
#include "records.h"

using namespace pellino;

namespace {

// The values of a text as the program holds them once written to a file and read back.
std::vector<TReminder> asRead(std::vector<TReminder> records) {
    for (TReminder& r : records) {
        r.DueDateTime = DueDateTimeAsRead(r.DueDateTime);
        r.Status = StatusAsRead(r.Status);
    }
    return records;
}

void checkSame(const DataFileContents& expected, const DataFileContents& actual,
               const std::string& what) {
    FUZZ_CHECK(expected.headerInteger == actual.headerInteger, what + ": header integer");
    FUZZ_CHECK(std::bit_cast<std::uint64_t>(expected.headerFloat) ==
                   std::bit_cast<std::uint64_t>(actual.headerFloat),
               what + ": header float");
    const std::string oneTime = fuzz::ListDifference(expected.oneTime, actual.oneTime);
    FUZZ_CHECK(oneTime.empty(), what + ", one-time list: " + oneTime);
    const std::string repeating = fuzz::ListDifference(expected.repeating, actual.repeating);
    FUZZ_CHECK(repeating.empty(), what + ", repeating list: " + repeating);
}

}  // namespace

FUZZ_TARGET(dump_text) {
    DataFileContents text;
    try {
        text = parseDump({reinterpret_cast<const char*>(data), size});
    } catch (const DumpSyntaxError&) {
        return;
    }
    MemoryStream file;
    {
        TWriter writer(file);
        writeDataFile(writer, text);
        writer.FlushBuffer();
    }
    file.Rewind();
    const DataFileReading reading = readDataFile(file);
    FUZZ_CHECK(reading.complete(), "the file made from the text does not read whole");
    DataFileContents expected = text;
    expected.oneTime = asRead(text.oneTime);
    expected.repeating = asRead(text.repeating);
    checkSame(expected, reading.contents, "file made from the text");

    checkSame(reading.contents, parseDump(formatDump(reading)), "dump of that file");
}

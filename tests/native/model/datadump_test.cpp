#include "model/datadump.h"

#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "model/hostfile.h"
#include "model/reminder_fields.h"
#include "model/stream.h"
#include "platform/headless/testing.h"

namespace pellino {
namespace {

using testing::fieldsOf;
using Bytes = std::vector<std::uint8_t>;

const Bytes kEmptyFile = {0x01, 0x03, 0x9A, 0x02, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00,
                          0x00, 0x00, 0x80, 0x00, 0x40, 0x00, 0x01, 0x00, 0x01, 0x00};

Bytes fileOf(const DataFileContents& contents) {
    MemoryStream stream;
    TWriter writer(stream);
    writeDataFile(writer, contents);
    writer.FlushBuffer();
    return stream.Bytes();
}

DataFileReading readingOf(const Bytes& bytes) {
    MemoryStream stream(bytes);
    return readDataFile(stream);
}

// Two lists of records with the values a supporter meets: long and odd texts, every flag, and
// floats that need all their digits.
DataFileContents sampleContents() {
    DataFileContents contents;
    contents.oneTime.push_back(*TReminder::CreateOneTime(35000.5, "abc", "", 0));
    contents.oneTime.push_back(*TReminder::CreateOneTime(46027.1, "Call \"Bob\"\r\\ back\ttoday\n",
                                                         "C:\\WINDOWS\\MEDIA\\ding.wav", 1));
    contents.oneTime.back().Status = kStatusDone;
    std::string everyByte;
    for (int b = 0; b < 256; ++b) everyByte += static_cast<char>(b);
    contents.oneTime.push_back(*TReminder::CreateOneTime(0.1, everyByte + everyByte, "", 3));
    contents.oneTime.back().ReservedFlag = true;
    contents.repeating.push_back(*TReminder::CreateRepeating(0.375, true, 0.7083333333333334,
                                                             "12345", 30, "Stretch", "", 2));
    contents.repeating.back().DueDateTime = 46027.40625;
    contents.repeating.push_back(*TReminder::CreateRepeating(
        std::numeric_limits<double>::denorm_min(), false, -0.0, "06", 0, "Weekend", "", 0));
    contents.repeating.back().DueDateTime = std::numeric_limits<double>::quiet_NaN();
    contents.repeating.back().StopTime = -std::numeric_limits<double>::infinity();
    contents.repeating.back().Status = kStatusNotToday;
    return contents;
}

TEST(DataDumpTest, TwoEmptyListsMakeTheTwentyByteFile) {
    EXPECT_EQ(fileOf(DataFileContents{}), kEmptyFile);
    EXPECT_EQ(fileOf(parseDump("")), kEmptyFile) << "an empty text makes an empty file";

    const DataFileReading reading = readingOf(kEmptyFile);
    EXPECT_TRUE(reading.complete());
    EXPECT_EQ(formatDump(reading),
              "header integer=666 float=2\n"
              "list one-time\n"
              "end\n"
              "list repeating\n"
              "end\n"
              "# read to the end (20 bytes)\n");
}

TEST(DataDumpTest, ARecordLineHoldsTheTwelveValuesInFileOrder) {
    DataFileContents contents;
    contents.oneTime.push_back(*TReminder::CreateOneTime(35000.5, "a\"b\\c\r\x01\xE9", "", 0));
    contents.oneTime.back().DueDateTime = 0.1;
    const std::string dump = formatDump(readingOf(fileOf(contents)));
    EXPECT_NE(dump.find("\nrecord Kind=0 NotifyMode=0 DueDateTime=0.10000000000000001 FirstTime=0 "
                        "StopTime=0 HasUntil=false Description=\"a\\\"b\\\\c\\r\\001\\351\" "
                        "SoundFile=\"\" DaySet=\"\" IntervalMinutes=0 Status=0 "
                        "ReservedFlag=false\n"),
              std::string::npos)
        << dump;
}

TEST(DataDumpTest, DumpAndMakeGiveBackTheFileByteForByte) {
    const Bytes original = fileOf(sampleContents());
    const DataFileReading reading = readingOf(original);
    ASSERT_TRUE(reading.complete()) << formatReadOutcome(reading);
    const std::string dump = formatDump(reading);
    EXPECT_EQ(fileOf(parseDump(dump)), original) << dump;
}

TEST(DataDumpTest, ReadsAsTheProgramLoads) {
    DataFileContents contents = sampleContents();
    contents.headerInteger = 1;
    contents.oneTime[0].DueDateTime = 729000;  // counted from year 1
    contents.oneTime[0].Kind = 7;
    const DataFileReading reading = readingOf(fileOf(contents));
    EXPECT_TRUE(reading.complete());
    EXPECT_EQ(reading.contents.headerInteger, 1) << "any header integer is accepted";
    EXPECT_EQ(reading.contents.oneTime[0].DueDateTime, 35406);
    EXPECT_EQ(reading.contents.oneTime[0].Kind, 7);
    EXPECT_EQ(reading.contents.oneTime.size(), 3u);
    EXPECT_EQ(reading.contents.repeating.size(), 2u);
}

TEST(DataDumpTest, AnIntegerInPlaceOfTheHeaderFloatIsAccepted) {
    Bytes bytes = {0x01, 0x02, 0x05, 0x02, 0x02, 0x00, 0x01, 0x00, 0x01, 0x00};
    const DataFileReading reading = readingOf(bytes);
    EXPECT_TRUE(reading.complete()) << formatReadOutcome(reading);
    EXPECT_EQ(reading.contents.headerFloat, 2.0);
}

TEST(DataDumpTest, ADamagedRecordIsKeptAndReadingGoesOn) {
    DataFileContents contents;
    contents.oneTime.push_back(*TReminder::CreateOneTime(46027.5, "first", "", 0));
    Bytes bytes = fileOf(contents);
    // The first record's Kind becomes a string tag: that record stops at once, and the loader
    // reads its remaining values as records of their own until the list structure breaks.
    ASSERT_EQ(bytes[17], 0x02);
    bytes[17] = 0x06;
    const DataFileReading reading = readingOf(bytes);
    EXPECT_FALSE(reading.complete());
    ASSERT_FALSE(reading.damaged.empty());
    EXPECT_EQ(reading.damaged[0].stop.offset, 17);
    EXPECT_EQ(reading.damaged[0].stop.message, "Invalid property value");
    const std::string dump = formatDump(reading);
    EXPECT_NE(dump.find("# this record stopped at byte 17: Invalid property value\n"),
              std::string::npos)
        << dump;
    EXPECT_NO_THROW(parseDump(dump)) << "a dump always reads back";
}

TEST(DataDumpTest, TrailingBytesAreReported) {
    Bytes bytes = kEmptyFile;
    bytes.push_back(0x42);
    const DataFileReading reading = readingOf(bytes);
    EXPECT_FALSE(reading.complete());
    EXPECT_EQ(formatReadOutcome(reading),
              "# the lists end at byte 20, 1 bytes before the end of the file");
}

// The file cut after every byte: reading keeps a prefix of the records, never crashes, and the
// dump of what was read makes a well-formed file again.
TEST(DataDumpTest, AFileCutAnywhereLoadsAPrefix) {
    const DataFileContents contents = sampleContents();
    const Bytes whole = fileOf(contents);
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        const Bytes bytes(whole.begin(), whole.begin() + static_cast<long>(cut));
        const DataFileReading reading = readingOf(bytes);
        ASSERT_TRUE(reading.stop.has_value()) << cut;
        EXPECT_EQ(reading.stop->message, "Stream read error") << cut;
        EXPECT_LE(reading.stop->offset, static_cast<std::int64_t>(cut)) << cut;
        ASSERT_LE(reading.damaged.size(), 1u) << cut;

        // Every record but a damaged last one is the original's.
        for (bool repeating : {false, true}) {
            const auto& read = repeating ? reading.contents.repeating : reading.contents.oneTime;
            const auto& written = repeating ? contents.repeating : contents.oneTime;
            ASSERT_LE(read.size(), written.size()) << cut;
            for (std::size_t i = 0; i < read.size(); ++i) {
                const bool damaged = !reading.damaged.empty() &&
                                     reading.damaged[0].repeating == repeating &&
                                     reading.damaged[0].index == i;
                if (!damaged) {
                    EXPECT_EQ(fieldsOf(read[i]), fieldsOf(written[i])) << cut;
                }
            }
        }
        const Bytes remade = fileOf(parseDump(formatDump(reading)));
        EXPECT_TRUE(readingOf(remade).complete()) << cut;
    }
}

TEST(DataDumpTest, MakeClosesWhatTheTextLeavesOpen) {
    const DataFileContents contents = parseDump(
        "header integer=666 float=2\nlist one-time\n"
        "record Description=\"x\" Kind=0\n");
    ASSERT_EQ(contents.oneTime.size(), 1u);
    EXPECT_EQ(contents.oneTime[0].Description, "x");
    EXPECT_TRUE(contents.repeating.empty());
    EXPECT_TRUE(readingOf(fileOf(contents)).complete());
}

TEST(DataDumpTest, MakeRefusesTextsItCannotReadBack) {
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"record Kind=0", "line 1: record outside a list"},
        {"list one-time\nrecord Kind=256", "line 2: Kind must be a whole number from 0 to 255"},
        {"list one-time\nrecord Kind=1 Kind=1", "line 2: Kind given twice"},
        {"list one-time\nrecord Colour=1", "line 2: unknown value Colour"},
        {"list one-time\nrecord HasUntil=yes", "line 2: HasUntil must be true or false"},
        {"list one-time\nrecord DueDateTime=1e999", "line 2: DueDateTime must be a number"},
        {"list one-time\nrecord IntervalMinutes=2147483648",
         "line 2: IntervalMinutes must be a whole number from -2147483648 to 2147483647"},
        {"list one-time\nrecord Description=\"open", "line 2: text without its closing quote"},
        {"list one-time\nrecord Description=\"\\q\"", "line 2: unknown escape \\q"},
        {"list one-time\nrecord Description=\"\\777\"", "line 2: unknown escape \\7"},
        {"list one-time\nrecord Kind", "line 2: expected name=value"},
        {"list repeating\nend\nlist one-time",
         "line 3: list one-time out of place: the one-time list comes first, then the repeating "
         "one"},
        {"\n\n# note\nlist one-time\nend\nlist repeating\nend\nend", "line 8: end outside a list"},
        {"header integer=666 float=2 version=3", "line 1: unknown header value version"},
        {"list one-time\nheader", "line 2: the header must come first"},
        {"list one-time extra", "line 1: unexpected text after list"},
        {"frobnicate", "line 1: unknown line frobnicate"},
        {"  =header", "line 1: a line must start with a word, not '='"},
    };
    for (const auto& [text, message] : cases) {
        try {
            parseDump(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const DumpSyntaxError& e) {
            EXPECT_EQ(e.Message(), message) << text;
        }
    }
}

TEST(DataDumpTest, ReadsAndWritesHostFiles) {
    headless::ResetAll();
    const std::string path = headless::ProgramFolderOnDisk() + "/host.dat";
    const Bytes bytes = fileOf(sampleContents());
    {
        const auto file = HostFileStream::createForWriting(path);
        ASSERT_TRUE(file);
        TWriter writer(*file);
        writeDataFile(writer, sampleContents());
        writer.FlushBuffer();
        EXPECT_TRUE(file->close());
    }
    const auto file = HostFileStream::openForReading(path);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Size(), static_cast<std::int64_t>(bytes.size()));
    EXPECT_TRUE(readDataFile(*file).complete());
    EXPECT_FALSE(HostFileStream::openForReading(path + ".missing"));
}

}  // namespace
}  // namespace pellino

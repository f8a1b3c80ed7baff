#include "model/datafile.h"

#include "model/stream.h"
#include "platform/files.h"
#include "runtime/errors.h"
#include "runtime/strings.h"

namespace pellino {

namespace {

constexpr const char* kDataFileName = "Pellino.dat";
constexpr const char* kBackupFileName = "Pellino.bak";
constexpr const char* kTemporaryFileName = "Pellino.tmp";
constexpr const char* kStreamWriteError = "Stream write error";

[[noreturn]] void cannotCreate(const std::string& path) {
    throw EFCreateError("Cannot create file " + path);
}

void readList(TReader& reader, DataFileSink& sink, DataFileReading& reading, bool repeating) {
    reader.ReadListBegin();
    reading.stage = repeating ? DataFileStage::RepeatingBegun : DataFileStage::OneTimeBegun;
    std::size_t index = 0;
    while (!reader.EndOfList()) {
        TReminder& reminder = sink.BeginRecord(repeating);
        std::string failure;
        const bool whole = reminder.LoadFromReader(reader, &failure);
        sink.EndRecord(repeating, reminder);
        if (!whole) reading.damaged.push_back({repeating, index, {reader.ValueStart(), failure}});
        ++index;
    }
    reader.ReadListEnd();
    reading.stage = repeating ? DataFileStage::RepeatingDone : DataFileStage::OneTimeDone;
}

// Keeps the records in the reading itself, for the inspector.
class ContentsSink final : public DataFileSink {
public:
    explicit ContentsSink(DataFileContents& contents) : contents_(contents) {}
    TReminder& BeginRecord(bool repeating) override {
        return (repeating ? contents_.repeating : contents_.oneTime).emplace_back();
    }

private:
    DataFileContents& contents_;
};

}  // namespace

std::string ProgramFolderOf(const std::string& exePath) {
    std::string folder = ExtractFilePath(exePath);
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

std::string ProgramFolder() {
    return ProgramFolderOf(ProgramExePath());
}

std::string DataFilePath() {
    return ProgramFolder() + kDataFileName;
}

std::string BackupFilePath() {
    return ProgramFolder() + kBackupFileName;
}

std::string TemporaryDataFilePath() {
    return ProgramFolder() + kTemporaryFileName;
}

DataFileReading readDataFile(Stream& stream, DataFileSink& sink) {
    DataFileReading reading;
    reading.size = stream.Size();
    TReader reader(stream);
    try {
        reader.ReadListBegin();
        reading.stage = DataFileStage::HeaderBegun;
        // Any integer and any float (or integer in its place) is accepted: the header is not a
        // version check.
        reading.contents.headerInteger = reader.ReadInteger();
        reading.stage = DataFileStage::HeaderInteger;
        reading.contents.headerFloat = reader.ReadFloat();
        reading.stage = DataFileStage::HeaderFloat;
        reader.ReadListEnd();
        reading.stage = DataFileStage::HeaderDone;
        readList(reader, sink, reading, false);
        readList(reader, sink, reading, true);
        reading.endOffset = reader.Position();
    } catch (const EReadError& e) {
        // A damaged or foreign file ends the reading here; what was read so far stays.
        reading.stop = ReadStop{reader.ValueStart(), e.Message()};
        reading.endOffset = reader.ValueStart();
    }
    return reading;
}

DataFileReading readDataFile(Stream& stream) {
    DataFileContents contents;
    ContentsSink sink(contents);
    DataFileReading reading = readDataFile(stream, sink);
    reading.contents.oneTime = std::move(contents.oneTime);
    reading.contents.repeating = std::move(contents.repeating);
    return reading;
}

void writeDataFile(TWriter& writer, std::int32_t headerInteger, double headerFloat,
                   const std::function<void(TWriter&)>& writeOneTime,
                   const std::function<void(TWriter&)>& writeRepeating) {
    writer.WriteListBegin();
    writer.WriteInteger(headerInteger);
    writer.WriteFloat(headerFloat);
    writer.WriteListEnd();
    writer.WriteListBegin();
    writeOneTime(writer);
    writer.WriteListEnd();
    writer.WriteListBegin();
    writeRepeating(writer);
    writer.WriteListEnd();
}

void writeDataFile(TWriter& writer, const DataFileContents& contents) {
    const auto records = [](const std::vector<TReminder>& list) {
        return [&list](TWriter& w) {
            for (const TReminder& reminder : list) reminder.SaveToWriter(w);
        };
    };
    writeDataFile(writer, contents.headerInteger, contents.headerFloat, records(contents.oneTime),
                  records(contents.repeating));
}

void saveDataFileSafely(const std::string& path, const std::string& temporaryPath,
                        const std::optional<std::string>& backupPath,
                        const std::function<void(TWriter&)>& write) {
    // Without its backup the file must not be written over. Most often the copy fails because
    // another program holds the data file, so the message names the data file.
    if (backupPath && FileExists(path) && !CopyFileReplacing(path, *backupPath)) cannotCreate(path);
    std::unique_ptr<Stream> file = CreateFileExclusive(temporaryPath);
    if (!file) cannotCreate(path);
    try {
        {
            TWriter writer(*file);
            write(writer);
            // The writer's destructor cannot report a failure, so the last buffer is handed over
            // here, where a full disk still stops the save.
            writer.FlushBuffer();
            // A handover that failed in the middle and was followed by ones that succeeded (a
            // disk freed during the save) left values out; such a file must not replace the
            // data file.
            if (writer.WriteFailed()) throw EWriteError(kStreamWriteError);
        }
        if (!file->Flush()) throw EWriteError(kStreamWriteError);
        // The file must be closed before it can take the data file's place.
        file.reset();
        // A data file held open by another program cannot be replaced; to the user that is the
        // same failure as not being able to create it.
        if (!ReplaceFileAtomically(temporaryPath, path)) cannotCreate(path);
    } catch (...) {
        file.reset();
        // Nothing of the failed write may stay behind; the data file itself was never touched.
        DeleteFileIfExists(temporaryPath);
        throw;
    }
}

}  // namespace pellino

#include "model/datafile.h"

#include "model/stream.h"
#include "platform/files.h"
#include "runtime/errors.h"
#include "runtime/strings.h"

namespace pellino {

namespace {

constexpr const char* kDataFileName = "Pellino.dat";
constexpr const char* kBackupFileStem = "Pellino";
constexpr const char* kBackupFileExtension = ".bak";
constexpr const char* kTemporaryFileName = "Pellino.tmp";
constexpr const char* kAsideFileName = "Pellino.old";
constexpr const char* kUnsavedFileName = "Pellino.unsaved.dat";
constexpr const char* kUnsavedTemporaryFileName = "Pellino.unsaved.tmp";
constexpr const char* kUnsavedAsideFileName = "Pellino.unsaved.old";
// Far more backups than a user will ever let pile up; beyond them the save is refused.
constexpr int kMostBackups = 999;
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
        sink.EndRecord(repeating, reminder, whole || failure == kMisreadBooleanFailure);
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

std::string BackupFilePath(int number) {
    const std::string suffix = number > 1 ? std::to_string(number) : std::string();
    return ProgramFolder() + kBackupFileStem + suffix + kBackupFileExtension;
}

std::string TemporaryDataFilePath() {
    return ProgramFolder() + kTemporaryFileName;
}

std::string AsideDataFilePath() {
    return ProgramFolder() + kAsideFileName;
}

std::string UnsavedChangesFilePath() {
    return ProgramFolder() + kUnsavedFileName;
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

SaveFileOps ProgramFileOps() {
    SaveFileOps files;
    files.create = CreateFileExclusive;
    files.replace = ReplaceFileAtomically;
    files.rename = RenameFile;
    files.exists = FileExists;
    files.remove = DeleteFileIfExists;
    return files;
}

namespace {

// Puts the new file in the old one's place without a replacing move. Returns false when the data
// file is still the old one, whole; raises when the old one is safe only at `asidePath`.
bool replaceStepByStep(const SaveFileOps& files, const std::string& temporaryPath,
                       const std::string& path, const std::string& asidePath) {
    // A leftover of a save that was cut off halfway; the data file is in its place, so the
    // leftover is an older copy of no use.
    if (files.exists(path) && !files.remove(asidePath) && files.exists(asidePath)) return false;
    if (files.exists(path) && !files.rename(path, asidePath)) return false;
    if (files.rename(temporaryPath, path)) {
        // The new file is in place; the old one may go. If it cannot, it waits for the next save.
        files.remove(asidePath);
        return true;
    }
    // The old file goes back; should even that fail, it stays whole beside the new one.
    if (files.rename(asidePath, path)) return false;
    cannotCreate(path);
}

}  // namespace

void saveDataFileSafely(const SaveFileOps& files, const std::string& path,
                        const std::string& temporaryPath, const std::string& asidePath,
                        const std::function<void(TWriter&)>& write) {
    std::unique_ptr<Stream> file = files.create(temporaryPath);
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
        switch (files.replace(temporaryPath, path)) {
            case ReplaceResult::Replaced:
                break;
            case ReplaceResult::Failed:
                cannotCreate(path);
            case ReplaceResult::Unsupported:
                if (!replaceStepByStep(files, temporaryPath, path, asidePath)) cannotCreate(path);
                break;
        }
    } catch (...) {
        file.reset();
        // Nothing of the failed write may stay behind, as long as the data file is in its place;
        // without it, the new file may be the only whole copy there is.
        if (files.exists(path)) files.remove(temporaryPath);
        throw;
    }
}

void saveDataFileSafely(const std::function<void(TWriter&)>& write) {
    saveDataFileSafely(ProgramFileOps(), DataFilePath(), TemporaryDataFilePath(),
                       AsideDataFilePath(), write);
}

void saveUnsavedChangesSafely(const std::function<void(TWriter&)>& write) {
    const std::string folder = ProgramFolder();
    saveDataFileSafely(ProgramFileOps(), folder + kUnsavedFileName,
                       folder + kUnsavedTemporaryFileName, folder + kUnsavedAsideFileName, write);
}

namespace {

// The bytes of a file of the program's, or nothing when it cannot be read.
std::optional<std::vector<char>> fileBytes(const std::string& path) {
    const std::unique_ptr<Stream> file = OpenFileExclusiveRead(path);
    if (!file) return std::nullopt;
    std::vector<char> bytes(static_cast<std::size_t>(file->Size()));
    if (!bytes.empty() && file->Read(bytes.data(), bytes.size()) != bytes.size()) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

std::string KeepDataFileBackup() {
    const std::string path = DataFilePath();
    // Most often the data file cannot be read because another program holds it, so the message
    // names the data file.
    const std::optional<std::vector<char>> data = fileBytes(path);
    if (!data) cannotCreate(path);
    for (int number = 1; number <= kMostBackups; ++number) {
        const std::string backup = BackupFilePath(number);
        // Made only where no file is, in the same step as the test, so that a backup another copy
        // of the program keeps under that name at the same moment is never written over; and
        // made of the bytes read above, which are the ones compared, not of a second read of a
        // data file that another program may have changed since.
        if (std::unique_ptr<Stream> file = CreateNewFileExclusive(backup)) {
            const bool written =
                (data->empty() || file->Write(data->data(), data->size()) == data->size()) &&
                file->Flush();
            file.reset();
            if (!written) {
                DeleteFileIfExists(backup);
                cannotCreate(path);
            }
            return backup;
        }
        // No file there, and none could be made: the system refuses this folder, and a save
        // without its backup must not go on.
        if (!FileExists(backup)) cannotCreate(path);
        // A copy of these very bytes is kept already: a second one would only pile up.
        if (fileBytes(backup) == data) return backup;
    }
    cannotCreate(path);
}

}  // namespace pellino

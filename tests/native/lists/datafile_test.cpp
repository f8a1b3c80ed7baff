// The data file from the main window's side: its bytes, loading what other versions and damaged
// files hold, saving that never leaves a partial file, and the backup of a file not read whole.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "lists/lists_fixture.h"
#include "model/reminder_fields.h"
#include "platform/dialogs.h"
#include "runtime/errors.h"

namespace pellino::testing {
namespace {

namespace fs = std::filesystem;

const Bytes kEmptyFile = {0x01, 0x03, 0x9A, 0x02, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00,
                          0x00, 0x00, 0x80, 0x00, 0x40, 0x00, 0x01, 0x00, 0x01, 0x00};

std::string HostBackup() {
    return headless::HostPath(BackupFilePath());
}
std::string HostTemporary() {
    return headless::HostPath(TemporaryDataFilePath());
}

// A file with enough in it to need several of the writer's 1000-byte buffers.
DataFileContents SampleContents() {
    DataFileContents contents;
    for (int i = 0; i < 12; ++i) {
        TReminder r = OneTime("One-time reminder number " + std::to_string(i) +
                                  " with a message of an ordinary length",
                              StartDay() + i + At(10, i));
        r.SoundFile = "C:\\WINDOWS\\MEDIA\\chimes.wav";
        contents.oneTime.push_back(r);
    }
    for (int i = 0; i < 8; ++i) {
        contents.repeating.push_back(
            Repeating("Repeating reminder " + std::to_string(i), At(8 + i, 15), 20 * i, "12345"));
    }
    return contents;
}

using DataFile = MainFormTest;

TEST(ProgramFolder, IsTheExecutablesPathUpToItsLastSeparator) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\PELLINO\\PELLINO.EXE", "C:\\PELLINO\\"},
        {"C:\\PELLINO.EXE", "C:\\"},
        {"C:PELLINO.EXE", "C:\\"},  // a drive's current folder: the ':' ends it
        {"\\\\server\\tools\\Reminders\\PELLINO.EXE", "\\\\server\\tools\\Reminders\\"},
        {"PELLINO.EXE", "\\"},
    };
    for (const auto& [exe, folder] : cases) EXPECT_EQ(ProgramFolderOf(exe), folder) << exe;
    EXPECT_EQ(DataFilePath(), "C:\\PELLINO\\Pellino.dat");
}

TEST_F(DataFile, TwoEmptyListsMakeTheTwentyByteFile) {
    form->SaveToDisk();
    EXPECT_EQ(ReadHostFile(HostDataFile()), kEmptyFile);
    EXPECT_FALSE(fs::exists(HostTemporary()));
    EXPECT_FALSE(fs::exists(HostBackup()));
}

TEST_F(DataFile, ARecordIsStoredAsItsTwelveValuesInRowOrder) {
    TReminder abc = OneTime("abc", 35000.5);
    abc.Status = kStatusPending;
    Append(form->AlarmGrid, abc);
    form->SaveToDisk();
    Bytes expected(kEmptyFile.begin(), kEmptyFile.begin() + 17);
    const Bytes record = {0x02, 0x00, 0x02, 0x00, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80,
                          0xB8, 0x88, 0x0E, 0x40, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                          0x00, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                          0x00, 0x00, 0x00, 0x00, 0x08, 0x06, 0x03, 0x61, 0x62, 0x63, 0x06,
                          0x00, 0x06, 0x00, 0x02, 0x00, 0x02, 0x00, 0x08};
    expected.insert(expected.end(), record.begin(), record.end());
    expected.insert(expected.end(), {0x00, 0x01, 0x00});
    EXPECT_EQ(ReadHostFile(HostDataFile()), expected);
}

TEST_F(DataFile, SavedListsLoadBackInTheirOrder) {
    const DataFileContents contents = SampleContents();
    for (const TReminder& r : contents.oneTime) Append(form->AlarmGrid, r);
    for (const TReminder& r : contents.repeating) Append(form->RepeatingAlarmGrid, r);
    form->SaveToDisk();
    EXPECT_EQ(ReadHostFile(HostDataFile()), FileBytes(contents));

    Load();
    ASSERT_EQ(form->AlarmGrid.RowCount(), 13);
    ASSERT_EQ(form->RepeatingAlarmGrid.RowCount(), 9);
    for (int row = 1; row < 13; ++row) {
        TReminder expected = contents.oneTime[static_cast<std::size_t>(row - 1)];
        expected.RefreshStatus();
        EXPECT_EQ(fieldsOf(*TMainForm::ReminderAt(form->AlarmGrid, row)), fieldsOf(expected));
    }
    EXPECT_EQ(form->LoadDate(), StartDay());
}

TEST_F(DataFile, LoadingGivesEveryRecordTodaysStatus) {
    DataFileContents contents;
    // Stored statuses are those of the day they were written on.
    const auto oneTime = [&](const char* text, TDateTime due, std::uint8_t status) {
        TReminder r = OneTime(text, due);
        r.Status = status;
        contents.oneTime.push_back(r);
    };
    oneTime("done long ago", StartDay() - 30 + At(8, 0), kStatusDone);
    oneTime("pending yesterday", StartDay() - 1 + At(8, 0), kStatusPending);
    oneTime("pending in a week", StartDay() + 7 + At(8, 0), kStatusPending);
    oneTime("inactive", StartDay() - 3, kStatusInactive);
    oneTime("year one", 729000.0, kStatusPending);  // an old file counted days from year 1
    oneTime("the threshold", 60000.0, kStatusPending);
    TReminder stretch = Repeating("stretch", At(8, 0), 45);
    stretch.DueDateTime = 12345.5;  // the next occurrence on the day it was written
    stretch.Status = kStatusNotToday;
    contents.repeating.push_back(stretch);
    TReminder weekend = Repeating("weekend", At(10, 0), 0, "06");
    weekend.DueDateTime = StartDay() - 2 + At(10, 0);
    weekend.Status = kStatusPending;
    contents.repeating.push_back(weekend);
    WriteDataFile(contents);

    Load();
    struct Expect {
        TDateTime due;
        std::uint8_t status;
    };
    const Expect oneTimeExpected[] = {
        {StartDay() - 30 + At(8, 0), kStatusDone},
        {StartDay() - 1 + At(8, 0), kStatusExpired},
        {StartDay() + 7 + At(8, 0), kStatusNotToday},
        {StartDay() - 3, kStatusInactive},
        {35406.0, kStatusExpired},
        {60000.0, kStatusNotToday},
    };
    ASSERT_EQ(form->AlarmGrid.RowCount(), 7);
    for (int row = 1; row < 7; ++row) {
        const TReminder& r = *TMainForm::ReminderAt(form->AlarmGrid, row);
        SCOPED_TRACE(r.Description);
        EXPECT_EQ(r.DueDateTime, oneTimeExpected[row - 1].due);
        EXPECT_EQ(r.Status, oneTimeExpected[row - 1].status);
    }
    // 08:00 and every 45 minutes: at 09:00 the next one is 09:30.
    const TReminder& loadedStretch = *TMainForm::ReminderAt(form->RepeatingAlarmGrid, 1);
    EXPECT_NEAR(loadedStretch.DueDateTime, StartDay() + At(9, 30), 1e-6);
    EXPECT_EQ(loadedStretch.Status, kStatusPending);
    // No occurrence on a Monday: the stored due value is dropped.
    const TReminder& loadedWeekend = *TMainForm::ReminderAt(form->RepeatingAlarmGrid, 2);
    EXPECT_EQ(loadedWeekend.DueDateTime, 0.0);
    EXPECT_EQ(loadedWeekend.Status, kStatusNotToday);
}

TEST_F(DataFile, ADateAfterApril2064ComesBackAsTheSameDate) {
    const TDateTime due = EncodeDate(2064, 4, 9) + At(9, 30);
    Append(form->AlarmGrid, OneTime("late", due));
    Append(form->AlarmGrid, OneTime("last", kLastDueDate + At(23, 59)));
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE("written and loaded " + std::to_string(round) + " times");
        form->SaveToDisk();
        Load();
        ASSERT_EQ(form->AlarmGrid.RowCount(), 3);
        const TReminder& late = *TMainForm::ReminderAt(form->AlarmGrid, 1);
        EXPECT_EQ(late.DueDateTime, due);
        EXPECT_EQ(late.DueText(), "Apr 09, 2064 9:30am");
        EXPECT_EQ(late.Status, kStatusNotToday);
        EXPECT_EQ(TMainForm::ReminderAt(form->AlarmGrid, 2)->DueText(), "Dec 31, 3797 11:59pm");
    }
}

TEST_F(DataFile, AStoredRemovalMarkNeitherHidesNorDropsTheReminder) {
    // Every day, every hour from 11:00 until 10:00: no occurrence today, so the schedule keeps
    // the status it was read with.
    TReminder noneToday = *TReminder::CreateRepeating(At(11, 0), true, At(10, 0), "0123456", 60,
                                                      "none today", "", kNotifyMessageAndSound);
    for (const std::int32_t stored : {5, 200}) {
        SCOPED_TRACE("stored status " + std::to_string(stored));
        noneToday.Status = static_cast<std::uint8_t>(stored);
        TReminder oneTime = OneTime("one-time", StartDay() + 1 + At(8, 0));
        oneTime.Status = static_cast<std::uint8_t>(stored);
        WriteDataFile({666, 2.0, {oneTime}, {noneToday}});

        Load();
        ASSERT_EQ(form->RepeatingAlarmGrid.RowCount(), 2);
        const TReminder& repeating = *TMainForm::ReminderAt(form->RepeatingAlarmGrid, 1);
        EXPECT_EQ(repeating.Status, kStatusNotToday);
        EXPECT_EQ(repeating.StatusText(), "Not Today");
        EXPECT_EQ(TMainForm::ReminderAt(form->AlarmGrid, 1)->Status, kStatusNotToday);

        form->SaveToDisk();
        MemoryStream written(ReadHostFile(HostDataFile()));
        const DataFileReading reading = readDataFile(written);
        ASSERT_TRUE(reading.complete());
        ASSERT_EQ(reading.contents.repeating.size(), 1u) << "the next write keeps the reminder";
        EXPECT_EQ(reading.contents.repeating[0].Description, "none today");
        EXPECT_EQ(reading.contents.repeating[0].Status, kStatusNotToday);
        EXPECT_EQ(reading.contents.oneTime.size(), 1u);
    }
}

TEST_F(DataFile, ForeignAndDamagedFilesLoadAsFarAsTheyCanBeRead) {
    const DataFileContents contents = SampleContents();
    const Bytes whole = FileBytes(contents);
    // Where the second repeating record starts: cut in the middle of the record after it.
    MemoryStream probe(whole);
    const DataFileReading reading = readDataFile(probe);
    ASSERT_TRUE(reading.complete());
    Bytes otherHeader = whole;
    otherHeader[2] = 0x9B;                                // 667
    Bytes integerFloat = {0x01, 0x02, 0x07, 0x02, 0x03};  // header 7, 3: a float stored as integer
    integerFloat.insert(integerFloat.end(), whole.begin() + 15, whole.end());

    struct Case {
        const char* what;
        Bytes bytes;
        std::size_t oneTime;
        std::size_t repeating;
    };
    const Case cases[] = {
        {"another header integer", otherHeader, 12, 8},
        {"an integer in place of the header float", integerFloat, 12, 8},
        // The record being read when the data ran out is not shown: it lacks what it was cut off.
        {"cut short in the repeating list", Bytes(whole.begin(), whole.end() - 40), 12, 7},
        {"cut short in the header", Bytes(whole.begin(), whole.begin() + 9), 0, 0},
        {"not a data file at all", Bytes{'M', 'Z', 0x90, 0x00}, 0, 0},
        {"an empty file", Bytes{}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteHostFile(HostDataFile(), c.bytes);
        EXPECT_NO_THROW(Load()) << "a damaged file loads without a message";
        EXPECT_EQ(form->AlarmGrid.RowCount() - 1, static_cast<int>(c.oneTime));
        EXPECT_EQ(form->RepeatingAlarmGrid.RowCount() - 1, static_cast<int>(c.repeating));
        for (std::size_t i = 0; i < c.oneTime; ++i) {
            EXPECT_EQ(TMainForm::ReminderAt(form->AlarmGrid, static_cast<int>(i) + 1)->Description,
                      contents.oneTime[i].Description);
        }
        EXPECT_TRUE(headless::MessageBoxLog().empty());
    }
}

TEST_F(DataFile, AFileHeldByAnotherProgramIsNeverWrittenOverBeforeItIsRead) {
    const DataFileContents contents = SampleContents();
    WriteDataFile(contents);
    const Bytes before = ReadHostFile(HostDataFile());
    headless::LockFile(DataFilePath(), true);
    try {
        Load();
        ADD_FAILURE() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file C:\\PELLINO\\Pellino.dat");
    }
    EXPECT_EQ(form->AlarmGrid.RowCount(), 1);
    EXPECT_TRUE(form->DataFileUnread());

    // Changes made meanwhile stay in memory: no error, nothing written, no backup, even once the
    // other program has let go, as long as the file has not been read.
    Append(form->AlarmGrid, OneTime("new", StartDay() + At(18, 0)));
    Append(form->AlarmGrid, contents.oneTime[3]);  // typed in again, as it was
    EXPECT_NO_THROW(form->SaveToDisk());
    EXPECT_TRUE(form->ChangesUnsaved());
    headless::LockFile(DataFilePath(), false);
    EXPECT_NO_THROW(form->SaveToDisk());
    EXPECT_EQ(ReadHostFile(HostDataFile()), before);
    EXPECT_FALSE(fs::exists(HostBackup()));
    EXPECT_FALSE(fs::exists(HostTemporary()));

    // Read: its reminders join the lists in due order, the one typed in again only once.
    ASSERT_TRUE(form->ReadWaitingDataFile());
    EXPECT_FALSE(form->DataFileUnread());
    std::vector<std::string> expected;
    for (const TReminder& r : contents.oneTime) expected.push_back(r.Description);
    expected.insert(expected.begin() + 1, "new");  // 18:00 on the first day, after the first
    EXPECT_EQ(Descriptions(form->AlarmGrid), expected);
    EXPECT_EQ(form->RepeatingAlarmGrid.RowCount() - 1, 8);
    form->SaveToDisk();
    EXPECT_FALSE(form->ChangesUnsaved());
    MemoryStream written(ReadHostFile(HostDataFile()));
    const DataFileReading reading = readDataFile(written);
    EXPECT_EQ(reading.contents.oneTime.size(), 13u);
    EXPECT_EQ(reading.contents.repeating.size(), 8u);
    EXPECT_FALSE(fs::exists(HostBackup())) << "a file read whole needs no backup";
}

TEST_F(DataFile, AFileThatIsMissingOrDamagedIsNotWaitedFor) {
    // No file: a first start, nothing to wait for; the first save writes it.
    EXPECT_NO_THROW(Load());
    EXPECT_FALSE(form->DataFileUnread());
    Append(form->AlarmGrid, OneTime("new", StartDay() + At(18, 0)));
    form->SaveToDisk();
    EXPECT_FALSE(form->ChangesUnsaved());
    EXPECT_EQ(ReadHostFile(HostDataFile()).size(), kEmptyFile.size() + 52);

    // Damaged: read as far as it goes, kept aside, never waited for.
    const Bytes whole = FileBytes(SampleContents());
    WriteHostFile(HostDataFile(), Bytes(whole.begin(), whole.end() - 40));
    EXPECT_NO_THROW(Load());
    EXPECT_FALSE(form->DataFileUnread());
    EXPECT_TRUE(fs::exists(HostBackup()));
}

TEST_F(DataFile, ACloseWithNothingChangedWritesNothingAndEndsEvenIfTheFileCannotBeWritten) {
    WriteDataFile(SampleContents());
    const Bytes before = ReadHostFile(HostDataFile());
    Load();
    headless::LockFile(DataFilePath(), true);
    form->Close();
    EXPECT_TRUE(headless::MessageBoxLog().empty());
    EXPECT_FALSE(form->Visible()) << "the program ends";
    headless::LockFile(DataFilePath(), false);
    EXPECT_EQ(ReadHostFile(HostDataFile()), before);
}

TEST_F(DataFile, ACloseThatCannotWriteTheFileLeavesTheWindowOpen) {
    WriteDataFile(SampleContents());
    const Bytes before = ReadHostFile(HostDataFile());
    Load();
    headless::LockFile(DataFilePath(), true);
    // A change the file refused: it is in memory only.
    form->AlarmGrid.SetRow(1);
    EXPECT_ANY_THROW(form->CloneButtonClick());
    ASSERT_TRUE(form->ChangesUnsaved());
    ASSERT_TRUE(headless::MessageBoxLog().empty()) << "the command raised, and showed nothing";
    headless::QueueMessageBoxAnswer(idresult::kOk);
    form->Close();
    ASSERT_EQ(headless::MessageBoxLog().size(), 1u);
    // The standard error box ends the text with a full stop.
    EXPECT_EQ(headless::MessageBoxLog()[0].text, "Cannot create file C:\\PELLINO\\Pellino.dat.");
    EXPECT_TRUE(form->Visible()) << "the reminders stay on the screen";
    headless::LockFile(DataFilePath(), false);
    EXPECT_EQ(ReadHostFile(HostDataFile()), before);
    form->Close();
    EXPECT_FALSE(form->Visible());
    EXPECT_GT(ReadHostFile(HostDataFile()).size(), before.size()) << "the clone is written";
}

TEST_F(DataFile, WhenTheNewFileCannotBeCreatedTheMessageNamesTheDataFile) {
    form->SaveToDisk();
    headless::LockFile(TemporaryDataFilePath(), true);
    Append(form->AlarmGrid, OneTime("new", StartDay() + At(18, 0)));
    try {
        form->SaveToDisk();
        ADD_FAILURE() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file C:\\PELLINO\\Pellino.dat");
    }
    EXPECT_EQ(ReadHostFile(HostDataFile()), kEmptyFile);
}

TEST_F(DataFile, AFullDiskAtAnyByteLeavesTheOldFileWhole) {
    const DataFileContents contents = SampleContents();
    WriteDataFile(contents);
    const Bytes before = ReadHostFile(HostDataFile());
    Load();
    form->AlarmGrid.DeleteRow(1);
    Append(form->RepeatingAlarmGrid, Repeating("one more", At(7, 0)));
    DataFileContents changed;
    for (int row = 1; row < form->AlarmGrid.RowCount(); ++row) {
        changed.oneTime.push_back(*TMainForm::ReminderAt(form->AlarmGrid, row));
    }
    for (int row = 1; row < form->RepeatingAlarmGrid.RowCount(); ++row) {
        changed.repeating.push_back(*TMainForm::ReminderAt(form->RepeatingAlarmGrid, row));
    }
    const Bytes after = FileBytes(changed);
    ASSERT_GT(after.size(), 2000u) << "the writer's buffer is handed over more than once";

    for (std::size_t space = 0; space < after.size(); ++space) {
        headless::SetDiskSpace(static_cast<std::int64_t>(space));
        try {
            form->SaveToDisk();
            ADD_FAILURE() << "saved on a disk with room for " << space << " bytes";
        } catch (const EWriteError& e) {
            EXPECT_EQ(e.Message(), "Stream write error");
        }
        if (ReadHostFile(HostDataFile()) != before || fs::exists(HostTemporary())) {
            ADD_FAILURE() << "a disk with room for " << space << " bytes changed the files";
            break;
        }
    }
    EXPECT_EQ(form->AlarmGrid.RowCount(), 12) << "the lists in memory are unchanged";
    headless::SetDiskSpace(static_cast<std::int64_t>(after.size()));
    form->SaveToDisk();
    EXPECT_EQ(ReadHostFile(HostDataFile()), after);
    EXPECT_FALSE(fs::exists(HostBackup())) << "the file had been read whole";
}

TEST_F(DataFile, ADiskThatFillsAndFreesDuringTheSaveLeavesTheOldFileWhole) {
    // The records written while the disk was full lost values; the handovers after room came
    // back succeed, so the new file must still not count as whole. The disk stays full while
    // more than the file stream's own buffer goes out, so that the loss happens on the disk.
    WriteDataFile(SampleContents());
    const Bytes before = ReadHostFile(HostDataFile());
    const DataFileContents contents = SampleContents();
    headless::SetDiskSpace(500);
    EXPECT_THROW(saveDataFileSafely([&](TWriter& writer) {
                     DataFileContents one;
                     one.oneTime = {contents.oneTime[0]};
                     const std::size_t records = 2 * BufferedFileStream::kBufferSize /
                                                 (FileBytes(one).size() - kEmptyFile.size());
                     for (std::size_t i = 0; i < records; ++i) {
                         contents.oneTime[i % contents.oneTime.size()].SaveToWriter(writer);
                     }
                     headless::SetDiskSpace(-1);
                     for (const TReminder& r : contents.repeating) {
                         r.SaveToWriter(writer);
                     }
                 }),
                 EWriteError);
    EXPECT_EQ(ReadHostFile(HostDataFile()), before);
    EXPECT_FALSE(fs::exists(HostTemporary()));
}

TEST_F(DataFile, AFileNotReadWholeIsKeptOnceBeforeItIsWrittenOver) {
    const Bytes whole = FileBytes(SampleContents());
    Bytes trailing = whole;
    trailing.push_back(0x00);
    Bytes damagedRecord = whole;
    damagedRecord[whole.size() - 4] = 0x07;  // the last record's status: a tag no value has

    struct Case {
        const char* what;
        Bytes bytes;
        bool kept;
    };
    const Case cases[] = {
        {"read whole", whole, false},
        {"cut short", Bytes(whole.begin(), whole.end() - 1), true},
        {"bytes after the last list", trailing, true},
        {"a record with a damaged value", damagedRecord, true},
        {"no header", Bytes{0x00}, true},
    };
    const std::string second = headless::HostPath(BackupFilePath(2));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(second);
        // A backup of an earlier file, which must survive.
        const Bytes older = {'o', 'l', 'd'};
        WriteHostFile(HostBackup(), older);
        WriteHostFile(HostDataFile(), c.bytes);
        Load();
        // Kept at once, so that the user can be told where it is.
        EXPECT_EQ(ReadHostFile(HostBackup()), older) << "no backup is written over";
        if (c.kept) {
            EXPECT_EQ(ReadHostFile(second), c.bytes) << "kept in the next free backup";
        } else {
            EXPECT_FALSE(fs::exists(second));
        }
        EXPECT_EQ(form->ChangesUnsaved(), c.kept) << "what was read is to be written whole";
        form->SaveToDisk();
        EXPECT_EQ(ReadHostFile(HostBackup()), older);
        EXPECT_EQ(fs::exists(second), c.kept);
        // The second save writes over a file the program wrote itself: nothing more to keep.
        Append(form->AlarmGrid, OneTime("later", StartDay() + At(20, 0)));
        form->SaveToDisk();
        EXPECT_EQ(ReadHostFile(HostBackup()), older);
        EXPECT_EQ(fs::exists(second), c.kept);
        EXPECT_FALSE(fs::exists(headless::HostPath(BackupFilePath(3))));
    }
}

TEST_F(DataFile, TheSameUnreadFileIsKeptOnlyOnce) {
    const Bytes cut(kEmptyFile.begin(), kEmptyFile.end() - 1);
    for (int round = 0; round < 3; ++round) {
        WriteHostFile(HostDataFile(), cut);
        Load();
        form->SaveToDisk();
    }
    EXPECT_EQ(ReadHostFile(HostBackup()), cut);
    EXPECT_FALSE(fs::exists(headless::HostPath(BackupFilePath(2))))
        << "a second copy of the same bytes would only pile up";
}

TEST_F(DataFile, OnThe95FamilyAFailureAtAnyStepOfTheSaveLeavesTheDataFileWhole) {
    // That family cannot move a file onto another, so the new file takes the old one's place in
    // several steps. Each of them is made to fail in turn, as a disk or another program may.
    headless::SetWindows95Family(true);
    DataFileContents old;
    old.oneTime = {OneTime("old", StartDay() + At(10, 0))};
    const Bytes oldBytes = FileBytes(old);
    DataFileContents changed = old;
    changed.oneTime.push_back(OneTime("new", StartDay() + At(11, 0)));
    const Bytes newBytes = FileBytes(changed);
    bool saved = false;
    for (int step = 1; step <= 10 && !saved; ++step) {
        SCOPED_TRACE("step " + std::to_string(step) + " fails");
        for (const std::string& path : {HostTemporary(), headless::HostPath(AsideDataFilePath())})
            fs::remove(path);
        WriteHostFile(HostDataFile(), oldBytes);
        Load();
        Append(form->AlarmGrid, changed.oneTime.back());
        headless::FailFileOperation(step);
        try {
            form->SaveToDisk();
            saved = true;
        } catch (const EFCreateError& e) {
            EXPECT_EQ(e.Message(), "Cannot create file C:\\PELLINO\\Pellino.dat");
        }
        headless::FailFileOperation(0);
        const Bytes now = ReadHostFile(HostDataFile());
        EXPECT_TRUE(now == oldBytes || now == newBytes) << "the data file is one whole copy";
        if (!saved) {
            EXPECT_EQ(now, oldBytes) << "a failed save leaves the old file";
            EXPECT_FALSE(fs::exists(HostTemporary()));
        }
    }
    EXPECT_TRUE(saved) << "with no step failing the save goes through";
    EXPECT_EQ(ReadHostFile(HostDataFile()), newBytes);
    EXPECT_FALSE(fs::exists(HostTemporary()));
    EXPECT_FALSE(fs::exists(headless::HostPath(AsideDataFilePath())));
}

TEST_F(DataFile, TheBackupDecisionIsTheInspectorsCheck) {
    // For every length a file can be cut to, the program keeps the file exactly when the
    // inspector's check says it would not load completely.
    const Bytes whole = FileBytes(SampleContents());
    for (std::size_t length = 0; length <= whole.size(); length += 7) {
        const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        MemoryStream stream(cut);
        const bool complete = readDataFile(stream).complete();
        fs::remove(HostBackup());
        WriteHostFile(HostDataFile(), cut);
        Load();
        form->SaveToDisk();
        EXPECT_EQ(fs::exists(HostBackup()), !complete) << "cut to " << length << " bytes";
    }
}

TEST_F(DataFile, ABackupThatCannotBeWrittenStopsTheSave) {
    const Bytes cut = Bytes(kEmptyFile.begin(), kEmptyFile.end() - 1);
    WriteHostFile(HostDataFile(), cut);
    headless::LockFile(BackupFilePath(), true);
    Load();
    EXPECT_FALSE(form->ChangesUnsaved()) << "without a copy the file is not to be written over";
    try {
        form->SaveToDisk();
        ADD_FAILURE() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file C:\\PELLINO\\Pellino.dat");
    }
    EXPECT_EQ(ReadHostFile(HostDataFile()), cut);
    headless::LockFile(BackupFilePath(), false);
    form->SaveToDisk();
    EXPECT_EQ(ReadHostFile(HostBackup()), cut);
    EXPECT_EQ(ReadHostFile(HostDataFile()), kEmptyFile);
}

TEST_F(DataFile, ReloadDropsUnsavedChangesAndKeepsTheSelection) {
    DataFileContents contents;
    contents.oneTime = {OneTime("first", StartDay() + At(10, 0)),
                        OneTime("second", StartDay() + At(11, 0))};
    contents.repeating = {Repeating("every day", At(12, 0))};
    WriteDataFile(contents);
    Load();
    form->SetButtons();
    form->AlarmGrid.SetRow(2);
    TMainForm::ReminderAt(form->AlarmGrid, 1)->Status = kStatusDone;  // acknowledged, not saved
    Append(form->RepeatingAlarmGrid, Repeating("unsaved", At(13, 0)));

    headless::AdvanceClock(24 * 60 * 60 * 1000);
    EXPECT_TRUE(form->Reload());
    EXPECT_EQ(Descriptions(form->AlarmGrid), (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(Descriptions(form->RepeatingAlarmGrid), (std::vector<std::string>{"every day"}));
    EXPECT_EQ(TMainForm::ReminderAt(form->AlarmGrid, 1)->Status, kStatusExpired);
    EXPECT_EQ(form->AlarmGrid.Row(), 2) << "the file keeps the order, so row 2 is 'second' again";
    EXPECT_EQ(form->RepeatingAlarmGrid.Row(), 1);
    EXPECT_EQ(form->LoadDate(), StartDay() + 1);
}

TEST_F(DataFile, AReloadThatCannotReadTheFileWholeLeavesTheListsAsTheyWere) {
    DataFileContents contents;
    contents.oneTime = {OneTime("first", StartDay() + At(10, 0)),
                        OneTime("second", StartDay() + At(11, 0))};
    contents.repeating = {Repeating("every day", At(12, 0)), Repeating("lunch", At(12, 30))};
    const Bytes whole = FileBytes(contents);
    struct Case {
        const char* what;
        std::function<void()> spoil;
        bool waits;     // read again, and added, once the other program lets go
        bool backedUp;  // the file as it was is kept aside, and the user told
    };
    const Case cases[] = {
        {"held by another program", [] { headless::LockFile(DataFilePath(), true); }, true,
         false},
        {"cut short in the repeating list",
         [&] { WriteHostFile(HostDataFile(), Bytes(whole.begin(), whole.end() - 12)); }, false,
         true},
        {"not a data file at all", [] { WriteHostFile(HostDataFile(), Bytes{'M', 'Z'}); }, false,
         true},
        {"an empty file", [] { WriteHostFile(HostDataFile(), Bytes{}); }, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        headless::LockFile(DataFilePath(), false);
        fs::remove(HostBackup());
        WriteHostFile(HostDataFile(), whole);
        Load();
        form->AlarmGrid.SetRow(2);
        const TReminder* selected = TMainForm::ReminderAt(form->AlarmGrid, 2);
        const Bytes spoiled = [&] {
            c.spoil();
            return c.waits ? whole : ReadHostFile(HostDataFile());
        }();

        EXPECT_FALSE(form->Reload());
        EXPECT_EQ(Descriptions(form->AlarmGrid), (std::vector<std::string>{"first", "second"}));
        EXPECT_EQ(Descriptions(form->RepeatingAlarmGrid),
                  (std::vector<std::string>{"every day", "lunch"}));
        EXPECT_EQ(TMainForm::ReminderAt(form->AlarmGrid, 2), selected) << "the same records";
        EXPECT_EQ(form->AlarmGrid.Row(), 2);
        EXPECT_EQ(form->DataFileUnread(), c.waits);
        EXPECT_EQ(fs::exists(HostBackup()), c.backedUp);
        if (c.backedUp) {
            EXPECT_EQ(ReadHostFile(HostBackup()), spoiled);
        }

        // Told once, in words that say what becomes of the reminders.
        if (c.backedUp) headless::QueueMessageBoxAnswer(idresult::kOk);
        const std::size_t boxes = headless::MessageBoxLog().size();
        form->ShowDataFileWarnings();
        form->ShowDataFileWarnings();
        if (c.backedUp) {
            ASSERT_EQ(headless::MessageBoxLog().size(), boxes + 1);
            const std::string& text = headless::MessageBoxLog().back().text;
            EXPECT_NE(text.find("the lists stay as they were"), std::string::npos) << text;
            EXPECT_NE(text.find("Pellino.bak"), std::string::npos) << text;
        } else {
            EXPECT_EQ(headless::MessageBoxLog().size(), boxes) << "a held file is told of later";
        }

        // The lists go to the file only once it was read, or kept aside.
        form->SaveToDisk();
        if (c.waits) {
            EXPECT_TRUE(form->ChangesUnsaved());
            headless::LockFile(DataFilePath(), false);
            EXPECT_TRUE(form->ReadWaitingDataFile());
            form->SaveToDisk();
        }
        EXPECT_FALSE(form->ChangesUnsaved());
        MemoryStream written(ReadHostFile(HostDataFile()));
        const DataFileReading reading = readDataFile(written);
        EXPECT_TRUE(reading.complete());
        EXPECT_EQ(reading.contents.oneTime.size(), 2u);
        EXPECT_EQ(reading.contents.repeating.size(), 2u);
    }
}

TEST_F(DataFile, AFileFromWhichARecordWasMisreadIsKeptBeforeItIsWrittenOver) {
    // After the header and the start of the one-time list, 64 bytes that start no value, and the
    // lists closed as they should be: each byte is a record cut short, and none is shown.
    Bytes unknownTags(kEmptyFile.begin(), kEmptyFile.begin() + 17);
    unknownTags.insert(unknownTags.end(), 64, 0x07);
    unknownTags.insert(unknownTags.end(), {0x00, 0x01, 0x00});
    // A boolean stored with a tag no value has reads on without an error, but wrongly.
    Bytes misreadBoolean = FileBytes({666, 2.0, {OneTime("kept", StartDay() + At(10, 0))}, {}});
    misreadBoolean[misreadBoolean.size() - 4] = 0x07;  // the record's ReservedFlag

    struct Case {
        const char* what;
        Bytes bytes;
        int rows;
    };
    const Case cases[] = {
        {"bytes that start no value", unknownTags, 0},
        {"a boolean stored as another value", misreadBoolean, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(HostBackup());
        WriteHostFile(HostDataFile(), c.bytes);
        Load();
        EXPECT_EQ(form->AlarmGrid.RowCount() - 1, c.rows);
        EXPECT_EQ(ReadHostFile(HostBackup()), c.bytes) << "kept as it was at once";
        form->SaveToDisk();
        EXPECT_EQ(ReadHostFile(HostBackup()), c.bytes);
        MemoryStream written(ReadHostFile(HostDataFile()));
        EXPECT_TRUE(readDataFile(written).complete());
    }
}

}  // namespace
}  // namespace pellino::testing

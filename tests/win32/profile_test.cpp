// The settings file on the real platform: the headless backend's INI store must read and write
// exactly what the platform's private-profile operations do, on the same files, so the native
// tests of the settings speak for the real program.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include "platform/profile.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/settings.h"
#include "platform/inifile.h"
#include "runtime/errors.h"

namespace pellino {
namespace {

// A file with what people leave in settings files: comments, blank lines, blanks around names
// and values, quotes, names in other cases, a header without its bracket, a repeated section and
// lines before the first section.
const char* const kSeed =
    "Orphan=before any section\r\n"
    "; a comment\r\n"
    "\r\n"
    "[Sounds]\r\n"
    "  WaveFile  =   \"C:\\My Sounds\\ding.wav\"  \r\n"
    "silent=yes\r\n"
    "Bare\r\n"
    "\r\n"
    "[ tray ]\r\n"
    "Use='1'\r\n"
    "[broken\r\n"
    "[TMAINFORM_PLACEMENT]\r\n"
    "Left=0x20\r\n"
    "Left=99\r\n"
    "Top=\"\r\n"
    "Right=''\r\n"
    "[Sounds]\r\n"
    "Extra=second section of the same name\r\n"
    "\tLoose = value with = sign \t\r\n";

class TempFolder {
public:
    TempFolder() {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        path_ =
            std::string(base) + "pellino-profile-" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TempFolder() {
        for (const std::string& name : names_) DeleteFileA((path_ + name).c_str());
        RemoveDirectoryA(path_.c_str());
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string File(const std::string& name, const std::string& bytes) {
        names_.push_back(name);
        std::ofstream out(path_ + name, std::ios::binary | std::ios::trunc);
        out << bytes;
        return path_ + name;
    }

private:
    std::string path_;
    std::vector<std::string> names_;
};

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const char* const kMissing = "<missing>";

std::string PlatformRead(const std::string& file, const char* section, const char* key) {
    char buffer[4096];
    const DWORD n =
        GetPrivateProfileStringA(section, key, kMissing, buffer, sizeof buffer, file.c_str());
    return std::string(buffer, n);
}

std::string StoreRead(const std::string& file, const char* section, const char* key) {
    return IniDocument::Load(file).Read(section, key).value_or(kMissing);
}

struct Lookup {
    const char* section;
    const char* key;
};

TEST(Win32Profile, TheStoreReadsWhatThePlatformReads) {
    TempFolder folder;
    const std::string file = folder.File("read.ini", kSeed);
    const Lookup lookups[] = {
        {"Sounds", "WaveFile"},  // blanks around name and value, quotes
        {"sounds", "SILENT"},    // names in other cases
        {"Sounds", "Bare"},      // a line without "="
        {"Sounds", "Extra"},     // only in the second section of the name
        {"Sounds", "Loose"},     // likewise, with tabs and a second "="
        {"tray", "Use"},         // a header with blanks inside its brackets
        {" tray ", "Use"},
        {"Tray", "use"},
        {"broken", "Left"},                // a header without its bracket
        {"TMainForm_Placement", "Left"},   // the first of two keys of a name
        {"TMainForm_Placement", "Top"},    // a lone quote
        {"TMainForm_Placement", "Right"},  // an empty quoted text
        {"TMainForm_Placement", " Left "},
        {"", "Orphan"},  // before any section
        {"Nowhere", "Left"},
    };
    for (const Lookup& lookup : lookups) {
        EXPECT_EQ(StoreRead(file, lookup.section, lookup.key),
                  PlatformRead(file, lookup.section, lookup.key))
            << "[" << lookup.section << "] " << lookup.key;
    }
}

struct KeyWrite {
    const char* section;
    const char* key;
    const char* value;
};

TEST(Win32Profile, TheStoreWritesTheSameBytesAsThePlatform) {
    const KeyWrite writes[] = {
        {"Sounds", "WaveFile", "C:\\WINDOWS\\MEDIA\\chimes.wav"},  // replaces a quoted value
        {"SOUNDS", "Silent", "1"},                                 // the key keeps its own spelling
        {"Sounds", "Bare", "now a key"},  // a line without "=" gets its value
        {"Sounds", "Added", "  leading blanks"},
        {"Tray", "Use", "0"},                   // no section of exactly this name yet
        {"TMainForm_Placement", "Left", "10"},  // the first of two keys changes
        {"TMainForm_Placement120", "Bottom", "600"},
        {"TMainForm_Placement120", "Bottom", "600"},  // the same value again
        {"New Section", "Empty", ""},
    };
    for (const char* seed : {kSeed, ""}) {
        TempFolder folder;
        const std::string platformFile = folder.File("platform.ini", seed);
        const std::string storeFile = folder.File("store.ini", seed);
        for (const KeyWrite& w : writes) {
            ASSERT_TRUE(
                WritePrivateProfileStringA(w.section, w.key, w.value, platformFile.c_str()));
            IniDocument doc = IniDocument::Load(storeFile);
            if (doc.Write(w.section, w.key, w.value)) {
                ASSERT_TRUE(doc.SaveTo(storeFile));
            }
            ASSERT_EQ(Bytes(storeFile), Bytes(platformFile))
                << "after [" << w.section << "] " << w.key << "=" << w.value
                << (*seed ? " on the seeded file" : " on a new file");
        }
    }
}

TEST(Win32Profile, WhatOneSideWritesTheOtherReads) {
    TempFolder folder;
    const std::string file = folder.File("both.ini", "");
    const SettingsFile settings(file);
    settings.WriteInteger("TMainForm_Placement", "Left", -76);
    settings.WriteBool("Sounds", "Silent", true);
    settings.WriteString("Sounds", "WaveFile", "C:\\a b\\c.wav");
    EXPECT_EQ(StoreRead(file, "TMainForm_Placement", "Left"), "-76");
    EXPECT_EQ(StoreRead(file, "Sounds", "Silent"), "1");
    EXPECT_EQ(StoreRead(file, "Sounds", "WaveFile"), "C:\\a b\\c.wav");

    IniDocument doc = IniDocument::Load(file);
    doc.Write("TMainForm_Placement", "Top", "$10");
    ASSERT_TRUE(doc.SaveTo(file));
    EXPECT_EQ(settings.ReadInteger("TMainForm_Placement", "Top", 0), 16)
        << "the program reads '$' hexadecimal itself";
    EXPECT_EQ(settings.ReadInteger("TMainForm_Placement", "Left", 0), -76);
}

TEST(Win32Profile, LongTextsAreReadWhole) {
    TempFolder folder;
    const std::string file = folder.File("long.ini", "");
    const std::string path(3000, 'x');
    ASSERT_TRUE(WriteProfileKey(file, "Sounds", "WaveFile", path));
    EXPECT_EQ(ReadProfileKey(file, "Sounds", "WaveFile", ""), path);
    EXPECT_EQ(ReadProfileKey(file, "Sounds", "Nothing", "fallback"), "fallback");
}

TEST(Win32Profile, AFileThatCannotBeWrittenRefusesEvenAValueAlreadyThere) {
    // Another program holds the file open for reading only, as a read-only file would be (which
    // the superuser running these tests could write all the same). The platform opens the file
    // for writing before it compares, and the headless store refuses the same way.
    TempFolder folder;
    const std::string file = folder.File("held.ini", "[Sounds]\r\nSilent=0\r\n");
    const HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(WriteProfileKey(file, "Sounds", "Silent", "1"));
    EXPECT_FALSE(WriteProfileKey(file, "Sounds", "Silent", "0"));
    EXPECT_EQ(ReadProfileKey(file, "Sounds", "Silent", ""), "0") << "reading still works";
    CloseHandle(held);
}

TEST(Win32Profile, ARefusedWriteRaisesTheError) {
    const std::string file = "C:\\pellino-no-such-folder\\PELLINO.INI";
    const SettingsFile settings(file);
    try {
        settings.WriteBool("Sounds", "Silent", true);
        FAIL() << "a file in a missing folder cannot be written";
    } catch (const EIniFileError& error) {
        EXPECT_EQ(error.Message(), "Unable to write to " + file);
    }
    EXPECT_EQ(settings.ReadBool("Sounds", "Silent", true), true) << "reading falls back";
}

}  // namespace
}  // namespace pellino

// The runtime's text helpers: capitals, and the parts of a path.

#include "runtime/strings.h"

#include <gtest/gtest.h>

namespace pellino {
namespace {

TEST(Strings, UpperCaseTurnsOnlyTheAsciiLetters) {
    EXPECT_EQ(UpperCase("alarms.Dat"), "ALARMS.DAT");
    EXPECT_EQ(UpperCase("c:\\sounds\\bell.wav 123"), "C:\\SOUNDS\\BELL.WAV 123");
    EXPECT_EQ(UpperCase("caf\xe9"), "CAF\xe9") << "bytes above 127 stay";
}

TEST(Strings, ThePartsOfAPathSplitAtTheLastBackslashOrColon) {
    const struct {
        const char* path;
        const char* folder;
        const char* name;
    } cases[] = {
        {"C:\\PELLINO\\PELLINO.EXE", "C:\\PELLINO\\", "PELLINO.EXE"},
        {"D:\\Other folder\\pellino.exe", "D:\\Other folder\\", "pellino.exe"},
        {"C:PELLINO.EXE", "C:", "PELLINO.EXE"},
        {"\\\\server\\share\\ALARMS.DAT", "\\\\server\\share\\", "ALARMS.DAT"},
        {"PELLINO.EXE", "", "PELLINO.EXE"},
        {"C:\\PELLINO\\", "C:\\PELLINO\\", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtractFilePath(c.path), c.folder) << c.path;
        EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
    }
}

}  // namespace
}  // namespace pellino

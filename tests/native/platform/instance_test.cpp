// The name that running copies of the program share.

#include "platform/instance.h"

#include <gtest/gtest.h>

namespace pellino {
namespace {

TEST(InstanceMutexName, IsTheProgramFilesNameWithoutItsFolder) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\PELLINO\\PELLINO.EXE", "PELLINO.EXE"},
        {"D:\\Other folder\\PELLINO.EXE", "PELLINO.EXE"},  // the same name from elsewhere
        {"C:\\PELLINO\\pellino.exe", "pellino.exe"},
        {"C:PELLINO.EXE", "PELLINO.EXE"},
        {"PELLINO2.EXE", "PELLINO2.EXE"},
    };
    for (const auto& [path, name] : cases) EXPECT_EQ(InstanceMutexName(path), name) << path;
}

}  // namespace
}  // namespace pellino

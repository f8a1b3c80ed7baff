// The single-copy mutex on the real platform: a second holder of the same name learns that a copy
// runs, another name does not, and the name is free again once the first copy ends.

#include "platform/instance.h"

#include <gtest/gtest.h>

#include <memory>

namespace pellino {
namespace {

TEST(Win32Instance, ASecondCopyOfTheSameNameIsToldAndTheNameIsFreedAtTheEnd) {
    auto first = std::make_unique<InstanceMutex>("PELLINO-TEST.EXE");
    EXPECT_FALSE(first->AnotherCopyRunning());
    {
        const InstanceMutex second("PELLINO-TEST.EXE");
        EXPECT_TRUE(second.AnotherCopyRunning());
        const InstanceMutex other("OTHER-TEST.EXE");
        EXPECT_FALSE(other.AnotherCopyRunning()) << "a program file of another name";
    }
    first.reset();
    const InstanceMutex after("PELLINO-TEST.EXE");
    EXPECT_FALSE(after.AnotherCopyRunning()) << "the first copy has ended";
}

}  // namespace
}  // namespace pellino

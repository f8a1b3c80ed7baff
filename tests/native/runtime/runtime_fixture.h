#pragma once

#include <gtest/gtest.h>

#include "platform/headless/testing.h"
#include "runtime/datetime.h"
#include "runtime/formats.h"

namespace pellino::testing {

// Every test starts from the fake clock's start state, en-US regional settings kept as the user's
// set and the fixed set in force, as the main window leaves them after start-up.
class RuntimeTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::ResetAll();
        SaveUserFormats();
        UseFixedFormats();
    }
    void TearDown() override { UseFixedFormats(); }

    // Replaces the user's regional settings and keeps them, as start-up would.
    static void SaveRegional(const RegionalSettings& regional) {
        headless::SetRegionalSettings(regional);
        SaveUserFormats();
    }
};

inline TDateTime at(int hour, int minute, int second = 0, int millisecond = 0) {
    return EncodeTime(hour, minute, second, millisecond);
}

inline TDateTime on(int year, int month, int day) {
    return EncodeDate(year, month, day);
}

}  // namespace pellino::testing

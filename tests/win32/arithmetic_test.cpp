// The date-time arithmetic on the 32-bit program's own processor state: the minute steps are
// computed in the 80-bit extended format, which on this platform depends on the precision the
// floating-point unit was left in at start-up, not only on the compiler's long double.

#include <gtest/gtest.h>

#include <float.h>

#include "runtime/datetime.h"

namespace pellino {
namespace {

TEST(Win32Arithmetic, TheFloatingPointUnitKeepsTheExtendedPrecision) {
    EXPECT_EQ(_controlfp(0, 0) & _MCW_PC, static_cast<unsigned>(_PC_64))
        << "the start-up left the unit rounding to a shorter mantissa";
}

TEST(Win32Arithmetic, MinuteStepsDriftAsOnEveryOtherBuild) {
    // The same figures as the portable tests: 48 microseconds later per minute stepped, and one
    // rounding to a double at the end of each step.
    TDateTime t = EncodeTime(9, 0, 0, 0);
    for (int i = 0; i < 480; ++i) t = AddMinutes(1, t);
    EXPECT_NEAR((t - EncodeTime(17, 0, 0, 0)) * 86'400'000.0, 23.04, 0.01);
    EXPECT_EQ(AddMinutes(57, 36000.0), 0x1.1940144445544p+15);
}

}  // namespace
}  // namespace pellino

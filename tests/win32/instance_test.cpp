// The single-copy mutex on the real platform: a second holder of the same name learns that a copy
// runs, another name does not, and the name is free again once the first copy ends.

#include "platform/instance.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/win32/win32.h"

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

// A copy started under another account or in another session may have made the mutex so that
// this one is refused access to it: that copy runs all the same, and this one must say so rather
// than take the refusal for no copy at all.
TEST(Win32Instance, AMutexThatRefusesAccessIsACopyThatRuns) {
    SECURITY_DESCRIPTOR descriptor;
    ASSERT_TRUE(InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION));
    // A list of access rules with no rule in it grants nothing to anybody.
    ACL acl;
    ASSERT_TRUE(InitializeAcl(&acl, sizeof acl, ACL_REVISION));
    ASSERT_TRUE(SetSecurityDescriptorDacl(&descriptor, TRUE, &acl, FALSE));
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
    HANDLE other = CreateMutexA(&attributes, TRUE, "LOCKED-TEST.EXE");
    ASSERT_TRUE(other != nullptr);
    ASSERT_EQ(CreateMutexA(nullptr, TRUE, "LOCKED-TEST.EXE"), nullptr);
    ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED))
        << "the platform refuses the mutex to a second creation";
    const InstanceMutex second("LOCKED-TEST.EXE");
    EXPECT_TRUE(second.AnotherCopyRunning());
    CloseHandle(other);
}

}  // namespace
}  // namespace pellino

// Compiled into every native test program: what a test leaves behind in the headless fakes (a
// message box it did not script, an answer it queued that no box took) fails that test, whether
// the test resets the fakes at its end or leaves them to the next one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/testing.h"

namespace {

void ReportProblems(const std::vector<std::string>& problems) {
    for (const std::string& problem : problems) ADD_FAILURE() << problem;
}

class HeadlessProblems : public testing::EmptyTestEventListener {
    void OnTestEnd(const testing::TestInfo&) override {
        ReportProblems(pellino::headless::TakeTestProblems());
    }
};

[[maybe_unused]] const bool kRegistered = [] {
    pellino::headless::SetTestProblemReporter(ReportProblems);
    // The listeners own what they are given.
    testing::UnitTest::GetInstance()->listeners().Append(new HeadlessProblems);
    return true;
}();

}  // namespace

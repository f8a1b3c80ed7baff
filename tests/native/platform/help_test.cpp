// The choice of help engine by platform version, and what each engine is asked for a context
// number.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/testing.h"
#include "platform/help.h"

namespace pellino {
namespace {

class HelpTest : public ::testing::Test {
protected:
    void SetUp() override { headless::ResetAll(); }
};

TEST(HelpEngineTest, WinHelpWhereThePlatformHasItHtmlHelpFromVistaOn) {
    const struct {
        const char* what;
        PlatformVersion version;
        HelpEngine engine;
    } cases[] = {
        {"Windows 95", {1, 4, 0}, HelpEngine::WinHelp},
        {"Windows 98", {1, 4, 10}, HelpEngine::WinHelp},
        {"Windows Me", {1, 4, 90}, HelpEngine::WinHelp},
        {"Windows NT 4.0", {2, 4, 0}, HelpEngine::WinHelp},
        {"Windows 2000", {2, 5, 0}, HelpEngine::WinHelp},
        {"Windows XP", {2, 5, 1}, HelpEngine::WinHelp},
        {"Windows Server 2003", {2, 5, 2}, HelpEngine::WinHelp},
        {"Windows Vista", {2, 6, 0}, HelpEngine::HtmlHelp},
        {"Windows 7, Wine's default", {2, 6, 1}, HelpEngine::HtmlHelp},
        {"Windows 8 and later as they report to an unmarked program",
         {2, 6, 2},
         HelpEngine::HtmlHelp},
        {"Windows 10 as it reports itself", {2, 10, 0}, HelpEngine::HtmlHelp},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HelpEngineFor(c.version), c.engine) << c.what;
    }
}

TEST(HelpEngineTest, EachContextNumberHasATopicOfItsOwnInEitherFile) {
    const struct {
        const char* what;
        const char* helpFile;
        int context;
        const char* chm;
        const char* topic;
    } cases[] = {
        {"the program's help file", "C:\\PELLINO\\PELLINO.HLP", 1009, "C:\\PELLINO\\PELLINO.CHM",
         "C:\\PELLINO\\PELLINO.CHM::/ctx1009.html"},
        {"another number", "C:\\PELLINO\\PELLINO.HLP", 2986, "C:\\PELLINO\\PELLINO.CHM",
         "C:\\PELLINO\\PELLINO.CHM::/ctx2986.html"},
        {"an extension in lower case", "D:\\Apps\\pellino.hlp", 2004, "D:\\Apps\\pellino.CHM",
         "D:\\Apps\\pellino.CHM::/ctx2004.html"},
        {"a dot in a folder name, none in the file's", "C:\\My.Apps\\PELLINO", 1004,
         "C:\\My.Apps\\PELLINO.CHM", "C:\\My.Apps\\PELLINO.CHM::/ctx1004.html"},
    };
    for (const auto& c : cases) {
        const HelpRequest old = HelpRequestFor({1, 4, 10}, c.helpFile, c.context);
        EXPECT_EQ(old.engine, HelpEngine::WinHelp) << c.what;
        EXPECT_EQ(old.file, c.helpFile) << c.what;
        EXPECT_EQ(old.context, c.context) << c.what;
        const HelpRequest html = HelpRequestFor({2, 6, 1}, c.helpFile, c.context);
        EXPECT_EQ(html.engine, HelpEngine::HtmlHelp) << c.what;
        EXPECT_EQ(html.file, c.chm) << c.what;
        EXPECT_EQ(html.topic, c.topic) << c.what;
    }
}

TEST_F(HelpTest, TheBackendAsksTheEngineOfThePlatformItRunsOn) {
    ShowHelpContext("C:\\PELLINO\\PELLINO.HLP", 1009);
    headless::SetPlatformVersion({2, 6, 0});
    ShowHelpContext("C:\\PELLINO\\PELLINO.HLP", 2987);
    headless::SetWindows95Family(true);
    ShowHelpContext("C:\\PELLINO\\PELLINO.HLP", 1004);
    CloseHelp("C:\\PELLINO\\PELLINO.HLP");
    EXPECT_EQ(headless::HelpLog(), (std::vector<std::string>{
                                       "C:\\PELLINO\\PELLINO.HLP #1009",
                                       "C:\\PELLINO\\PELLINO.CHM::/ctx2987.html",
                                       "C:\\PELLINO\\PELLINO.HLP #1004",
                                       "<close C:\\PELLINO\\PELLINO.HLP>",
                                   }));
}

}  // namespace
}  // namespace pellino

// The user's log-on start on the real platform: a Startup shortcut and a Run value written, read
// back and removed as File > "Start with Windows" does, under names of the test's own; and the
// drop-down of a menu of the menu bar, which refreshes the item's check mark.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/form.h"
#include "platform/logonstart.h"
#include "platform/menus.h"

namespace pellino {
namespace {

constexpr const char* kName = "Pellino logon test";

std::string OwnPath() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// Whatever a failed check leaves, the user's Startup folder and Run key lose it again.
struct CleanUp {
    ~CleanUp() {
        DeleteStartupShortcut(kName);
        DeleteRunValue(kName);
    }
};

// The show command as the shortcut file stores it, at offset 0x3C of its header.
int StoredShowCommand(const std::string& path) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    unsigned char header[0x40] = {};
    const bool read = in && std::fread(header, 1, sizeof header, in) == sizeof header;
    if (in) std::fclose(in);
    return read ? header[0x3C] | header[0x3D] << 8 : -1;
}

TEST(Win32LogonStart, AStartupShortcutIsWrittenReadAndRemoved) {
    const CleanUp cleanUp;
    ASSERT_TRUE(CanMakeStartupShortcuts()) << "a Startup folder and the shell's link component";
    const std::string path = StartupShortcutPath(kName);
    ASSERT_NE(path.find("\\Pellino logon test.lnk"), std::string::npos) << path;
    EXPECT_FALSE(ReadStartupShortcut(kName));
    EXPECT_EQ(DeleteStartupShortcut(kName), 0u) << "nothing to remove is no failure";

    const std::string exe = OwnPath();
    const std::string folder = exe.substr(0, exe.rfind('\\'));
    ASSERT_EQ(WriteStartupShortcut(kName, ShortcutInfo{exe, 7, folder, "Test reminders"}), 0u);
    EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(StoredShowCommand(path), 7) << "the file asks for a minimised start";
    const auto shortcut = ReadStartupShortcut(kName);
    ASSERT_TRUE(shortcut);
    EXPECT_EQ(shortcut->target, exe);
    EXPECT_EQ(shortcut->workingFolder, folder);
    EXPECT_EQ(shortcut->description, "Test reminders");

    // Written again over itself: one shortcut, the new target.
    ASSERT_EQ(WriteStartupShortcut(kName, ShortcutInfo{folder + "\\OTHER.EXE", 7, folder, ""}), 0u);
    EXPECT_EQ(ReadStartupShortcut(kName)->target, folder + "\\OTHER.EXE");

    EXPECT_EQ(DeleteStartupShortcut(kName), 0u);
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(ReadStartupShortcut(kName));
}

TEST(Win32LogonStart, ARunValueIsWrittenReadAndRemoved) {
    const CleanUp cleanUp;
    EXPECT_FALSE(ReadRunValue(kName));
    EXPECT_EQ(DeleteRunValue(kName), 0u) << "nothing to remove is no failure";
    // The program's path in quotes (built in steps: the compiler warns wrongly on the one-line
    // form).
    std::string command = OwnPath();
    command.insert(command.begin(), '"');
    command.push_back('"');
    ASSERT_EQ(WriteRunValue(kName, command), 0u);
    EXPECT_EQ(ReadRunValue(kName), command);
    EXPECT_EQ(DeleteRunValue(kName), 0u);
    EXPECT_FALSE(ReadRunValue(kName));
}

class MenuForm : public Form {
public:
    MenuForm() : Form("TPellinoMenuTestForm") {
        SetCaption("Menu test");
        File.SetCaption("&File");
        Item.SetCaption("Item");
        Help.SetCaption("&Help");
        About.SetCaption("About");
        SetMenu(&Bar);
    }
    ~MenuForm() override { DestroyPeers(); }
    MainMenu Bar;
    MenuItem File{&Bar.Items};
    MenuItem Item{&File};
    MenuItem Help{&Bar.Items};
    MenuItem About{&Help};
};

TEST(Win32LogonStart, AMenuOfTheBarTellsItsItemBeforeItDropsDown) {
    MenuForm form;
    std::vector<std::string> log;
    form.File.OnPopup = [&] { log.push_back("File"); };
    form.Help.OnPopup = [&] { log.push_back("Help"); };
    form.Show();
    HWND top = FindWindowA("TPellinoMenuTestForm", "Menu test");
    ASSERT_NE(top, nullptr);
    HMENU bar = GetMenu(top);
    ASSERT_NE(bar, nullptr);
    // What the platform sends as a menu of the bar drops down; the window menu (high word 1) is
    // the platform's own.
    SendMessageA(top, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(bar, 1)),
                 MAKELPARAM(1, FALSE));
    SendMessageA(top, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(bar, 0)),
                 MAKELPARAM(0, FALSE));
    SendMessageA(top, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSystemMenu(top, FALSE)),
                 MAKELPARAM(0, TRUE));
    EXPECT_EQ(log, (std::vector<std::string>{"Help", "File"}));
}

}  // namespace
}  // namespace pellino

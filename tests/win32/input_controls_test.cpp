// The input controls of the dialogs against real windows under Wine: each control's state
// mirrored into its native window and back, the keys the dialog manager gives them, and what the
// picture buttons and the calendar put on the screen.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// The common controls' declarations need those of <windows.h> before them.
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/application.h"
#include "platform/calendar.h"
#include "platform/form.h"
#include "runtime/datetime.h"

namespace pellino {
namespace {

class InputForm : public Form {
public:
    InputForm() : Form("TPellinoInputForm") {
        SetCaption("Input test");
        SetClientSize(420, 300);
        Caption.SetBounds(10, 10, 60, 16);
        Caption.SetText("&Message");
        Caption.SetFocusControl(&Message);
        Message.SetBounds(80, 8, 200, 21);
        Message.SetMaxLength(5);
        Message.SetAutoSelect(false);
        Check.SetBounds(10, 40, 100, 17);
        Check.SetText("Check");
        First.SetBounds(10, 60, 100, 17);
        First.SetText("First");
        Second.SetBounds(10, 80, 100, 17);
        Second.SetText("Second");
        Picture.SetBounds(10, 110, 90, 30);
        Picture.SetText("Save");
        Picture.SetGlyph(Glyph::Check);
        Calendar.SetBounds(120, 40, 280, 210);
        Spin.SetBounds(10, 150, 70, 21);
        Spin.SetRange(10, 720);
        Spin.SetIncrement(10);
        Spin.SetValue(60);
        Plain.SetBounds(300, 250, 80, 25);
        Plain.SetText("Plain");
    }
    Label Caption{this};
    Edit Message{this};
    CheckBox Check{this};
    RadioButton First{this};
    RadioButton Second{this};
    Button Picture{this};
    MonthCalendar Calendar{this};
    SpinEdit Spin{this};
    Button Plain{this};
};

HWND Child(HWND top, const char* windowClass, int index) {
    HWND child = FindWindowExA(top, nullptr, windowClass, nullptr);
    for (; child && index > 0; --index) child = FindWindowExA(top, child, windowClass, nullptr);
    return child;
}

HWND ButtonCalled(HWND top, const std::string& text) {
    for (HWND b = FindWindowExA(top, nullptr, "Button", nullptr); b;
         b = FindWindowExA(top, b, "Button", nullptr)) {
        char buffer[64];
        GetWindowTextA(b, buffer, sizeof buffer);
        if (text == buffer) return b;
    }
    return nullptr;
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// How many pixels of a window's client area have the colour.
int CountPixels(HWND hwnd, COLORREF color) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r;
    GetClientRect(hwnd, &r);
    HDC dc = GetDC(hwnd);
    int count = 0;
    for (int y = 0; y < r.bottom; ++y) {
        for (int x = 0; x < r.right; ++x) count += GetPixel(dc, x, y) == color;
    }
    ReleaseDC(hwnd, dc);
    return count;
}

TEST(Win32InputControls, AnEditTakesTypedTextUpToItsLimitAndReportsIt) {
    InputForm form;
    form.Message.SetText("longer than five");
    form.Show();
    HWND top = FindWindowA("TPellinoInputForm", nullptr);
    HWND edit = Child(top, "Edit", 0);
    ASSERT_NE(edit, nullptr);
    char text[64];
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "longer than five") << "text set by code is not cut";

    SetWindowTextA(edit, "");
    for (char c : std::string("abcdefgh")) SendMessageA(edit, WM_CHAR, c, 0);
    EXPECT_EQ(form.Message.Text(), "abcde") << "typing stops at the limit, and the text follows";
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("set"));
    EXPECT_EQ(form.Message.Text(), "set") << "another program's text reaches the state too";
    EXPECT_EQ(SendMessageA(edit, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL, 0)
        << "the Tab key does not select the text";
}

TEST(Win32InputControls, CheckBoxAndRadioButtonsFollowClicksAndCode) {
    InputForm form;
    std::vector<std::string> events;
    form.Check.OnClick = [&] { events.push_back(form.Check.Checked() ? "checked" : "cleared"); };
    form.Second.OnClick = [&] { events.push_back("second"); };
    form.Show();
    HWND top = FindWindowA("TPellinoInputForm", nullptr);
    HWND check = ButtonCalled(top, "Check");
    HWND first = ButtonCalled(top, "First");
    HWND second = ButtonCalled(top, "Second");
    ASSERT_TRUE(check && first && second);

    SendMessageA(check, BM_CLICK, 0, 0);
    EXPECT_TRUE(form.Check.Checked());
    EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    form.Check.SetChecked(false);
    EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    form.First.SetChecked(true);
    SendMessageA(second, BM_CLICK, 0, 0);
    EXPECT_TRUE(form.Second.Checked());
    EXPECT_FALSE(form.First.Checked());
    EXPECT_EQ(SendMessageA(first, BM_GETCHECK, 0, 0), BST_UNCHECKED) << "the group clears";
    EXPECT_EQ(SendMessageA(second, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_NE(GetWindowLongA(second, GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_EQ(GetWindowLongA(first, GWL_STYLE) & WS_TABSTOP, 0)
        << "only the checked radio button takes the tab stop";
    EXPECT_NE(GetWindowLongA(first, GWL_STYLE) & WS_GROUP, 0) << "the radio buttons are a group";
    SendMessageA(second, BM_CLICK, 0, 0);
    EXPECT_EQ(events, (std::vector<std::string>{"checked", "cleared", "second"}))
        << "a click on the checked radio button changes nothing";
}

TEST(Win32InputControls, TheSpinFieldStepsFiltersItsCharactersAndHoldsItsBoundsOnExit) {
    InputForm form;
    form.Show();
    HWND top = FindWindowA("TPellinoInputForm", nullptr);
    HWND field = Child(top, "Edit", 1);
    HWND arrows = FindWindowExA(top, nullptr, UPDOWN_CLASSA, nullptr);
    ASSERT_TRUE(field && arrows);
    NMUPDOWN up{};
    up.hdr.hwndFrom = arrows;
    up.hdr.code = UDN_DELTAPOS;
    up.iDelta = 1;
    SendMessageA(top, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&up));
    EXPECT_EQ(form.Spin.Text(), "70") << "the upper arrow adds the step";
    SendMessageA(field, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(form.Spin.Text(), "60") << "so does the Down key, the other way";

    SetFocus(field);
    SetWindowTextA(field, "");
    for (char c : std::string("9x0a0")) SendMessageA(field, WM_CHAR, c, 0);
    EXPECT_EQ(form.Spin.Text(), "900") << "only what can be typed";
    EXPECT_EQ(form.Spin.Value(), 900) << "kept as typed while the field has the focus";
    SetFocus(Child(top, "Edit", 0));
    EXPECT_EQ(form.Spin.Text(), "720") << "pulled to the bound when the focus leaves";
    char text[16];
    GetWindowTextA(field, text, sizeof text);
    EXPECT_STREQ(text, "720");
}

TEST(Win32InputControls, EveryClickOfAQuickPairPressesTheButton) {
    InputForm form;
    int pictures = 0, plains = 0;
    form.Picture.OnClick = [&] { ++pictures; };
    form.Plain.OnClick = [&] { ++plains; };
    form.Show();
    HWND top = FindWindowA("TPellinoInputForm", nullptr);
    HWND picture = ButtonCalled(top, "Save");
    HWND plain = ButtonCalled(top, "Plain");
    ASSERT_TRUE(picture && plain);
    ASSERT_EQ(GetWindowLongA(picture, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    // Two clicks as the mouse delivers them when the second comes within the double-click time.
    for (HWND button : {picture, plain}) {
        for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
            SendMessageA(button, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                         MAKELPARAM(5, 5));
        }
    }
    EXPECT_EQ(pictures, 2) << "a button the program draws reports the second as a double click";
    EXPECT_EQ(plains, 2) << "a platform button reports it as a click";
}

TEST(Win32InputControls, APromptGivesWayToTheFirstKeyAndAPaste) {
    InputForm form;
    form.Message.SetMaxLength(0);
    form.Message.SetPrompt("[Type]");
    form.Show();
    HWND top = FindWindowA("TPellinoInputForm", nullptr);
    HWND edit = Child(top, "Edit", 0);
    ASSERT_NE(edit, nullptr);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, 0);  // the caret before the prompt, as after a click there
    for (char c : std::string("Call")) SendMessageA(edit, WM_CHAR, c, 0);
    EXPECT_EQ(form.Message.Text(), "Call") << "typed over the prompt, not in front of it";
    for (char c : std::string(" Anna")) SendMessageA(edit, WM_CHAR, c, 0);
    EXPECT_EQ(form.Message.Text(), "Call Anna") << "later keys add to the user's text";

    form.Message.SetText("[Type]");
    ASSERT_TRUE(form.Message.PromptShown());
    ASSERT_TRUE(OpenClipboard(top));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 7);
    std::memcpy(GlobalLock(memory), "Pasted", 7);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
    SendMessageA(edit, EM_SETSEL, 3, 3);
    SendMessageA(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(form.Message.Text(), "Pasted") << "a paste replaces the prompt";
}

TEST(Win32InputControls, AFieldKeepsTheBytesTheUserDidNotChange) {
    InputForm form;
    form.Message.SetMaxLength(0);
    const std::string stored("Call\0Anna", 9);
    form.Message.SetText(stored);
    form.Show();
    Pump();
    HWND top = FindWindowA("TPellinoInputForm", nullptr);
    HWND edit = Child(top, "Edit", 0);
    char text[64];
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "Call Anna") << "the field shows the 0 byte as a blank";
    EXPECT_EQ(form.Message.Text(), stored) << "and the text keeps it";
    SendMessageA(edit, EM_SETSEL, 9, 9);
    SendMessageA(edit, WM_CHAR, '!', 0);
    EXPECT_EQ(form.Message.Text(), "Call Anna!")
        << "a text the user changed is what the field shows";
}

TEST(Win32InputControls, ARefusedFieldIsSelectedAndTheSpinFieldKeepsItsValueOverABox) {
    InputForm form;
    form.Show();
    HWND top = FindWindowA("TPellinoInputForm", nullptr);
    HWND field = Child(top, "Edit", 1);
    ASSERT_NE(field, nullptr);
    SetFocus(field);
    SetWindowTextA(field, "5");
    // Another window takes the focus, as a message box about the value does, and gives it back.
    HWND box = CreateWindowExA(0, "EDIT", "box", WS_POPUP | WS_VISIBLE, 0, 0, 50, 20, top, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    SetFocus(box);
    EXPECT_EQ(form.Spin.Text(), "5") << "the focus going to another window is no leaving";
    form.Spin.SetFocus();
    DestroyWindow(box);
    form.Spin.SelectAll();
    DWORD from = 0, to = 0;
    SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 1u) << "the whole value selected";
    EXPECT_EQ(form.Spin.SelLength(), 1);
    EXPECT_EQ(GetFocus(), field);
    SetFocus(Child(top, "Edit", 0));
    EXPECT_EQ(form.Spin.Text(), "10") << "leaving for another control pulls it to the bound";
}

TEST(Win32InputControls, TheSpinArrowsAreAtLeastAsLargeAsThePlatformsOwn) {
    InputForm form;
    form.Show();
    HWND top = FindWindowA("TPellinoInputForm", nullptr);
    HWND field = Child(top, "Edit", 1);
    HWND arrows = FindWindowExA(top, nullptr, UPDOWN_CLASSA, nullptr);
    ASSERT_TRUE(field && arrows);
    RECT fieldRect, ours;
    GetWindowRect(field, &fieldRect);
    GetWindowRect(arrows, &ours);
    // The platform's own arrows: an up-down that places and sizes itself at the right of a field
    // of the same height, given none of its own.
    HWND buddy = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "60", WS_CHILD | WS_VISIBLE, 200, 200,
                                 100, fieldRect.bottom - fieldRect.top, top, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    HWND own = CreateWindowExA(0, UPDOWN_CLASSA, nullptr,
                               WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT, 0, 0, 0, 0,
                               top, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(own, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    RECT theirs;
    GetWindowRect(own, &theirs);
    std::printf("ours %ld x %ld, the platform's %ld x %ld\n", ours.right - ours.left,
                ours.bottom - ours.top, theirs.right - theirs.left, theirs.bottom - theirs.top);
    EXPECT_GE(ours.bottom - ours.top, theirs.bottom - theirs.top);
    EXPECT_GE(ours.right - ours.left, theirs.right - theirs.left);
    DestroyWindow(own);
    DestroyWindow(buddy);
}

TEST(Win32InputControls, TheDialogKeysMoveTheFocusByALabelsAccelerator) {
    InputForm form;
    form.Show();
    HWND top = FindWindowA("TPellinoInputForm", nullptr);
    SetFocus(ButtonCalled(top, "Check"));
    MSG msg{top, WM_SYSCHAR, 'm', static_cast<LPARAM>(0x20000001u), 0, {}};
    EXPECT_TRUE(IsDialogMessageA(top, &msg));
    EXPECT_EQ(GetFocus(), Child(top, "Edit", 0)) << "Alt+M focuses the label's field";
    EXPECT_TRUE(form.Message.Focused());
}

// 1 January 2027, a Friday.
const std::int32_t kNewYear = static_cast<std::int32_t>(EncodeDate(2027, 1, 1));

TEST(Win32InputControls, APictureButtonAndTheCalendarPaintWhatTheyHold) {
    InputForm form;
    form.Calendar.SetDate(kNewYear);
    form.Show();
    HWND top = FindWindowA("TPellinoInputForm", nullptr);
    Pump();
    EXPECT_GT(CountPixels(ButtonCalled(top, "Save"), RGB(0, 128, 0)), 10)
        << "the green check mark of the picture";

    HWND calendar = FindWindowExA(top, nullptr, "PellinoCustom", nullptr);
    ASSERT_NE(calendar, nullptr);
    const int selected = CountPixels(calendar, RGB(0, 0, 128));
    EXPECT_GT(selected, 100) << "the selected day on navy";

    // A click on the cell of 20 January selects it; the navy moves with it.
    const Rect day = form.Calendar.DayRect(kNewYear + 19);
    const int x = MulDiv(day.left + 5, ScreenDpi(), 96), y = MulDiv(day.top + 5, ScreenDpi(), 96);
    SendMessageA(calendar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(calendar, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    EXPECT_EQ(form.Calendar.Date(), kNewYear + 19);
    EXPECT_TRUE(form.Calendar.Focused()) << "a click gives the calendar the keyboard";
    SendMessageA(calendar, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(form.Calendar.Date(), kNewYear + 20) << "the arrow keys move the day";
    Pump();
    HDC dc = GetDC(calendar);
    const COLORREF at =
        GetPixel(dc, MulDiv(day.left + 3, ScreenDpi(), 96) + MulDiv(40, ScreenDpi(), 96),
                 MulDiv(day.top + 3, ScreenDpi(), 96));
    ReleaseDC(calendar, dc);
    EXPECT_EQ(at, RGB(0, 0, 128)) << "the day right of the click is painted as selected";
}

}  // namespace
}  // namespace pellino

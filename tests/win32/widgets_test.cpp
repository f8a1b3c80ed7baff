// The win32 backend against real windows under Wine: portable state mirrored into native
// controls, and native events updating the state before the handler runs.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "mainwindow/mainform.h"
#include "platform/application.h"
#include "platform/form.h"
#include "platform/timer.h"

namespace pellino {
namespace {

HWND FindChild(HWND parent, const char* windowClass, const std::string& text) {
    for (HWND child = FindWindowExA(parent, nullptr, windowClass, nullptr); child;
         child = FindWindowExA(parent, child, windowClass, nullptr)) {
        char buffer[256];
        GetWindowTextA(child, buffer, sizeof buffer);
        if (text == buffer) return child;
    }
    return nullptr;
}

std::string WindowText(HWND hwnd) {
    char buffer[256];
    GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}

class TestForm : public Form {
public:
    TestForm() : Form("TPellinoTestForm") {
        SetCaption("Widget test");
        SetClientSize(300, 200);
        Bar.SetBounds(0, 0, 300, 40);
        Bar.SetAlign(Align::Top);
        Ok.SetBounds(10, 8, 75, 25);
        Ok.SetText("Ok");
        Note.SetBounds(10, 60, 200, 20);
        Note.SetText("first");
    }
    Panel Bar{this};
    Button Ok{&Bar};
    Label Note{this};
};

TEST(Win32Widgets, StateIsMirroredIntoNativeWindows) {
    TestForm form;
    form.Show();
    HWND top = FindWindowA("TPellinoTestForm", "Widget test");
    ASSERT_NE(top, nullptr) << "the form's window carries its class name and caption";

    HWND panel = FindWindowExA(top, nullptr, "PellinoPanel", nullptr);
    ASSERT_NE(panel, nullptr);
    HWND ok = FindChild(panel, "Button", "Ok");
    ASSERT_NE(ok, nullptr) << "a button made before the window exists is created with it";
    HWND note = FindChild(top, "Static", "first");
    ASSERT_NE(note, nullptr);

    form.Note.SetText("second");
    EXPECT_EQ(WindowText(note), "second") << "a text set later reaches the native control";
    form.Ok.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(ok));
    form.Ok.SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(ok));
    form.SetCaption("Renamed");
    EXPECT_EQ(WindowText(top), "Renamed");

    RECT client;
    GetClientRect(top, &client);
    const int dpi = ScreenDpi();
    EXPECT_EQ(client.right, MulDiv(300, dpi, 96)) << "design pixels are scaled to the screen";
    EXPECT_EQ(client.bottom, MulDiv(200, dpi, 96));

    Button late(&form);
    late.SetText("Late");
    EXPECT_NE(FindChild(top, "Button", "Late"), nullptr)
        << "a control made afterwards gets a window at once";
}

TEST(Win32Widgets, NativeClickRunsTheHandlerAndSetsTheModalResult) {
    TestForm form;
    std::vector<std::string> events;
    form.Ok.SetModalResult(mr::kOk);
    form.Ok.OnClick = [&] {
        events.push_back("click, modal result " + std::to_string(form.ModalResult()));
    };
    form.Show();
    HWND ok = FindChild(
        FindWindowExA(FindWindowA("TPellinoTestForm", nullptr), nullptr, "PellinoPanel", nullptr),
        "Button", "Ok");
    ASSERT_NE(ok, nullptr);
    SendMessageA(ok, BM_CLICK, 0, 0);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0], "click, modal result 1") << "the state is updated before the handler runs";
}

TEST(Win32Widgets, ResizingTheWindowRealignsAndReportsTheDesignSize) {
    TestForm form;
    int resizes = 0;
    form.OnResize = [&] { ++resizes; };
    form.Show();
    HWND top = FindWindowA("TPellinoTestForm", nullptr);
    RECT wr;
    GetWindowRect(top, &wr);
    SetWindowPos(top, nullptr, 0, 0, wr.right - wr.left + MulDiv(100, ScreenDpi(), 96),
                 wr.bottom - wr.top, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_GE(resizes, 1);
    EXPECT_EQ(form.ClientWidth(), 400);
    EXPECT_EQ(form.Bar.Width(), 400) << "a top-aligned panel follows the width";
}

TEST(Win32Widgets, TimerFiresOnTheMessageLoopAndStops) {
    Timer timer;
    timer.SetInterval(20);
    int ticks = 0;
    timer.OnTimer = [&] {
        if (++ticks == 3) timer.SetEnabled(false);
    };
    timer.SetEnabled(true);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 3000 && timer.Enabled()) {
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&msg);
        } else {
            Sleep(5);
        }
    }
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(timer.Enabled());
}

TEST(Win32Widgets, MainWindowHasItsDesignedClientSizeAndBars) {
    TMainForm form;
    form.Show();
    HWND top = FindWindowA("TMainForm", "Pellino!");
    ASSERT_NE(top, nullptr);
    RECT client;
    GetClientRect(top, &client);
    EXPECT_EQ(client.right, MulDiv(599, ScreenDpi(), 96));
    EXPECT_EQ(client.bottom, MulDiv(362, ScreenDpi(), 96));
    int buttons = 0;
    for (HWND panel = FindWindowExA(top, nullptr, "PellinoPanel", nullptr); panel;
         panel = FindWindowExA(top, panel, "PellinoPanel", nullptr)) {
        buttons += FindChild(panel, "Button", "Minimize") != nullptr;
        buttons += FindChild(panel, "Button", "E&xit") != nullptr;
    }
    EXPECT_EQ(buttons, 2) << "the bottom bar holds Minimize and E&xit";
}

TEST(Win32Widgets, AMenuBarWhoseItemsEndFirstIsNeverReachedAgain) {
    // A form holds its menu as a member, so the items end before the form's window does. The
    // items live here in storage of the test's own, which is spoiled right after they end: a
    // native menu that still reached back into them would fall over.
    struct Menus {
        MainMenu bar;
        MenuItem file{&bar.Items};
        MenuItem exit{&file};
    };
    alignas(Menus) unsigned char storage[sizeof(Menus)];
    auto* menus = new (storage) Menus;
    menus->file.SetCaption("File");
    menus->exit.SetCaption("Exit");
    TestForm form;
    form.SetMenu(&menus->bar);
    form.Show();
    HWND top = FindWindowA("TPellinoTestForm", "Widget test");
    ASSERT_NE(GetMenu(top), nullptr);
    menus->~Menus();
    std::memset(storage, 0xCD, sizeof storage);
    form.Note.SetText("after the menu");
    form.DestroyPeers();
    EXPECT_FALSE(IsWindow(top)) << "the window went without touching the menu's items";
}

// A drawn control that fails, with an error of no standard kind, while painting or at a double
// click, once armed.
class FailingControl : public CustomControl {
public:
    using CustomControl::CustomControl;
    bool armed = false;
    int paints = 0;
    void Paint(Canvas&) override {
        ++paints;
        if (armed) throw 7;
    }
    void DblClick() override {
        if (armed) throw 8;
    }
};

int FaultCode(const std::exception_ptr& fault) {
    try {
        std::rethrow_exception(fault);
    } catch (int code) {
        return code;
    } catch (...) {
        return -1;
    }
}

// No error leaves a window procedure into the platform: a paint that fails is ended all the same
// (else the platform asks for it again at once, for ever) and its error waits to be shown once,
// after the message, however often the control fails to paint; an error of any kind from another
// handler waits the same way.
TEST(Win32Boundary, AFailureInsideAWindowProcedureIsNotedAndAFailedPaintIsEnded) {
    TestForm form;
    FailingControl failing{&form};
    failing.SetBounds(10, 100, 60, 30);
    form.Show();
    HWND top = FindWindowA("TPellinoTestForm", "Widget test");
    HWND hwnd = FindWindowExA(top, nullptr, "PellinoCustom", nullptr);
    ASSERT_NE(hwnd, nullptr);
    UpdateWindow(hwnd);
    ASSERT_FALSE(Application::TakeNotedFault());

    failing.armed = true;
    const int before = failing.paints;
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
    EXPECT_EQ(failing.paints, before + 1);
    EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE)) << "the failed paint was ended";
    EXPECT_EQ(FaultCode(Application::TakeNotedFault()), 7);

    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
    EXPECT_EQ(failing.paints, before + 2);
    EXPECT_FALSE(Application::TakeNotedFault()) << "a paint that fails again is not told again";

    EXPECT_EQ(SendMessageA(hwnd, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5)), 0);
    EXPECT_EQ(FaultCode(Application::TakeNotedFault()), 8);
    failing.armed = false;
}

}  // namespace
}  // namespace pellino

// clang-format off
// Drives a running PELLINO.EXE from outside, through window messages only.
//
//   pellino-e2e wait CAPTION [MS]        wait until a visible top-level window CAPTION exists
//   pellino-e2e gone CAPTION [MS]        wait until no window CAPTION exists
//   pellino-e2e client CAPTION           print the client size "W H" in screen pixels
//   pellino-e2e rect CAPTION             print the window rectangle "L T R B"
//   pellino-e2e state CAPTION            print "normal", "minimized" or "maximized"
//   pellino-e2e click CAPTION TEXT       post a click to the child button with text TEXT
//   pellino-e2e close CAPTION            post the close command
//   pellino-e2e text CAPTION CLASS N     print the text of the N-th child window of class CLASS
//   pellino-e2e settext CAPTION CLASS N TEXT  set the text of the N-th child window of class CLASS
//   pellino-e2e topmost CAPTION          print "topmost" or "normal" (always on top or not)
//   pellino-e2e focus CAPTION            print the text of the control that has the keyboard focus
//   pellino-e2e selection CAPTION        print the selection "START END" of the field that has the
//                                        keyboard focus
//   pellino-e2e tab CAPTION INDEX        click tab INDEX of the tab strip and wait until it is
//                                        chosen
//   pellino-e2e control CAPTION TEXT     print "visible"/"hidden" and "enabled"/"disabled" of the
//                                        child window with text TEXT
//   pellino-e2e menu CAPTION LETTER      drop down the menu of the window's menu bar whose
//                                        caption has the underlined letter LETTER
//   pellino-e2e key CAPTION CLASS N VK   post the key VK (a decimal virtual key code) to the N-th
//                                        child window of class CLASS, or to the window that has
//                                        the keyboard focus when CLASS is "-"
//   pellino-e2e altkey CAPTION CLASS N VK  the same with Alt held
//   pellino-e2e boxes CAPTION            print how many message boxes CAPTION are on the screen
//   pellino-e2e boxclick CAPTION TEXT    post a click to the button TEXT of message box CAPTION
//   pellino-e2e childrect CAPTION CLASS N  print the screen rectangle "L T R B" of the N-th child
//                                        window of class CLASS
//   pellino-e2e textrect CAPTION TEXT    print the screen rectangle "L T R B" of the child window
//                                        with text TEXT
//   pellino-e2e hover CAPTION TEXT       put the mouse pointer on the middle of the child window
//                                        with text TEXT
//   pellino-e2e launch EXE SHOWCMD       start EXE from the current folder with the show command
//                                        SHOWCMD in its start-up information, and return at once
//   pellino-e2e closetimes CAPTION FILE  post the close command and print, in milliseconds from
//                                        then, when FILE appeared, when it went again and when the
//                                        window's process ended
//   pellino-e2e closekill CAPTION MS [FILE]  post the close command and kill the window's
//                                        process MS milliseconds (a decimal fraction) later; with
//                                        FILE, print whether that file was there at the kill
//   pellino-e2e answers CAPTION MS       for MS milliseconds, send the window null messages one
//                                        after the other and print the longest wait for an answer
//                                        in milliseconds
//   pellino-e2e visible CAPTION          print "visible" or "hidden" (a hidden main window has no
//                                        taskbar button)
//   pellino-e2e foreground CAPTION       print "foreground" when the window is the foreground
//                                        window, else "background"
//   pellino-e2e windows CAPTION          print "CLASS|visible|L T R B" (or hidden) for each
//                                        top-level window captioned CAPTION, shown or not
//   pellino-e2e trayicon MSG [MSG ...]   post the mouse messages MSG (decimal) to the program's
//                                        tray icon window, as the notification area does
//   pellino-e2e front CAPTION            bring the window to the front, as a click on it would
//   pellino-e2e typeat CAPTION VK MS     wait (up to 60 s) for a visible window CAPTION, type the
//                                        key VK on the keyboard the moment it appears and again
//                                        every 50 ms for MS milliseconds; print the milliseconds
//                                        from the appearance to the first key, how many keys were
//                                        typed, and "foreground" or "background" for the window
//                                        at the first key
//   pellino-e2e monitors -               print each monitor's rectangle "L T R B", the primary
//                                        first
//   pellino-e2e otherwindow CAPTION L T W H MS  show a window CAPTION of another program at
//                                        that place, in the foreground, for MS milliseconds
//   pellino-e2e shortcut FILE [FILE ...]  print what each shortcut FILE (a .lnk) starts, as the
//                                        shell reads it: "TARGET|SHOWCMD|FOLDER|ARGUMENTS", the
//                                        show command as the file stores it
//   pellino-e2e focused CAPTION          print "CLASS N" of the window that has the keyboard
//                                        focus: its class and its place among the children of
//                                        CAPTION of that class
//   pellino-e2e clickin CAPTION CLASS N X Y  post a left click at the client point X Y (screen
//                                        pixels) of the N-th child window of class CLASS
//   pellino-e2e pointat X Y              put the mouse pointer on the screen point X Y
//   pellino-e2e fileversion FILE         print the version resource of FILE: "A.B.C.D FILEVERSION
//                                        PRODUCTVERSION", the numbers and the two texts
//   pellino-e2e style CAPTION CLASS N    print the style bits of the N-th child window of class
//                                        CLASS, in hexadecimal
//   pellino-e2e celltext FILE W H DPI TEXT  write FILE, a W x H picture (24-bit BMP) of TEXT as a
//                                        list cell draws it at DPI dots per inch: black Arial 8
//                                        points on white, 2 design pixels in from the left and the
//                                        top, in the middle of the rest, each character as itself
//   pellino-e2e hold FILE SECONDS        hold FILE open without sharing for SECONDS, as another
//                                        program may; print "held" once it holds it and
//                                        "released" when it lets go
//   pellino-e2e endsession CAPTION       send the window the log-off's two messages, as the system
//                                        does as the session ends, and return once it answered
//
// Exit status 0 on success, 1 when the condition was not met in time, 2 on a usage error.
// clang-format on

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// The common controls' and the shell's declarations need those of <windows.h> before them.
#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "../win32/keyboard.h"

namespace {

struct Search {
    const char* caption;
    HWND found;
};

BOOL CALLBACK FindTop(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    char text[512];
    GetWindowTextA(hwnd, text, sizeof text);
    if (std::strcmp(text, search->caption) == 0) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindTopWindow(const char* caption) {
    Search search{caption, nullptr};
    EnumWindows(FindTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Visible message boxes (dialog class) with a caption; a box may share its caption with the
// program's main window.
struct BoxSearch {
    const char* caption;
    int count;
    HWND first;
};

BOOL CALLBACK FindBox(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<BoxSearch*>(data);
    char text[512], cls[64];
    GetWindowTextA(hwnd, text, sizeof text);
    GetClassNameA(hwnd, cls, sizeof cls);
    if (std::strcmp(text, search->caption) == 0 && std::strcmp(cls, "#32770") == 0 &&
        IsWindowVisible(hwnd)) {
        if (!search->first) search->first = hwnd;
        ++search->count;
    }
    return TRUE;
}

struct ChildSearch {
    const char* windowClass;  // null: any
    const char* text;         // null: any
    int index;
    HWND found;
};

BOOL CALLBACK FindChild(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<ChildSearch*>(data);
    char cls[128], text[512];
    GetClassNameA(hwnd, cls, sizeof cls);
    // Window texts of other processes' controls are read with WM_GETTEXT, which always answers.
    SendMessageA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    if (search->windowClass && lstrcmpiA(cls, search->windowClass) != 0) return TRUE;
    if (search->text && std::strcmp(text, search->text) != 0) return TRUE;
    if (search->index-- > 0) return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND FindChildWindow(HWND top, const char* windowClass, const char* text, int index) {
    ChildSearch search{windowClass, text, index, nullptr};
    EnumChildWindows(top, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int WaitFor(const char* caption, int ms, bool present) {
    const DWORD start = GetTickCount();
    for (;;) {
        HWND hwnd = FindTopWindow(caption);
        const bool there = hwnd && IsWindowVisible(hwnd);
        if (there == present) return 0;
        if (static_cast<int>(GetTickCount() - start) > ms) {
            std::fprintf(stderr, "window \"%s\" %s after %d ms\n", caption,
                         present ? "did not appear" : "still there", ms);
            return 1;
        }
        Sleep(50);
    }
}

HWND Require(const char* caption) {
    HWND hwnd = FindTopWindow(caption);
    if (!hwnd) {
        std::fprintf(stderr, "no window \"%s\"\n", caption);
        std::exit(1);
    }
    return hwnd;
}

// The rectangle of a tab of another process's tab strip: the strip writes it into memory of its
// own process, so the driver lends it some and reads it back.
bool TabRect(HWND strip, int index, RECT& rect) {
    DWORD pid = 0;
    GetWindowThreadProcessId(strip, &pid);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return false;
    void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    bool ok = false;
    if (remote) {
        ok = SendMessageA(strip, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(remote)) &&
             ReadProcessMemory(process, remote, &rect, sizeof rect, nullptr);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return ok;
}

// Clicks a tab with the mouse, so the strip itself changes its choice and tells its parent, as it
// does for a user. A user cannot click a window while a modal dialog keeps it disabled, so the
// click waits for the window to take input. The click is given once: it waits in the strip's
// queue until the program takes it, and a click that chooses nothing is the program's fault.
int ClickTab(HWND top, int index) {
    // The program draws its tab strip itself, in a window class of its own that answers a tab
    // control's questions about its tabs.
    HWND strip = FindChildWindow(top, "PellinoTabs", nullptr, 0);
    RECT r;
    if (!strip || !TabRect(strip, index, r)) {
        std::fprintf(stderr, "no tab %d\n", index);
        return 1;
    }
    const DWORD start = GetTickCount();
    while (!IsWindowEnabled(top)) {
        if (GetTickCount() - start > 5000) {
            std::fprintf(stderr, "the window of tab %d stayed disabled\n", index);
            return 1;
        }
        Sleep(20);
    }
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(strip, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(strip, WM_LBUTTONUP, 0, at);
    while (SendMessageA(strip, TCM_GETCURSEL, 0, 0) != index) {
        if (GetTickCount() - start > 10000) {
            std::fprintf(stderr, "tab %d was not chosen; the chosen one is %d\n", index,
                         static_cast<int>(SendMessageA(strip, TCM_GETCURSEL, 0, 0)));
            return 1;
        }
        Sleep(20);
    }
    return 0;
}

// Milliseconds from a start taken with the same clock, to a fraction of a millisecond.
double MsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

// The process of a top-level window, opened to wait for it and to end it.
HANDLE OpenWindowProcess(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (!process) {
        std::fprintf(stderr, "cannot open the process of the window (error %lu)\n", GetLastError());
        std::exit(1);
    }
    return process;
}

// Closes the window and watches a file of its program come and go, polling as fast as the system
// lets it, to find when the program's save begins and ends.
int CloseTimes(HWND hwnd, const char* file) {
    HANDLE process = OpenWindowProcess(hwnd);
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    double appeared = -1, gone = -1;
    while (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
        // A short rest between looks, so the watching takes little from the program it times.
        Sleep(1);
        const bool there = GetFileAttributesA(file) != INVALID_FILE_ATTRIBUTES;
        if (there && appeared < 0) appeared = MsSince(start);
        if (!there && appeared >= 0 && gone < 0) gone = MsSince(start);
        if (MsSince(start) > 120000) {
            std::fprintf(stderr, "the program did not end within 120 s\n");
            CloseHandle(process);
            return 1;
        }
    }
    std::printf("%.1f %.1f %.1f\n", appeared, gone, MsSince(start));
    CloseHandle(process);
    return 0;
}

// Closes the window and kills its process at a chosen moment of what follows, as a power cut or
// the task manager would: nothing of the program runs after it.
int CloseKill(HWND hwnd, double ms, const char* file) {
    HANDLE process = OpenWindowProcess(hwnd);
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    // Waiting by spinning: a sleep of the system would round the moment to its timer's ticks.
    while (MsSince(start) < ms) {
    }
    const bool there = file && GetFileAttributesA(file) != INVALID_FILE_ATTRIBUTES;
    TerminateProcess(process, 9);
    WaitForSingleObject(process, 10000);
    CloseHandle(process);
    if (file) std::printf("%s\n", there ? "there" : "absent");
    return 0;
}

// Posts a key press and its release, as the keyboard would deliver them.
void PostKey(HWND target, WPARAM key) {
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

// Types a key the moment a window appears, and again and again for a while, as a user typing in
// another program would go on typing.
int TypeAt(const char* caption, WORD key, int ms) {
    const ULONGLONG start = GetTickCount64();
    HWND hwnd = nullptr;
    while (!(hwnd = FindTopWindow(caption)) || !IsWindowVisible(hwnd)) {
        if (GetTickCount64() - start > 60000) {
            std::fprintf(stderr, "window \"%s\" did not appear\n", caption);
            return 1;
        }
        Sleep(1);
    }
    LARGE_INTEGER appeared;
    QueryPerformanceCounter(&appeared);
    TypeKey(key);
    const double first = MsSince(appeared);
    const bool foreground = GetForegroundWindow() == hwnd;
    int typed = 1;
    while (MsSince(appeared) + 50 <= ms) {
        Sleep(50);
        TypeKey(key);
        ++typed;
    }
    std::printf("%.1f %d %s\n", first, typed, foreground ? "foreground" : "background");
    return 0;
}

BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM primaryFirst) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoA(monitor, &info);
    const bool primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    if (primary == (primaryFirst != 0)) {
        const RECT& r = info.rcMonitor;
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    }
    return TRUE;
}

// A window of another program, where the user works: shown at a place, in the foreground, for a
// while.
int OtherWindow(const char* caption, int left, int top, int width, int height, int ms) {
    HWND hwnd =
        CreateWindowExA(0, "STATIC", caption, WS_OVERLAPPEDWINDOW | WS_VISIBLE, left, top, width,
                        height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!hwnd) return 1;
    SetForegroundWindow(hwnd);
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
    while (GetTickCount64() < end) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
    DestroyWindow(hwnd);
    return 0;
}

// Finds the place of a child window among the children of its top-level window that share its
// class, in the order the driver's other commands count them.
struct PlaceSearch {
    HWND target;
    char windowClass[128];
    int index;
    bool found;
};

BOOL CALLBACK CountPlace(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<PlaceSearch*>(data);
    if (hwnd == search->target) {
        search->found = true;
        return FALSE;
    }
    char cls[128];
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpiA(cls, search->windowClass) == 0) ++search->index;
    return TRUE;
}

// Writes a picture of a list cell's text as the grid draws it, without taking '&' for an
// accelerator mark, to compare with the screen.
int CellText(const char* file, int width, int height, int dpi, const char* text) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc || !bitmap) return 1;
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HFONT font = CreateFontA(-MulDiv(11, dpi, 96), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial");
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT r{MulDiv(2, dpi, 96), MulDiv(2, dpi, 96), width, height};
    DrawTextA(dc, text, -1, &r, DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_NOPREFIX);
    GdiFlush();
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof(header) + sizeof(info.bmiHeader);
    header.bfSize = header.bfOffBits + static_cast<DWORD>(stride * height);
    FILE* out = std::fopen(file, "wb");
    bool written = out != nullptr;
    if (out) {
        written = std::fwrite(&header, sizeof header, 1, out) == 1 &&
                  std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                  std::fwrite(bits, static_cast<std::size_t>(stride * height), 1, out) == 1;
        written = std::fclose(out) == 0 && written;
    }
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(font);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return written ? 0 : 1;
}

// Prints a top-level window whose caption is the one given: class, shown or not, rectangle.
BOOL CALLBACK PrintCaptioned(HWND hwnd, LPARAM caption) {
    char text[256] = "", cls[128] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    if (std::strcmp(text, reinterpret_cast<const char*>(caption)) != 0) return TRUE;
    GetClassNameA(hwnd, cls, sizeof cls);
    RECT r;
    GetWindowRect(hwnd, &r);
    std::printf("%s|%s|%ld %ld %ld %ld\n", cls, IsWindowVisible(hwnd) ? "visible" : "hidden",
                r.left, r.top, r.right, r.bottom);
    return TRUE;
}

// The show command stored in a shortcut file: the 32-bit number at offset 0x3C of its header.
// Wine's link component reads every shortcut as a normal one (1) and starts it so, so the test
// reads what the file asks of Windows itself.
int StoredShowCommand(const char* file) {
    std::FILE* in = std::fopen(file, "rb");
    unsigned char header[0x40] = {};
    const bool read = in && std::fread(header, 1, sizeof header, in) == sizeof header;
    if (in) std::fclose(in);
    if (!read) return -1;
    return header[0x3C] | header[0x3D] << 8 | header[0x3E] << 16 | header[0x3F] << 24;
}

// Reads a shortcut through the shell's own link component, the one that starts it at a log-on or
// from the Start menu.
int PrintShortcut(const char* file) {
    if (FAILED(CoInitialize(nullptr))) return 1;
    IShellLinkA* link = nullptr;
    IPersistFile* persist = nullptr;
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, file, -1, wide, MAX_PATH);
    char target[MAX_PATH] = "", folder[MAX_PATH] = "", arguments[MAX_PATH] = "";
    const bool read =
        SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
        SUCCEEDED(persist->Load(wide, STGM_READ)) &&
        SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, 0)) &&
        SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH)) &&
        SUCCEEDED(link->GetArguments(arguments, MAX_PATH));
    if (persist) persist->Release();
    if (link) link->Release();
    CoUninitialize();
    if (!read) {
        std::fprintf(stderr, "cannot read the shortcut %s\n", file);
        return 1;
    }
    std::printf("%s|%d|%s|%s\n", target, StoredShowCommand(file), folder, arguments);
    return 0;
}

// Holds a file open without sharing for some seconds, as a sync client or a virus scanner may;
// prints "held" as soon as it holds it.
int HoldFile(const char* path, int seconds) {
    HANDLE file = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot hold %s (error %lu)\n", path, GetLastError());
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(seconds) * 1000);
    CloseHandle(file);
    std::printf("released\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: pellino-e2e COMMAND CAPTION [ARGS]\n");
        return 2;
    }
    const std::string command = argv[1];
    const char* caption = argv[2];
    const int ms = argc > 3 ? std::atoi(argv[3]) : 10000;
    if (command == "wait") return WaitFor(caption, ms, true);
    if (command == "gone") return WaitFor(caption, ms, false);
    if (command == "client") {
        RECT r;
        GetClientRect(Require(caption), &r);
        std::printf("%ld %ld\n", r.right, r.bottom);
        return 0;
    }
    if (command == "rect") {
        RECT r;
        GetWindowRect(Require(caption), &r);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        return 0;
    }
    if (command == "state") {
        HWND hwnd = Require(caption);
        std::printf("%s\n", IsIconic(hwnd) ? "minimized" : IsZoomed(hwnd) ? "maximized" : "normal");
        return 0;
    }
    if (command == "click" && argc > 3) {
        HWND button = FindChildWindow(Require(caption), "Button", argv[3], 0);
        if (!button) {
            std::fprintf(stderr, "no button \"%s\" in \"%s\"\n", argv[3], caption);
            return 1;
        }
        // Posted, not sent: a click that opens a modal box would otherwise block the driver.
        PostMessageA(button, BM_CLICK, 0, 0);
        return 0;
    }
    if (command == "rightclick" && argc > 3) {
        // A right click in the middle of a button, as the mouse delivers it: the platform turns
        // the release into a request for a menu.
        HWND button = FindChildWindow(Require(caption), "Button", argv[3], 0);
        if (!button) {
            std::fprintf(stderr, "no button \"%s\" in \"%s\"\n", argv[3], caption);
            return 1;
        }
        RECT r;
        GetClientRect(button, &r);
        const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
        PostMessageA(button, WM_RBUTTONDOWN, MK_RBUTTON, at);
        PostMessageA(button, WM_RBUTTONUP, 0, at);
        return 0;
    }
    if (command == "syscolor") {
        // A system colour by its index (the caption argument), as "#RRGGBB".
        const COLORREF c = GetSysColor(std::atoi(caption));
        std::printf("#%02X%02X%02X\n", GetRValue(c), GetGValue(c), GetBValue(c));
        return 0;
    }
    if (command == "menu" && argc > 3) {
        // As Alt and the letter do: the menu of the bar whose caption has that underlined letter
        // drops down, its first item highlighted. Another process's menus cannot be read, so the
        // items are then chosen with keys.
        PostMessageA(Require(caption), WM_SYSCOMMAND, SC_KEYMENU,
                     static_cast<LPARAM>(static_cast<unsigned char>(argv[3][0])));
        return 0;
    }
    if ((command == "key" || command == "altkey") && argc > 5) {
        HWND top = Require(caption);
        HWND target = nullptr;
        if (std::strcmp(argv[3], "-") == 0) {
            GUITHREADINFO info{};
            info.cbSize = sizeof(info);
            // While a menu is dropped down nothing has the focus: the menu's owner takes the
            // keys, and the menu reads them from its thread's queue.
            if (GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info)) {
                target = info.hwndFocus ? info.hwndFocus : info.hwndMenuOwner;
            }
            if (!target) target = top;
        } else {
            target = FindChildWindow(top, argv[3], nullptr, std::atoi(argv[4]));
        }
        if (!target) {
            std::fprintf(stderr, "no window to take the key in \"%s\"\n", caption);
            return 1;
        }
        const auto key = static_cast<WPARAM>(std::atoi(argv[5]));
        if (command == "altkey") {
            // Bit 29 of the key data says Alt is held; the system then translates the key into
            // the character that picks a control's underlined letter.
            PostMessageA(target, WM_SYSKEYDOWN, key, static_cast<LPARAM>(0x20000001u));
            PostMessageA(target, WM_SYSKEYUP, key, static_cast<LPARAM>(0xE0000001u));
        } else {
            PostKey(target, key);
        }
        return 0;
    }
    if (command == "settext" && argc > 5) {
        HWND child = FindChildWindow(Require(caption), argv[3], nullptr, std::atoi(argv[4]));
        if (!child) return 1;
        SendMessageA(child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[5]));
        return 0;
    }
    if (command == "close") {
        PostMessageA(Require(caption), WM_CLOSE, 0, 0);
        return 0;
    }
    if (command == "text" && argc > 4) {
        HWND child = FindChildWindow(Require(caption), argv[3], nullptr, std::atoi(argv[4]));
        if (!child) return 1;
        char text[1024];
        SendMessageA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        std::printf("%s\n", text);
        return 0;
    }
    if (command == "tab" && argc > 3) return ClickTab(Require(caption), std::atoi(argv[3]));
    if (command == "boxes" || command == "boxclick") {
        BoxSearch search{caption, 0, nullptr};
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (command == "boxes") {
            std::printf("%d\n", search.count);
            return 0;
        }
        HWND button = search.first && argc > 3 ? FindChildWindow(search.first, "Button", argv[3], 0)
                                               : nullptr;
        if (!button) {
            std::fprintf(stderr, "no message box \"%s\" with a button\n", caption);
            return 1;
        }
        PostMessageA(button, BM_CLICK, 0, 0);
        return 0;
    }
    if (command == "childrect" && argc > 4) {
        HWND child = FindChildWindow(Require(caption), argv[3], nullptr, std::atoi(argv[4]));
        if (!child) return 1;
        RECT r;
        GetWindowRect(child, &r);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        return 0;
    }
    if (command == "textrect" && argc > 3) {
        HWND child = FindChildWindow(Require(caption), nullptr, argv[3], 0);
        if (!child) return 1;
        RECT r;
        GetWindowRect(child, &r);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        return 0;
    }
    if (command == "hover" && argc > 3) {
        HWND child = FindChildWindow(Require(caption), nullptr, argv[3], 0);
        if (!child) return 1;
        RECT r;
        GetWindowRect(child, &r);
        SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        return 0;
    }
    if (command == "control" && argc > 3) {
        HWND child = FindChildWindow(Require(caption), nullptr, argv[3], 0);
        if (!child) {
            std::fprintf(stderr, "no window \"%s\" in \"%s\"\n", argv[3], caption);
            return 1;
        }
        std::printf("%s %s\n", IsWindowVisible(child) ? "visible" : "hidden",
                    IsWindowEnabled(child) ? "enabled" : "disabled");
        return 0;
    }
    if (command == "answers" && argc > 3) {
        HWND hwnd = Require(caption);
        const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(std::atoi(argv[3]));
        ULONGLONG longest = 0;
        while (GetTickCount64() < end) {
            const ULONGLONG sent = GetTickCount64();
            DWORD_PTR result = 0;
            SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &result);
            const ULONGLONG waited = GetTickCount64() - sent;
            if (waited > longest) longest = waited;
            Sleep(5);
        }
        std::printf("%llu\n", longest);
        return 0;
    }
    if (command == "visible") {
        std::printf("%s\n", IsWindowVisible(Require(caption)) ? "visible" : "hidden");
        return 0;
    }
    if (command == "foreground") {
        std::printf("%s\n",
                    GetForegroundWindow() == Require(caption) ? "foreground" : "background");
        return 0;
    }
    if (command == "front") {
        HWND hwnd = Require(caption);
        SetForegroundWindow(hwnd);
        BringWindowToTop(hwnd);
        return 0;
    }
    if (command == "windows") {
        // Hidden windows too: the notification area's own window shows only while it holds icons.
        EnumWindows(PrintCaptioned, reinterpret_cast<LPARAM>(caption));
        return 0;
    }
    if (command == "trayicon") {
        // The notification area tells the icon's window of the mouse with the icon's callback
        // message (1124), the mouse message in the last argument and the icon's id (42) in the
        // first.
        HWND icon = FindWindowA("PellinoTrayIcon", nullptr);
        if (!icon) {
            std::fprintf(stderr, "no tray icon window\n");
            return 1;
        }
        for (int i = 2; i < argc; ++i) {
            PostMessageA(icon, WM_USER + 100, 42, std::atoi(argv[i]));
            Sleep(30);
        }
        return 0;
    }
    if (command == "topmost") {
        const LONG exStyle = GetWindowLongA(Require(caption), GWL_EXSTYLE);
        std::printf("%s\n", (exStyle & WS_EX_TOPMOST) ? "topmost" : "normal");
        return 0;
    }
    if (command == "focus") {
        // The focus belongs to the window's thread, which is another process's.
        HWND hwnd = Require(caption);
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info) || !info.hwndFocus) {
            return 1;
        }
        char text[1024];
        SendMessageA(info.hwndFocus, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        std::printf("%s\n", text);
        return 0;
    }
    if (command == "selection") {
        HWND hwnd = Require(caption);
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info) || !info.hwndFocus) {
            return 1;
        }
        // The answer carries both ends; the pointers, which would be the other process's, stay
        // null.
        const auto ends = static_cast<DWORD>(SendMessageA(info.hwndFocus, EM_GETSEL, 0, 0));
        std::printf("%u %u\n", LOWORD(ends), HIWORD(ends));
        return 0;
    }
    if (command == "shortcut") {
        for (int i = 2; i < argc; ++i) {
            if (PrintShortcut(argv[i]) != 0) return 1;
        }
        return 0;
    }
    if (command == "focused") {
        HWND top = Require(caption);
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info) || !info.hwndFocus) {
            std::printf("none\n");
            return 0;
        }
        PlaceSearch search{info.hwndFocus, "", 0, false};
        GetClassNameA(info.hwndFocus, search.windowClass, sizeof search.windowClass);
        EnumChildWindows(top, CountPlace, reinterpret_cast<LPARAM>(&search));
        if (!search.found) {
            std::printf("%s outside\n", search.windowClass);
            return 0;
        }
        std::printf("%s %d\n", search.windowClass, search.index);
        return 0;
    }
    if (command == "clickin" && argc > 6) {
        HWND child = FindChildWindow(Require(caption), argv[3], nullptr, std::atoi(argv[4]));
        if (!child) return 1;
        const LPARAM at = MAKELPARAM(std::atoi(argv[5]), std::atoi(argv[6]));
        PostMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(child, WM_LBUTTONUP, 0, at);
        return 0;
    }
    if (command == "fileversion") {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(caption, &ignored);
        std::string data(size, '\0');
        if (size == 0 || !GetFileVersionInfoA(caption, 0, size, data.data())) {
            std::fprintf(stderr, "no version resource in %s\n", caption);
            return 1;
        }
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length)) return 1;
        std::printf("%d.%d.%d.%d", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                    HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
        for (const char* name : {"FileVersion", "ProductVersion"}) {
            char* text = nullptr;
            const std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
            if (!VerQueryValueA(data.data(), path.c_str(), reinterpret_cast<void**>(&text),
                                &length)) {
                return 1;
            }
            std::printf(" %s", text);
        }
        std::printf("\n");
        return 0;
    }
    if (command == "pointat" && argc > 3) {
        SetCursorPos(std::atoi(caption), std::atoi(argv[3]));
        return 0;
    }
    if (command == "style" && argc > 4) {
        HWND child = FindChildWindow(Require(caption), argv[3], nullptr, std::atoi(argv[4]));
        if (!child) return 1;
        std::printf("%08lx\n", static_cast<unsigned long>(GetWindowLongA(child, GWL_STYLE)));
        return 0;
    }
    if (command == "celltext" && argc > 6) {
        return CellText(caption, std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                        argv[6]);
    }
    if (command == "closetimes" && argc > 3) return CloseTimes(Require(caption), argv[3]);
    if (command == "closekill" && argc > 3) {
        return CloseKill(Require(caption), std::atof(argv[3]), argc > 4 ? argv[4] : nullptr);
    }
    if (command == "launch" && argc > 3) {
        // As a shortcut set to "Run: Minimized" starts a program: the show command travels in the
        // start-up information.
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(std::atoi(argv[3]));
        // The full path: a bare name would be looked for in the driver's own folder first.
        char path[MAX_PATH];
        if (!GetFullPathNameA(caption, MAX_PATH, path, nullptr)) return 1;
        std::string commandLine = std::string("\"") + path + "\"";
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(path, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process)) {
            std::fprintf(stderr, "cannot start %s (error %lu)\n", caption, GetLastError());
            return 1;
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return 0;
    }
    if (command == "typeat" && argc > 4) {
        return TypeAt(caption, static_cast<WORD>(std::atoi(argv[3])), std::atoi(argv[4]));
    }
    if (command == "monitors") {
        EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 1);
        EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 0);
        return 0;
    }
    if (command == "otherwindow" && argc > 7) {
        return OtherWindow(caption, std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                           std::atoi(argv[6]), std::atoi(argv[7]));
    }
    if (command == "hold" && argc > 3) return HoldFile(caption, std::atoi(argv[3]));
    if (command == "endsession") {
        // The system asks first, then tells; the process may be ended as soon as the second
        // message has been answered.
        const HWND window = Require(caption);
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                 SMTO_ABORTIFHUNG, 5000, &answer) ||
            !answer) {
            std::fprintf(stderr, "the window held the log-off up\n");
            return 1;
        }
        return SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF,
                                   SMTO_ABORTIFHUNG, 10000, &answer)
                   ? 0
                   : 1;
    }
    std::fprintf(stderr, "unknown command %s\n", command.c_str());
    return 2;
}

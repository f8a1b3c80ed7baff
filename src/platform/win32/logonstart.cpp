// The user's log-on start: the shortcut in the Startup folder, written and read through the
// shell's link component, and the value under the user's Run key. None of the calls is imported:
// the shell's folder and link calls, the component library (ole32) and the registry (advapi32)
// are looked up when they are first needed, so the program loads on every system it names, and a
// system without one of them only lacks that way of starting.
#include "platform/logonstart.h"

#include <algorithm>

#include "platform/win32/win32.h"
// The component and shell declarations need those of <windows.h> before them.
#include <objbase.h>
#include <shlobj.h>

namespace pellino {

namespace {

// What the fake of the tests answers too: the system cannot make shortcuts.
constexpr unsigned long kNotSupported = ERROR_NOT_SUPPORTED;
constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The shell's link component and the two of its interfaces used here, by their numbers.
constexpr GUID kShellLinkClass = {
    0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kShellLinkA = {
    0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kPersistFile = {
    0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// The calls of the shell and of the component library, in every version from the first Windows
// 95 and NT 4.0 on, looked up once. The library stays loaded for the rest of the process.
struct ShellCalls {
    HRESULT(WINAPI* folderLocation)
    (HWND, int, LPITEMIDLIST*) = win32::LibraryFunction<decltype(folderLocation)>(
        "shell32.dll", "SHGetSpecialFolderLocation");
    BOOL(WINAPI* pathFromIdList)(LPCITEMIDLIST, LPSTR) = PathFromIdList();
    HRESULT(WINAPI* getMalloc)
    (IMalloc**) = win32::LibraryFunction<decltype(getMalloc)>("shell32.dll", "SHGetMalloc");
    HRESULT(WINAPI* initialize)
    (LPVOID) = win32::LibraryFunction<decltype(initialize)>("ole32.dll", "CoInitialize");
    void(WINAPI* uninitialize)() = win32::LibraryFunction<decltype(uninitialize)>("ole32.dll",
                                                                                  "CoUninitialize");
    HRESULT(WINAPI* createInstance)
    (REFCLSID, LPUNKNOWN, DWORD, REFIID,
     LPVOID*) = win32::LibraryFunction<decltype(createInstance)>("ole32.dll", "CoCreateInstance");

    bool HaveFolders() const { return folderLocation && pathFromIdList && getMalloc; }
    bool HaveLinks() const { return initialize && uninitialize && createInstance; }

private:
    // The first Windows 95 names the call without the A of its later versions.
    static decltype(pathFromIdList) PathFromIdList() {
        auto call =
            win32::LibraryFunction<decltype(pathFromIdList)>("shell32.dll", "SHGetPathFromIDListA");
        return call ? call
                    : win32::LibraryFunction<decltype(pathFromIdList)>("shell32.dll",
                                                                       "SHGetPathFromIDList");
    }
};

const ShellCalls& Shell() {
    static const ShellCalls calls;
    return calls;
}

// The user's Startup folder with a trailing backslash, or "" where the system has none.
std::string StartupFolder() {
    const ShellCalls& shell = Shell();
    if (!shell.HaveFolders()) return {};
    LPITEMIDLIST location = nullptr;
    if (FAILED(shell.folderLocation(nullptr, CSIDL_STARTUP, &location)) || !location) return {};
    char path[MAX_PATH] = "";
    const BOOL found = shell.pathFromIdList(location, path);
    IMalloc* memory = nullptr;
    if (SUCCEEDED(shell.getMalloc(&memory)) && memory) {
        memory->Free(location);
        memory->Release();
    }
    if (!found || !path[0]) return {};
    std::string folder = path;
    if (folder.back() != '\\') folder += '\\';
    return folder;
}

// The platform's error code inside a component result (access denied comes as 0x80070005).
unsigned long ErrorOf(HRESULT result) {
    if (HRESULT_FACILITY(result) == FACILITY_WIN32) return HRESULT_CODE(result);
    return static_cast<unsigned long>(result);
}

std::wstring Wide(const std::string& text) {
    const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(n > 0 ? static_cast<std::size_t>(n) : 1u, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
    return wide;
}

// One shell link object with its file interface, inside the component library's use by this
// thread; everything is released at the end of the scope.
class ShellLink {
public:
    ShellLink() {
        const ShellCalls& shell = Shell();
        if (!shell.HaveLinks()) {
            result_ = HRESULT_FROM_WIN32(kNotSupported);
            return;
        }
        // A thread that uses the library already (for a file dialog) keeps its own setting;
        // the library is then not ended here either.
        initialized_ = SUCCEEDED(shell.initialize(nullptr));
        result_ = shell.createInstance(kShellLinkClass, nullptr, CLSCTX_INPROC_SERVER, kShellLinkA,
                                       reinterpret_cast<void**>(&link_));
        if (SUCCEEDED(result_)) {
            result_ = link_->QueryInterface(kPersistFile, reinterpret_cast<void**>(&file_));
        }
    }
    ~ShellLink() {
        if (file_) file_->Release();
        if (link_) link_->Release();
        if (initialized_) Shell().uninitialize();
    }
    ShellLink(const ShellLink&) = delete;
    ShellLink& operator=(const ShellLink&) = delete;

    // The failure of the making, or S_OK.
    HRESULT Result() const { return result_; }
    IShellLinkA& Link() { return *link_; }
    IPersistFile& File() { return *file_; }

private:
    IShellLinkA* link_ = nullptr;   // owned
    IPersistFile* file_ = nullptr;  // owned
    HRESULT result_ = E_FAIL;
    bool initialized_ = false;
};

std::string Text(HRESULT (STDMETHODCALLTYPE IShellLinkA::*get)(LPSTR, int), IShellLinkA& link) {
    char text[MAX_PATH] = "";
    if (FAILED((link.*get)(text, MAX_PATH))) return {};
    return text;
}

// The user's Run key, opened for the access asked; null when it cannot be.
class RunKey {
public:
    RunKey(REGSAM access, bool create) {
        using OpenFn = LONG(WINAPI*)(HKEY, LPCSTR, DWORD, REGSAM, PHKEY);
        using CreateFn = LONG(WINAPI*)(HKEY, LPCSTR, DWORD, LPSTR, DWORD, REGSAM,
                                       LPSECURITY_ATTRIBUTES, PHKEY, LPDWORD);
        if (create) {
            const auto createKey =
                win32::LibraryFunction<CreateFn>("advapi32.dll", "RegCreateKeyExA");
            error_ = createKey ? createKey(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, access,
                                           nullptr, &key_, nullptr)
                               : kNotSupported;
        } else {
            const auto openKey = win32::LibraryFunction<OpenFn>("advapi32.dll", "RegOpenKeyExA");
            error_ =
                openKey ? openKey(HKEY_CURRENT_USER, kRunKey, 0, access, &key_) : kNotSupported;
        }
        if (error_ != ERROR_SUCCESS) key_ = nullptr;
    }
    ~RunKey() {
        using CloseFn = LONG(WINAPI*)(HKEY);
        if (key_) win32::LibraryFunction<CloseFn>("advapi32.dll", "RegCloseKey")(key_);
    }
    RunKey(const RunKey&) = delete;
    RunKey& operator=(const RunKey&) = delete;

    HKEY Handle() const { return key_; }
    unsigned long Error() const { return error_; }

private:
    HKEY key_ = nullptr;  // owned
    unsigned long error_ = 0;
};

}  // namespace

bool CanMakeStartupShortcuts() {
    return !StartupFolder().empty() && SUCCEEDED(ShellLink().Result());
}

std::string StartupShortcutPath(const std::string& name) {
    const std::string folder = StartupFolder();
    return folder.empty() ? folder : folder + name + ".lnk";
}

std::optional<ShortcutInfo> ReadStartupShortcut(const std::string& name) {
    const std::string path = StartupShortcutPath(name);
    if (path.empty() || GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return {};
    ShellLink shortcut;
    if (FAILED(shortcut.Result()) || FAILED(shortcut.File().Load(Wide(path).c_str(), STGM_READ))) {
        return {};
    }
    IShellLinkA& link = shortcut.Link();
    ShortcutInfo info;
    char target[MAX_PATH] = "";
    if (FAILED(link.GetPath(target, MAX_PATH, nullptr, 0))) return {};
    info.target = target;
    int show = SW_SHOWNORMAL;
    if (SUCCEEDED(link.GetShowCmd(&show))) info.showCommand = show;
    info.workingFolder = Text(&IShellLinkA::GetWorkingDirectory, link);
    info.description = Text(&IShellLinkA::GetDescription, link);
    return info;
}

unsigned long WriteStartupShortcut(const std::string& name, const ShortcutInfo& shortcut) {
    const std::string path = StartupShortcutPath(name);
    if (path.empty()) return kNotSupported;
    ShellLink link;
    HRESULT result = link.Result();
    if (SUCCEEDED(result)) result = link.Link().SetPath(shortcut.target.c_str());
    if (SUCCEEDED(result)) result = link.Link().SetWorkingDirectory(shortcut.workingFolder.c_str());
    if (SUCCEEDED(result)) result = link.Link().SetShowCmd(shortcut.showCommand);
    if (SUCCEEDED(result)) result = link.Link().SetDescription(shortcut.description.c_str());
    if (SUCCEEDED(result)) result = link.File().Save(Wide(path).c_str(), TRUE);
    return SUCCEEDED(result) ? 0 : ErrorOf(result);
}

unsigned long DeleteStartupShortcut(const std::string& name) {
    const std::string path = StartupShortcutPath(name);
    if (path.empty() || DeleteFileA(path.c_str())) return 0;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? 0 : error;
}

std::optional<std::string> ReadRunValue(const std::string& name) {
    using QueryFn = LONG(WINAPI*)(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
    const auto query = win32::LibraryFunction<QueryFn>("advapi32.dll", "RegQueryValueExA");
    const RunKey key(KEY_QUERY_VALUE, false);
    if (!query || !key.Handle()) return {};
    DWORD type = 0, size = 0;
    if (query(key.Handle(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return {};
    }
    std::string value(size, '\0');
    if (query(key.Handle(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
              &size) != ERROR_SUCCESS) {
        return {};
    }
    // The stored text may or may not end in its terminating zero.
    value.resize(std::min<std::size_t>(size, value.size()));
    while (!value.empty() && value.back() == '\0') value.pop_back();
    return value;
}

unsigned long WriteRunValue(const std::string& name, const std::string& commandLine) {
    using SetFn = LONG(WINAPI*)(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD);
    const auto set = win32::LibraryFunction<SetFn>("advapi32.dll", "RegSetValueExA");
    const RunKey key(KEY_SET_VALUE, true);
    if (!key.Handle()) return key.Error();
    if (!set) return kNotSupported;
    return static_cast<unsigned long>(set(key.Handle(), name.c_str(), 0, REG_SZ,
                                          reinterpret_cast<const BYTE*>(commandLine.c_str()),
                                          static_cast<DWORD>(commandLine.size() + 1)));
}

unsigned long DeleteRunValue(const std::string& name) {
    using DeleteFn = LONG(WINAPI*)(HKEY, LPCSTR);
    const auto remove = win32::LibraryFunction<DeleteFn>("advapi32.dll", "RegDeleteValueA");
    const RunKey key(KEY_SET_VALUE, false);
    if (key.Error() == ERROR_FILE_NOT_FOUND) return 0;
    if (!key.Handle()) return key.Error();
    if (!remove) return kNotSupported;
    const LONG error = remove(key.Handle(), name.c_str());
    return error == ERROR_FILE_NOT_FOUND ? 0 : static_cast<unsigned long>(error);
}

}  // namespace pellino

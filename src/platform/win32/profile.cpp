#include "platform/profile.h"

#include <vector>

#include "platform/win32/win32.h"

namespace pellino {

std::string ReadProfileKey(const std::string& file, const std::string& section,
                           const std::string& key, const std::string& fallback) {
    // The platform cuts a text that does not fit the buffer and then reports the buffer's size
    // less one, so the buffer grows until the whole text fits.
    std::vector<char> buffer(1024);
    for (;;) {
        const DWORD n =
            GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                                     static_cast<DWORD>(buffer.size()), file.c_str());
        if (n + 1 < buffer.size()) return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

bool WriteProfileKey(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) !=
           0;
}

}  // namespace pellino

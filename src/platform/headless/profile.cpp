#include "platform/profile.h"

#include <cctype>
#include <set>

#include "platform/headless/testing.h"
#include "platform/inifile.h"

namespace pellino {

namespace {

std::string UpperPath(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::set<std::string>& ReadOnlyFiles() {
    static std::set<std::string> files;
    return files;
}

}  // namespace

std::string ReadProfileKey(const std::string& file, const std::string& section,
                           const std::string& key, const std::string& fallback) {
    return IniDocument::Load(headless::HostPath(file)).Read(section, key).value_or(fallback);
}

bool WriteProfileKey(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) {
    const std::string host = headless::HostPath(file);
    IniDocument doc = IniDocument::Load(host);
    // As on the platform, a value that is already there needs no write and so cannot be refused.
    if (!doc.Write(section, key, value)) return true;
    if (ReadOnlyFiles().count(UpperPath(file))) return false;
    return doc.SaveTo(host);
}

namespace headless {

void SetReadOnly(const std::string& programPath, bool readOnly) {
    if (readOnly) {
        ReadOnlyFiles().insert(UpperPath(programPath));
    } else {
        ReadOnlyFiles().erase(UpperPath(programPath));
    }
}

void ResetProfiles() {
    ReadOnlyFiles().clear();
}

}  // namespace headless

}  // namespace pellino

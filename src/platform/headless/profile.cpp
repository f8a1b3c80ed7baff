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
    // As on the platform, which opens the file for writing before it compares: a file that
    // cannot be written refuses even a value that is already there.
    if (ReadOnlyFiles().count(UpperPath(file))) return false;
    IniDocument doc = IniDocument::Load(host);
    if (!doc.Write(section, key, value)) return true;
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

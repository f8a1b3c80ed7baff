#pragma once

// Reading and writing the settings file's bytes directly, beside the program's own access.

#include <fstream>
#include <iterator>
#include <string>

#include "model/settings.h"
#include "platform/headless/testing.h"

namespace pellino::inifiles {

inline std::string HostIni() {
    return headless::HostPath(SettingsFilePath());
}

inline void WriteIni(const std::string& bytes) {
    std::ofstream out(HostIni(), std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string ReadIni() {
    std::ifstream in(HostIni(), std::ios::binary);
    return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace pellino::inifiles

#include "schedule/wavefile.h"

#include <string>

#include "runtime/strings.h"

namespace pellino {

bool NamesWaveFile(std::string_view path) {
    return UpperCase(path).find(".WAV") != std::string::npos;
}

}  // namespace pellino

#pragma once

#include <string_view>

namespace pellino {

// Whether a chosen file's path names a wave file: ".WAV" anywhere in it, in any case. The file
// dialogs accept nothing else as a reminder's sound.
bool NamesWaveFile(std::string_view path);

}  // namespace pellino

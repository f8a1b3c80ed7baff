#pragma once

#include <string>

namespace pellino {

// Plays a wave file once, asynchronously: the call returns at once, a new request replaces a sound
// still playing. An empty path or a missing file is handed to the player all the same.
void PlayWaveAsync(const std::string& path);
// Stops any sound that is playing.
void StopWave();

}  // namespace pellino

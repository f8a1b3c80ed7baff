#pragma once

#include <string>

namespace pellino {

// Plays a wave file once, asynchronously: the call returns at once, a new request replaces a sound
// still playing. An empty path or a missing file is handed to the player all the same (it may play
// the system's default sound for it). True only when the file itself can be read and the player
// took it: false for an empty path, a file that is missing or cannot be read, and a player that
// refused (no sound device).
bool PlayWaveAsync(const std::string& path);
// Stops any sound that is playing.
void StopWave();

}  // namespace pellino

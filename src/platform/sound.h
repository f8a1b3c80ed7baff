#pragma once

#include <string>

namespace pellino {

// Plays a wave file once, asynchronously: the call returns at once, a new request replaces a sound
// still playing. An empty path or a missing file is handed to the player all the same (it may play
// the system's default sound for it). True only when the file itself can be read, the system has
// a device to play it on, and the player took it: false for an empty path, a file that is missing
// or cannot be read, a system without a sound device, and a player that refused.
bool PlayWaveAsync(const std::string& path);
// Stops any sound that is playing.
void StopWave();

}  // namespace pellino

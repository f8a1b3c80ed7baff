#pragma once

#include <string>

namespace pellino {

// The show command the process was started with (the platform's values: 1 normal, 2 minimised,
// 3 maximised, 6 minimise, 7 minimised without activating, 10 default).
int StartupShowCommand();
// The show command from the process's start-up information, used when the first is 10.
int StartupInfoShowCommand();

// True on the Windows 95 family of platforms, false on the NT family.
bool IsWindows95Family();

// The platform's version as it reports it: the family (1 the Windows 95 family, 2 the NT family)
// and the version number (4.10 for Windows 98, 5.1 for Windows XP, 6.0 for Windows Vista).
struct PlatformVersion {
    int platformId = 2;
    int major = 0;
    int minor = 0;
};
PlatformVersion CurrentPlatformVersion();

}  // namespace pellino

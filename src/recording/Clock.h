#pragma once
// The wall clock that the recording files read: seconds since the epoch. The program uses
// the system clock; tests hand in a fixed or stepping one.

#include <ctime>
#include <functional>

using WallClock = std::function<std::time_t()>;

inline std::time_t SystemWallClock()
{
    return std::time(nullptr);
}

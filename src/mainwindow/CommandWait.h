#pragma once
// Waiting on the user-interface thread for the reply to a receiver command: the command
// state is polled (an atomic read) with a short sleep between polls until it leaves 1
// (waiting). Past the limit the wait counts as failed (state 3). No events are handled
// while waiting, so no other notification can run in the middle of the step.

#include <chrono>

#include "receiver/WaveIoInterface.h"

inline constexpr int kCommandIdle = 0;
inline constexpr int kCommandWaiting = 1;
inline constexpr int kCommandDone = 2;
inline constexpr int kCommandFailed = 3;

int WaitForCommandReply(const IWaveIo& waveIo, std::chrono::milliseconds limit);

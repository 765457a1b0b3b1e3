#pragma once
// Waiting on the user-interface thread for the reply to a receiver command: the command
// state is polled (an atomic read) with a short sleep between polls until it leaves
// "waiting". Past the limit the wait counts as failed. No events are handled while waiting,
// so no other notification can run in the middle of the step.

#include <chrono>

#include "receiver/Protocol.h"
#include "receiver/WaveIoInterface.h"

// The state the wait ended in: kStateDone or kStateFailed (or kStateIdle when the command
// was taken back meanwhile).
int WaitForCommandReply(const IWaveIo& waveIo, std::chrono::milliseconds limit);

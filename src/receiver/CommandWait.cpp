#include "receiver/CommandWait.h"

#include <thread>

int WaitForCommandReply(const IWaveIo& waveIo, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        const int state = waveIo.GetCommandState();
        if (state != kStateWaiting)
            return state;
        if (std::chrono::steady_clock::now() >= deadline)
            return kStateFailed;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

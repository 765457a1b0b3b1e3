// Fuzzes the receiver link's byte intake: replies and data frames mixed with commands and
// time-outs, in the order the input gives. Each record of the input is one operation:
//   op byte, then for op 1 a length byte and that many bytes.
//   op % 5: 0 begin a command (next byte: its id), 1 feed a chunk, 2 time-out,
//           3 cancel the command, 4 fetch samples and take the queued frames.
#include <cstddef>
#include <cstdint>

#include "receiver/SerialIo.h"

namespace {

class NullSink : public ILinkSink {
public:
    void Post(int, std::uint32_t) override {}
};

void Drain(CSerialIo& link)
{
    float samples[kBlockValues];
    link.GetSamples(kSampleRate, samples);
    sFrameSnapshot frame;
    while (link.TakeFrame(frame)) {
        if (frame.sequence > frame.highestSequence)
            __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    NullSink sink;
    CSerialIo link;
    link.SetOwner(&sink);
    std::size_t at = 0;
    while (at < size) {
        const int op = data[at++] % 5;
        switch (op) {
        case 0:
            if (at < size) {
                link.SetCommandState(kStateWaiting);
                link.BeginCommand(data[at++] % 13);
            }
            break;
        case 1: {
            if (at >= size)
                break;
            std::size_t length = data[at++];
            if (length == 255)
                length = 780;  // one frame in a single chunk
            if (length > size - at)
                length = size - at;
            link.OnChunk(data + at, static_cast<int>(length));
            at += length;
            break;
        }
        case 2: link.OnReceiveTimeout(); break;
        case 3: link.CancelCommand(); break;
        default: Drain(link); break;
        }
    }
    Drain(link);
    (void)link.GetReceiverName();
    (void)link.GetFirmwareVersion();
    (void)link.GetReceiverClock();
    return 0;
}

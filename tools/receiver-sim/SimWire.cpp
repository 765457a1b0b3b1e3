#include "SimWire.h"

#include <cstdio>

namespace rsim {

namespace {

std::uint8_t Xor(const Bytes& b, std::size_t from, std::size_t to)
{
    std::uint8_t x = 0;
    for (std::size_t i = from; i <= to; ++i)
        x ^= b[i];
    return x;
}

std::string Hex(std::uint8_t b)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", b);
    return text;
}

bool IsDigit(std::uint8_t c)
{
    return c >= '0' && c <= '9';
}

int TwoDigits(const Bytes& b, std::size_t at)
{
    return (b[at] - '0') * 10 + (b[at + 1] - '0');
}

}  // namespace

Bytes BuildReply(char letter, bool ack, const Bytes& payload)
{
    Bytes r;
    r.reserve(payload.size() + 5);
    r.push_back(0x02);
    r.push_back(static_cast<std::uint8_t>(letter));
    r.push_back(static_cast<std::uint8_t>(ack ? 0x06 : 0x15));
    for (std::uint8_t b : payload)
        r.push_back(b);
    r.push_back(Xor(r, 1, r.size() - 1));
    r.push_back(0x03);
    return r;
}

Bytes BuildFrame(std::uint16_t seq, std::uint8_t statusA, std::uint8_t statusB, const Samples& eeg,
                 const Samples& emg, Damage damage, int damageAt)
{
    Bytes f {0x53, 0x00, 0x00, 0x73, statusA, statusB, 0x6D, static_cast<std::uint8_t>(seq >> 8),
             static_cast<std::uint8_t>(seq & 0xFF)};
    for (std::uint16_t v : eeg)
        f.insert(f.end(), {0x62, static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v & 0xFF)});
    for (std::uint16_t v : emg)
        f.insert(f.end(), {0x65, static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v & 0xFF)});
    f.push_back(0x45);
    f.push_back(0x00);
    if (damage == Damage::Marker)
        f[9 + 3 * damageAt] = 0x63;
    f.push_back(Xor(f, 3, 776));
    switch (damage) {
    case Damage::SampleByte: f[damageAt] ^= 0x5A; break;
    case Damage::ChecksumByte: f[779] ^= 0xFF; break;
    case Damage::FixedByte: f[damageAt] ^= 0x08; break;
    default: break;
    }
    return f;
}

float Microvolts(std::uint16_t raw, int channel)
{
    const double volts = 3.0 * (raw / 16384.0) - 1.5;
    float v = static_cast<float>(volts);
    v *= 1000.0f;
    v *= 1000.0f;
    v /= channel == 0 ? 2000.0f : 141.0f;
    return v;
}

std::vector<ParsedCommand> ParseCommands(Bytes& pending, std::vector<std::string>& errors)
{
    std::vector<ParsedCommand> out;
    std::size_t at = 0;
    auto reject = [&](const std::string& why) {
        errors.push_back(why + " (byte " + Hex(pending[at]) + ")");
        ++at;
    };
    while (at < pending.size()) {
        const std::size_t left = pending.size() - at;
        if (pending[at] != 0x02) {
            reject("byte outside a command");
            continue;
        }
        if (left < 2)
            break;
        const std::uint8_t c = pending[at + 1];
        if (c == 's') {
            if (left < 16)
                break;
            Bytes f(pending.begin() + static_cast<std::ptrdiff_t>(at), pending.begin() + static_cast<std::ptrdiff_t>(at + 16));
            bool digits = true;
            for (int i = 2; i < 14; ++i)
                digits = digits && IsDigit(f[i]);
            if (!digits || f[15] != 0x03 || f[14] != Xor(f, 1, 13)) {
                reject("malformed clock-set frame");
                continue;
            }
            const int month = TwoDigits(f, 4), day = TwoDigits(f, 6), hour = TwoDigits(f, 8);
            const int minute = TwoDigits(f, 10), second = TwoDigits(f, 12);
            if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 59) {
                reject("clock-set frame with an impossible date or time");
                continue;
            }
            out.push_back({'s', f, std::string(f.begin() + 2, f.begin() + 14)});
            at += 16;
            continue;
        }
        if (std::string("enbdwvg").find(static_cast<char>(c)) == std::string::npos) {
            reject("unknown command letter " + Hex(c));
            continue;
        }
        if (left < 4)
            break;
        if (pending[at + 2] != c || pending[at + 3] != 0x03) {
            reject("malformed command frame");
            continue;
        }
        out.push_back({static_cast<char>(c), Bytes(pending.begin() + static_cast<std::ptrdiff_t>(at),
                                                   pending.begin() + static_cast<std::ptrdiff_t>(at + 4)), {}});
        at += 4;
    }
    pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(at));
    return out;
}

int NameCharsForVersion(const std::string& v)
{
    // Versions from 2 on are written with a point after each of the first three characters.
    std::string text = v;
    if (!v.empty() && IsDigit(static_cast<std::uint8_t>(v[0])) && v[0] >= '2' && v.size() >= 2)
        text = std::string {v[0], '.', v[1]};
    double value = 0.0, scale = 0.0;
    bool any = false;
    for (char c : text) {
        if (IsDigit(static_cast<std::uint8_t>(c))) {
            any = true;
            if (scale == 0.0) {
                value = value * 10 + (c - '0');
            } else {
                value += (c - '0') * scale;
                scale /= 10;
            }
        } else if (c == '.' && scale == 0.0 && any) {
            scale = 0.1;
        } else {
            break;
        }
    }
    // Compare in hundredths, so 1.36 itself is not above 1.36.
    return value * 100.0 > 136.0 + 1e-6 ? 20 : 4;
}

}  // namespace rsim

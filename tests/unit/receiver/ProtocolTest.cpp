// The pure protocol rules: command frames, the clock-set frame, reply recognition and the
// values read from replies.
#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "LinkTestSupport.h"
#include "SimWire.h"
#include "receiver/Protocol.h"
#include "receiver/WaveIo.h"

TEST(Protocol, CommandFramesCarryTheirLetterTwice)
{
    const struct {
        int id;
        char letter;
    } table[] = {{kCmdConnect, 'e'}, {kCmdName, 'n'},  {kCmdStart, 'b'},   {kCmdStep4, 'e'},
                 {kCmdCardInfo, 'd'}, {kCmdTransmitterCheck, 'w'}, {kCmdStop, 'e'}, {kCmdStop2, 'e'},
                 {kCmdVersion, 'v'}, {kCmdClock, 'g'}};
    for (const auto& row : table) {
        const auto f = CommandFrame(row.id);
        EXPECT_EQ(Bytes(f.begin(), f.end()), (Bytes {0x02, std::uint8_t(row.letter), std::uint8_t(row.letter), 0x03}))
            << row.id;
    }
    for (int unused : {0, 9, 12, 13})
        EXPECT_EQ(CommandFrame(unused)[0], 0) << unused;
}

TEST(Protocol, ReplySpecsByPendingCommand)
{
    const struct {
        int id;
        char letter;
        int length;
    } table[] = {{1, 'E', 6},  {2, 'N', 25}, {3, 'B', 6},  {4, 'E', 6},   {5, 'D', 17}, {6, 'W', 8},
                 {7, 'E', 6},  {8, 'E', 6},  {10, 'V', 20}, {11, 'G', 17}, {12, 'S', 6}, {0, 0, 0}, {9, 0, 0}};
    for (const auto& row : table) {
        const sReplySpec spec = ReplySpecFor(row.id, 21);
        EXPECT_EQ(spec.letter, row.letter) << row.id;
        EXPECT_EQ(spec.length, row.length) << row.id;
    }
    EXPECT_EQ(ReplySpecFor(kCmdName, 5).length, 9);
}

TEST(Protocol, ClockSetFrameAndChecksum)
{
    std::tm t = ClockSetExample();
    std::uint8_t frame[kClockSetFrameSize];
    ASSERT_EQ(BuildClockSetFrame(t, frame), 1);
    EXPECT_EQ(Bytes(frame, frame + 16), kClockSetExampleFrame);
    EXPECT_EQ(CWaveIo::Checksum(frame, 1, 13), frame[14]);
    EXPECT_EQ(CWaveIo::Checksum(frame, 4, 4), frame[4]);
    EXPECT_EQ(CWaveIo::Checksum(frame, 5, 4), 0);

    // The two year digits carry 2000..2099 only; other years are refused, not wrapped.
    for (int year : {1999, 2100, 1900}) {
        t.tm_year = year - 1900;
        EXPECT_EQ(BuildClockSetFrame(t, frame), 0) << year;
    }
    t.tm_year = 199;
    EXPECT_EQ(BuildClockSetFrame(t, frame), 1);
    EXPECT_EQ(frame[2], '9');
    EXPECT_EQ(frame[3], '9');
}

TEST(Protocol, FindsTheFirstReplyOfTheRightShape)
{
    const sReplySpec spec {'E', 6};
    Bytes buffer {0x55, 0x02, 0x45, 0x06};  // garbage and a reply that does not end in ETX
    EXPECT_EQ(FindReply(buffer.data(), int(buffer.size()), spec), -1);
    const Bytes reply = rsim::BuildReply('E', true, {0x00});
    buffer.insert(buffer.end(), reply.begin(), reply.end());
    buffer.insert(buffer.end(), reply.begin(), reply.end());
    EXPECT_EQ(FindReply(buffer.data(), int(buffer.size()), spec), 4);
    EXPECT_TRUE(IsReplyAccepted(reply.data(), 6));
    const Bytes nak = rsim::BuildReply('E', false, {0x00});
    EXPECT_FALSE(IsReplyAccepted(nak.data(), 6));
    Bytes bad = reply;
    bad[4] ^= 1;
    EXPECT_FALSE(IsReplyAccepted(bad.data(), 6));
}

TEST(Protocol, VersionTextAndNameLength)
{
    const struct {
        const char* chars;
        const char* text;
        int nameLength;
    } table[] = {
        {"1.36", "1.36", 5},    {"1.37", "1.37", 21}, {"1.40", "1.40", 21}, {"2100", "2.1.0.0", 21},
        {"2013", "2.0.1.3", 21}, {"0999", "0999", 21}, {"A.00", "A.00", 5}, {"1.3A", "1.3A", 5},
        {" 2.0", " 2.0", 5},
    };
    for (const auto& row : table) {
        std::uint8_t chars[4];
        for (int i = 0; i < 4; ++i)
            chars[i] = std::uint8_t(row.chars[i]);
        const sVersionInfo info = ParseVersion(chars);
        EXPECT_EQ(info.text, row.text) << row.chars;
        EXPECT_EQ(info.nameLength, row.nameLength) << row.chars;
    }
}

TEST(Protocol, NumbersIgnoreTheProcessLocale)
{
    // A comma-decimal locale must not change how "1.40" reads.
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    EXPECT_DOUBLE_EQ(LeadingNumber("1.40"), 1.40);
    const std::uint8_t chars[4] = {'1', '.', '4', '0'};
    EXPECT_EQ(ParseVersion(chars).nameLength, 21);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(Protocol, CardFieldsReadLikeBoundedDecimalNumbers)
{
    const struct {
        const char* field;
        int value;
    } table[] = {{"001024", 1024}, {"000512", 512}, {" -0012", -12}, {"12ab34", 12},
                 {"abcdef", 0},    {"  +7  ", 7},   {"999999", 999999}, {"      ", 0}};
    for (const auto& row : table)
        EXPECT_EQ(ParseCardField(reinterpret_cast<const std::uint8_t*>(row.field), 6), row.value) << row.field;
    // The field ends after six characters even when digits follow.
    const char* run = "000001000002";
    EXPECT_EQ(ParseCardField(reinterpret_cast<const std::uint8_t*>(run), 6), 1);
}

TEST(Protocol, ClockTextAndModelFamily)
{
    const std::uint8_t digits[] = "250101123456";
    EXPECT_EQ(FormatClockText(digits), "2025/01/01 12:34:56");

    EXPECT_EQ(DetectModelType("TQS27000123"), kModelCurrent);
    EXPECT_EQ(DetectModelType("xxTQR27yy"), kModelOlder);
    EXPECT_EQ(DetectModelType("TQS27 TQR27"), kModelOlder);
    EXPECT_EQ(DetectModelType("TQS2"), kModelUnknown);
    EXPECT_EQ(DetectModelType(""), kModelUnknown);
}

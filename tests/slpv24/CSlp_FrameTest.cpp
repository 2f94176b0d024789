#include "slpv24/CSlp_Frame.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <random>
#include <string>

namespace
{
struct CDecoded
{
    std::vector<std::vector<unsigned char>> m_frames;
    std::vector<unsigned char> m_types;
    std::vector<unsigned char> m_seqs;
    int m_nBad = 0;
};

CDecoded Decode(const std::vector<unsigned char>& wire, CSlp_FrameDecoder& decoder)
{
    CDecoded out;
    for (unsigned char b : wire)
    {
        const int r = decoder.Push(b);
        if (r == CSlp_FrameDecoder::SLP_FRAME)
        {
            out.m_frames.emplace_back(decoder.Payload(), decoder.Payload() + decoder.PayloadSize());
            out.m_types.push_back(decoder.Type());
            out.m_seqs.push_back(decoder.Seq());
        }
        else if (r == CSlp_FrameDecoder::SLP_BAD)
            ++out.m_nBad;
    }
    return out;
}

CDecoded Decode(const std::vector<unsigned char>& wire)
{
    CSlp_FrameDecoder decoder;
    return Decode(wire, decoder);
}

std::vector<unsigned char> Encode(const std::vector<unsigned char>& payload,
                                  unsigned char uType = SLP_FT_DATA, unsigned char uSeq = 0)
{
    std::vector<unsigned char> wire;
    SlpEncodeFrame(uType, uSeq, payload.data(), payload.size(), wire);
    return wire;
}

// Random bytes, with the two framing bytes much more frequent than chance so that every path of
// the decoder is taken.
std::vector<unsigned char> RandomBytes(std::mt19937& rng, size_t n)
{
    std::vector<unsigned char> bytes(n);
    for (auto& b : bytes)
    {
        const unsigned r = rng() % 16;
        b = r == 0 ? SLP_FLAG : r == 1 ? SLP_ESCAPE : static_cast<unsigned char>(rng());
    }
    return bytes;
}

TEST(CSlp_FrameTest, FcsIsCrc16X25)
{
    const struct
    {
        std::string m_text;
        uint16_t m_fcs;
    } cases[] = {
        {"123456789", 0x906E},
        {"", 0x0000},
        {"A", 0xA3F5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.m_fcs, SlpFcs16(reinterpret_cast<const unsigned char*>(c.m_text.data()), c.m_text.size()))
            << c.m_text;
}

TEST(CSlp_FrameTest, WireFormatIsFlagEscapedBodyFcsFlag)
{
    const std::vector<unsigned char> wire = Encode({0x7E, 0x41, 0x7D}, SLP_FT_DATA, 0x7D);
    const unsigned char body[] = {SLP_FT_DATA, 0x7D, 0x7E, 0x41, 0x7D};
    const uint16_t fcs = SlpFcs16(body, sizeof body);
    std::vector<unsigned char> expected = {0x7E, 0x03, 0x7D, 0x5D, 0x7D, 0x5E, 0x41, 0x7D, 0x5D};
    for (unsigned char b : {static_cast<unsigned char>(fcs & 0xFF), static_cast<unsigned char>(fcs >> 8)})
    {
        if (b == 0x7E || b == 0x7D)
        {
            expected.push_back(0x7D);
            expected.push_back(static_cast<unsigned char>(b ^ 0x20));
        }
        else
            expected.push_back(b);
    }
    expected.push_back(0x7E);
    EXPECT_EQ(expected, wire);
}

TEST(CSlp_FrameTest, EncoderRefusesPayloadsLongerThan256)
{
    std::vector<unsigned char> wire;
    const std::vector<unsigned char> big(SLP_MAX_PAYLOAD + 1, 1);
    EXPECT_EQ(0u, SlpEncodeFrame(SLP_FT_DATA, 0, big.data(), big.size(), wire));
    EXPECT_TRUE(wire.empty());
    EXPECT_GT(SlpEncodeFrame(SLP_FT_DATA, 0, big.data(), SLP_MAX_PAYLOAD, wire), 0u);
    EXPECT_LE(wire.size(), SLP_MAX_WIRE);
}

TEST(CSlp_FrameTest, PropertyEncodeThenDecodeGivesTheSameBytes)
{
    for (unsigned seed = 1; seed <= 8; ++seed)
    {
        std::mt19937 rng(seed);
        std::vector<unsigned char> stream;
        std::vector<std::vector<unsigned char>> sent;
        for (size_t n = 0; n <= SLP_MAX_PAYLOAD; n += 1 + rng() % 7)
        {
            sent.push_back(RandomBytes(rng, n));
            const std::vector<unsigned char> wire =
                Encode(sent.back(), SLP_FT_DATA, static_cast<unsigned char>(n));
            // Every frame alone ...
            const CDecoded one = Decode(wire);
            ASSERT_EQ(1u, one.m_frames.size()) << "seed " << seed << " size " << n;
            EXPECT_EQ(sent.back(), one.m_frames[0]);
            EXPECT_EQ(static_cast<unsigned char>(n), one.m_seqs[0]);
            EXPECT_EQ(0, one.m_nBad);
            // ... and all of them back to back.
            stream.insert(stream.end(), wire.begin(), wire.end());
        }
        const CDecoded all = Decode(stream);
        EXPECT_EQ(sent, all.m_frames) << "seed " << seed;
        EXPECT_EQ(0, all.m_nBad);
    }
}

TEST(CSlp_FrameTest, PropertyGarbageBeforeAFrameCostsAtMostOneBadResult)
{
    for (unsigned seed = 1; seed <= 400; ++seed)
    {
        std::mt19937 rng(seed);
        const std::vector<unsigned char> payload = RandomBytes(rng, 1 + rng() % SLP_MAX_PAYLOAD);
        std::vector<unsigned char> wire = RandomBytes(rng, rng() % 700);
        const std::vector<unsigned char> frame = Encode(payload);
        wire.insert(wire.end(), frame.begin(), frame.end());

        const CDecoded out = Decode(wire);
        ASSERT_FALSE(out.m_frames.empty()) << "seed " << seed;
        EXPECT_EQ(payload, out.m_frames.back()) << "seed " << seed;
        EXPECT_LE(out.m_nBad, 1) << "seed " << seed;
    }
}

// Damage of every kind: dropped with one bad result, and the frame after it still arrives.
struct CDamageCase
{
    const char* m_pszName;
    std::vector<unsigned char> (*m_pfnMake)();
};

std::vector<unsigned char> FlippedBit()
{
    std::vector<unsigned char> wire = Encode({1, 2, 3, 4});
    wire[3] ^= 0x04;
    return wire;
}

std::vector<unsigned char> Oversized()
{
    // A body of 257 payload bytes with a correct FCS: too long even so.
    std::vector<unsigned char> body = {SLP_FT_DATA, 0};
    body.resize(SLP_HEADER_SIZE + SLP_MAX_PAYLOAD + 1, 0x11);
    const uint16_t fcs = SlpFcs16(body.data(), body.size());
    body.push_back(static_cast<unsigned char>(fcs & 0xFF));
    body.push_back(static_cast<unsigned char>(fcs >> 8));
    // Flags around the body, laid out in one piece (growing a one-byte vector by the body makes
    // GCC 12 warn falsely about the copy at -O2 and above).
    std::vector<unsigned char> wire(body.size() + 2, SLP_FLAG);
    std::copy(body.begin(), body.end(), wire.begin() + 1);
    return wire;
}

std::vector<unsigned char> Aborted()
{
    std::vector<unsigned char> wire = Encode({1, 2, 3, 4});
    wire.resize(4);
    wire.push_back(SLP_ESCAPE);
    wire.push_back(SLP_FLAG);
    return wire;
}

std::vector<unsigned char> TooShort()
{
    return {SLP_FLAG, SLP_FT_DATA, 0x00, 0x12, SLP_FLAG};
}

std::vector<unsigned char> Truncated()
{
    // The peer stopped in the middle and started a new frame.
    std::vector<unsigned char> wire = Encode({9, 9, 9, 9, 9, 9});
    wire.resize(5);
    return wire;
}

std::vector<unsigned char> Flood()
{
    std::vector<unsigned char> wire(1 << 20, 0x55);
    return wire;
}

class CSlp_FrameDamageTest : public ::testing::TestWithParam<CDamageCase>
{
};

TEST_P(CSlp_FrameDamageTest, IsDroppedOnceAndTheNextFrameArrives)
{
    std::vector<unsigned char> wire = Encode({0xAA});
    const std::vector<unsigned char> damage = GetParam().m_pfnMake();
    wire.insert(wire.end(), damage.begin(), damage.end());
    const std::vector<unsigned char> next = Encode({0x01, 0x7E, 0x02});
    wire.insert(wire.end(), next.begin(), next.end());

    const CDecoded out = Decode(wire);
    EXPECT_EQ(1, out.m_nBad);
    EXPECT_EQ((std::vector<std::vector<unsigned char>>{{0xAA}, {0x01, 0x7E, 0x02}}), out.m_frames);
}

INSTANTIATE_TEST_SUITE_P(
    Damage, CSlp_FrameDamageTest,
    ::testing::Values(CDamageCase{"FlippedBit", &FlippedBit}, CDamageCase{"Oversized", &Oversized},
                      CDamageCase{"Aborted", &Aborted}, CDamageCase{"TooShort", &TooShort},
                      CDamageCase{"Truncated", &Truncated}, CDamageCase{"Flood", &Flood}),
    [](const auto& row) { return std::string(row.param.m_pszName); });

TEST(CSlp_FrameTest, EachDamageBetweenGoodFramesIsReported)
{
    std::vector<unsigned char> wire;
    for (int i = 0; i < 3; ++i)
    {
        const std::vector<unsigned char> good = Encode({static_cast<unsigned char>(i)});
        const std::vector<unsigned char> bad = FlippedBit();
        wire.insert(wire.end(), good.begin(), good.end());
        wire.insert(wire.end(), bad.begin(), bad.end());
    }
    const CDecoded out = Decode(wire);
    EXPECT_EQ(3u, out.m_frames.size());
    EXPECT_EQ(3, out.m_nBad);
}

TEST(CSlp_FrameTest, AbortDropsAPartialFrameOnly)
{
    CSlp_FrameDecoder decoder;
    EXPECT_FALSE(decoder.InFrame());
    EXPECT_EQ(CSlp_FrameDecoder::SLP_NONE, decoder.Abort()) << "nothing held: nothing to drop";

    std::vector<unsigned char> wire = Encode({1, 2, 3});
    wire.pop_back(); // the closing flag never comes
    Decode(wire, decoder);
    EXPECT_TRUE(decoder.InFrame());
    EXPECT_EQ(CSlp_FrameDecoder::SLP_BAD, decoder.Abort());
    EXPECT_FALSE(decoder.InFrame());

    const CDecoded out = Decode(Encode({4, 5}), decoder);
    ASSERT_EQ(1u, out.m_frames.size());
    EXPECT_EQ((std::vector<unsigned char>{4, 5}), out.m_frames[0]);
}

TEST(CSlp_FrameTest, FlagsAloneAreNoFrames)
{
    const CDecoded out = Decode(std::vector<unsigned char>(50, SLP_FLAG));
    EXPECT_TRUE(out.m_frames.empty());
    EXPECT_EQ(0, out.m_nBad);
}
} // namespace

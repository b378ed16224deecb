// The KTRB04 frame and shared block as byte images: little-endian words at
// fixed offsets, whatever the host.
#include "motion/ktrb04_frame.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(Ktrb04Frame, WordsSitLittleEndianAtTheirOffsets)
{
    Ktrb04Frame frame = {};
    frame.SetWord(KTRB04_WORD_RESERVED, 0x0A0B);
    frame.SetChannel(0, 0x1122);
    frame.SetChannel(7, 0x3344);
    frame.SetRegChannel(0x0007);
    frame.SetControl(0x5C00);
    frame.SetData(-2);

    const uint8_t abExpected[KTRB04_FRAME_SIZE] = {0x0B, 0x0A, 0x22, 0x11, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                    0, 0, 0, 0x44, 0x33, 0x07, 0x00, 0x00, 0x5C, 0xFE, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(0, std::memcmp(frame.abBytes, abExpected, KTRB04_FRAME_SIZE));
    EXPECT_EQ(frame.Data(), -2);
    EXPECT_EQ(frame.Channel(7), 0x3344);
}

TEST(Ktrb04Frame, DataIsASigned32BitValueLowWordFirst)
{
    const struct { int32_t nValue; uint16_t wLow; uint16_t wHigh; } aCases[] = {
        {0, 0, 0}, {1, 1, 0}, {-1, 0xFFFF, 0xFFFF}, {0x7FFFFFFF, 0xFFFF, 0x7FFF},
        {INT32_MIN, 0, 0x8000}, {0x00010000, 0, 1}};
    for (const auto& c : aCases) {
        Ktrb04Frame frame = {};
        frame.SetData(c.nValue);
        EXPECT_EQ(frame.Word(KTRB04_WORD_DATA_LOW), c.wLow) << c.nValue;
        EXPECT_EQ(frame.Word(KTRB04_WORD_DATA_HIGH), c.wHigh) << c.nValue;
        EXPECT_EQ(frame.Data(), c.nValue);
    }
}

TEST(Ktrb04SharedBlock, NineLittleEndianDwords)
{
    Ktrb04SharedBlock block = {};
    block.SetWord(KTRB04_SHARED_STATION, 0x11223344);
    block.SetWord(KTRB04_SHARED_HANDSHAKE, 0xA1B2C3D4);

    EXPECT_EQ(block.abBytes[0], 0x44);
    EXPECT_EQ(block.abBytes[3], 0x11);
    EXPECT_EQ(block.abBytes[32], 0xD4);
    EXPECT_EQ(block.abBytes[35], 0xA1);
    EXPECT_EQ(block.Word(KTRB04_SHARED_HANDSHAKE), 0xA1B2C3D4u);
}

} // namespace

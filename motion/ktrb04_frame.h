// The KTRB04-M2 register-command frame and the shared block "KTRB04_M2".
// Both are byte images with explicit little-endian words, so their layout
// is the same whatever the host's byte order or the compiler's packing.
#pragma once

#include <cstdint>

enum {
    KTRB04_CHANNELS = 8,
    KTRB04_FRAME_SIZE = 26,
    KTRB04_FRAME_WORDS = 13,

    // Word positions of a frame.
    KTRB04_WORD_RESERVED = 0,    // sent 0; response: low byte = channel mask
    KTRB04_WORD_CHANNEL = 1,     // 1..8: command (sent) or status (response) of channel 0..7
    KTRB04_WORD_REG_CHANNEL = 9, // channel that a register request addresses
    KTRB04_WORD_CONTROL = 10,    // RegCode and Request
    KTRB04_WORD_DATA_LOW = 11,
    KTRB04_WORD_DATA_HIGH = 12
};

// wControl: bits 0..13 RegCode, bit 14 Request, bit 15 always 0.
enum : uint16_t {
    KTRB04_REG_CODE_MASK = 0x3FFF,
    KTRB04_REQUEST = 0x4000
};

// Channel command word (sent).
enum : uint16_t {
    KTRB04_CMD_SERVO_ON = 0x2000,
    KTRB04_CMD_STOP = 0x1000,
    KTRB04_CMD_HOME_START = 0x0800,
    KTRB04_CMD_JOG_MINUS = 0x0400,
    KTRB04_CMD_JOG_PLUS = 0x0200,
    KTRB04_CMD_MOVE_START = 0x0100,
    KTRB04_CMD_ENTRY_MASK = 0x000F
};

// Channel status word (received): the bits the tool interprets.
enum : uint16_t {
    KTRB04_STS_WARNING = 0x0040,
    KTRB04_STS_ALARM = 0x0080,
    KTRB04_STS_STEP_OUT = 0x0200,
    KTRB04_STS_MOVING = 0x0400,
    KTRB04_STS_HOME = 0x0800, // origin signal and home success
    KTRB04_STS_SERVO_READY = 0x2000,
    KTRB04_STS_IN_POSITION = 0x8000
};

struct Ktrb04Frame {
    uint8_t abBytes[KTRB04_FRAME_SIZE];

    uint16_t Word(int nWord) const
    {
        return static_cast<uint16_t>(abBytes[2 * nWord] | (abBytes[2 * nWord + 1] << 8));
    }
    void SetWord(int nWord, uint16_t wValue)
    {
        abBytes[2 * nWord] = static_cast<uint8_t>(wValue & 0xFF);
        abBytes[2 * nWord + 1] = static_cast<uint8_t>(wValue >> 8);
    }

    uint16_t Channel(int nChannel) const { return Word(KTRB04_WORD_CHANNEL + nChannel); }
    void SetChannel(int nChannel, uint16_t wValue) { SetWord(KTRB04_WORD_CHANNEL + nChannel, wValue); }
    uint16_t RegChannel() const { return Word(KTRB04_WORD_REG_CHANNEL); }
    void SetRegChannel(uint16_t wValue) { SetWord(KTRB04_WORD_REG_CHANNEL, wValue); }
    uint16_t Control() const { return Word(KTRB04_WORD_CONTROL); }
    void SetControl(uint16_t wValue) { SetWord(KTRB04_WORD_CONTROL, wValue); }

    // The register value: a signed 32-bit integer, low word first.
    int32_t Data() const
    {
        const uint32_t dw = Word(KTRB04_WORD_DATA_LOW) | (static_cast<uint32_t>(Word(KTRB04_WORD_DATA_HIGH)) << 16);
        return static_cast<int32_t>(dw);
    }
    void SetData(int32_t nValue)
    {
        const uint32_t dw = static_cast<uint32_t>(nValue);
        SetWord(KTRB04_WORD_DATA_LOW, static_cast<uint16_t>(dw & 0xFFFF));
        SetWord(KTRB04_WORD_DATA_HIGH, static_cast<uint16_t>(dw >> 16));
    }
};

static_assert(sizeof(Ktrb04Frame) == KTRB04_FRAME_SIZE, "a frame is exactly 26 bytes on the wire");

enum {
    KTRB04_SHARED_SIZE = 36,
    KTRB04_SHARED_WORDS = 9,
    KTRB04_SHARED_STATION = 0,  // bits 8..31: station value; bits 0..7 belong to others
    KTRB04_SHARED_HANDSHAKE = 8
};

// The shared block: nine little-endian 32-bit words in a named mapping.
struct Ktrb04SharedBlock {
    uint8_t abBytes[KTRB04_SHARED_SIZE];

    uint32_t Word(int nWord) const
    {
        const uint8_t* p = abBytes + 4 * nWord;
        return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
               (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
    }
    void SetWord(int nWord, uint32_t dwValue)
    {
        uint8_t* p = abBytes + 4 * nWord;
        for (int i = 0; i < 4; ++i) {
            p[i] = static_cast<uint8_t>((dwValue >> (8 * i)) & 0xFF);
        }
    }
};

static_assert(sizeof(Ktrb04SharedBlock) == KTRB04_SHARED_SIZE, "the shared block is 36 bytes");

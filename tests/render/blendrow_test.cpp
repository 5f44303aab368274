// The row blend, four pixels at a time, against the blend worked out channel
// by channel and against SDL 1.2's own (the desktop canvas blends with it in
// SDL's place): every alpha, rows long and short (the tail that is done one
// pixel at a time included), rows of one alpha throughout (wholly clear and
// wholly solid fours are skipped and copied), a screen pixel's alpha byte
// ignored.
#include "render/blendrow.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

uint32_t blendedByChannel(uint32_t d, uint32_t s)
{
    const uint32_t a = s >> 24;
    if (a == 255)
        return s & 0xffffff;
    if (a == 0)
        return d;
    uint32_t out = 0;
    for (int shift : {0, 8, 16}) {
        const uint32_t sc = (s >> shift) & 0xff, dc = (d >> shift) & 0xff;
        out |= ((sc * a + dc * (256 - a)) / 256) << shift;
    }
    return out;
}

// SDL 1.2's blend of a translucent pixel onto a 32-bit screen, red and blue
// packed side by side.
uint32_t blendedAsSdl(uint32_t d, uint32_t s)
{
    const uint32_t a = s >> 24;
    if (a == 255)
        return s & 0xffffff;
    if (a == 0)
        return d;
    uint32_t rb = d & 0xff00ff;
    rb = (rb + ((((s & 0xff00ff) - rb) * a) >> 8)) & 0xff00ff;
    const uint32_t g = ((d & 0xff00) + ((((s & 0xff00) - (d & 0xff00)) * a) >> 8)) & 0xff00;
    return rb | g;
}

TEST(BlendRow, EveryAlphaBlendsAsWorkedOutChannelByChannel)
{
    std::mt19937 random(7);
    for (int length = 1; length <= 21; ++length) {
        for (uint32_t alpha = 0; alpha < 256; ++alpha) {
            for (bool mixed : {true, false}) {
                std::vector<uint32_t> from(length), to(length), expected(length);
                for (int i = 0; i < length; ++i) {
                    // Neighbours of other alphas, so that no lane borrows another's.
                    const uint32_t a = mixed && i % 2 ? random() & 0xff : alpha;
                    from[i] = a << 24 | (random() & 0xffffff);
                    to[i] = random();
                    expected[i] = blendedByChannel(to[i], from[i]);
                    ASSERT_EQ(blendedAsSdl(to[i], from[i]) & 0xffffff, expected[i] & 0xffffff)
                        << std::hex << from[i] << " on " << to[i];
                }
                tether::blendRow(to.data(), from.data(), length);
                for (int i = 0; i < length; ++i)
                    ASSERT_EQ(to[i] & 0xffffff, expected[i] & 0xffffff)
                        << "length " << length << ", pixel " << i;
            }
        }
    }
    std::vector<uint32_t> from {0xff123456, 0x80abcdef, 0x00ffffff, 0x01020304, 0xfe000000};
    std::vector<uint32_t> to(from.size(), 0xff808080);
    tether::copyRow(to.data(), from.data(), static_cast<int>(from.size()));
    for (size_t i = 0; i < from.size(); ++i)
        EXPECT_EQ(to[i], from[i] & 0xffffff);
}

} // namespace

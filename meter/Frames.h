// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace ql708 {

constexpr std::uint16_t kMeterVendorId = 0x04D9;
constexpr std::uint16_t kMeterProductId = 0xE000;

constexpr std::uint8_t kStx = 0x02;
constexpr std::uint8_t kEtx = 0x03;

// 0x02, command letter, four parameter bytes, 0x03.
using CommandFrame = std::array<std::uint8_t, 7>;
// A reply is always read whole; a framed reply has 0x02 first and 0x03 last.
using ReplyBuffer = std::array<std::uint8_t, 32>;
// A 32-byte block sent after its command (the meter clock).
using DataBlock = std::array<std::uint8_t, 32>;

inline CommandFrame makeFrame(char letter, std::uint8_t p2 = 0, std::uint8_t p3 = 0,
                              std::uint8_t p4 = 0, std::uint8_t p5 = 0)
{
    return {kStx, std::uint8_t(letter), p2, p3, p4, p5, kEtx};
}

inline bool isFramedReply(const ReplyBuffer &r) { return r[0] == kStx && r[31] == kEtx; }

} // namespace ql708

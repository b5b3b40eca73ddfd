// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/MeterStatus.h"

#include <array>
#include <cstdint>
#include <optional>

namespace ql708 {

// Indexes into the large LCD digit images.
constexpr int kDigitBlank = 10;
constexpr int kDigitMinus = 11;
constexpr int kDigitLetterL = 13;
constexpr int kDigitLetterE = 14;
constexpr int kDigitSmallR = 15;
constexpr int kLargeDigitCount = 16;
// A clock digit that shows nothing.
constexpr int kNoDigit = -1;

// The four level digits for a shown level in tenths of a dB; only the thousands digit is
// blanked. A level the display cannot hold (10000 or more) reads "Err".
std::array<int, 4> levelDigits(unsigned shownLevel);

// The bar graph's width for a level on a range; nullopt for a code that names no range
// (the bar stays as it is). A level beyond the range top fills the strip, no further.
std::optional<int> barWidth(std::uint8_t rangeCode, unsigned shownLevel);

// What the MAX/MIN part of an update does to the labels and the blink timer.
struct MaxMinDecision {
    enum Timer { Stop, Start, Leave };
    std::optional<bool> showMax, showMin; // nullopt: leave the label as it is
    Timer timer = Leave;
};
MaxMinDecision maxMinDecision(const MeterStatus &s);

// The meter clock on the small digits. Only a change of the seconds byte updates it; a byte
// of 0x5A (the meter's "no clock" mark) leaves the digits and sets the remembered seconds
// to 2; a byte that is not two decimal digits stops the update at its field.
class PanelClock {
public:
    // Hours tens and units, minutes, seconds; kNoDigit where nothing shows yet.
    using Digits = std::array<int, 6>;

    void update(std::uint8_t seconds, std::uint8_t minutes, std::uint8_t hours);
    const Digits &digits() const { return m_digits; }
    std::uint8_t lastSeconds() const { return m_lastSeconds; }

private:
    Digits m_digits{kNoDigit, kNoDigit, kNoDigit, kNoDigit, kNoDigit, kNoDigit};
    std::uint8_t m_lastSeconds = 0;
};

// Everything the front panel shows, as the meter's status updates it.
struct PanelView {
    std::array<int, 4> digits{1, 8, 8, 8}; // reads 188.8 until the first status
    PanelClock::Digits clock{kNoDigit, kNoDigit, kNoDigit, kNoDigit, kNoDigit, kNoDigit};
    bool rec = false, full = false, under = false, over = false;
    bool dBA = true, dBC = false, fast = true, slow = false;
    bool max = false, min = false;
    int rangeLow = 30, rangeHigh = 130;
    int barWidth = 156;
    bool blinkRunning = false;
};

// The front panel's display state and its update rules; the widget only draws the view.
class PanelModel {
public:
    const PanelView &view() const { return m_view; }
    void update(const MeterStatus &s);
    // One tick of the MAX/MIN blink: both labels show on the on phase, hide on the off phase.
    void blinkTick();
    void showTestPattern() { m_view.digits = {1, 8, 8, 8}; }

private:
    PanelView m_view;
    PanelClock m_clock;
    bool m_blinkOn = false;
};

} // namespace ql708

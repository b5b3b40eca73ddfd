// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/PanelModel.h"

#include "panel/PanelLayout.h"

#include <algorithm>

namespace ql708 {

namespace {
constexpr int kBarMinimum = 4;

// The two decimal digits of a BCD byte; false when a nibble is A to F.
bool bcdDigits(std::uint8_t b, int &tens, int &units)
{
    tens = b >> 4;
    units = b & 0x0F;
    return tens <= 9 && units <= 9;
}

std::optional<int> unclampedBarWidth(std::uint8_t rangeCode, int L)
{
    switch (rangeCode) {
    case kRange30to90:
        return L > 300 ? (L - 300) / 4 + kBarMinimum : kBarMinimum;
    case kRange50to110:
        return L > 500 ? (L - 500) / 4 + kBarMinimum : kBarMinimum;
    case kRange70to130:
        return L > 700 ? (L - 700) / 4 + kBarMinimum : kBarMinimum;
    case kRange30to130:
        return L > 300 ? (L - 300) * 3 / 20 + kBarMinimum : kBarMinimum;
    default:
        return std::nullopt;
    }
}
} // namespace

std::array<int, 4> levelDigits(unsigned L)
{
    if (L >= 10000)
        return {kDigitLetterE, kDigitSmallR, kDigitSmallR, kDigitBlank};
    const int thousands = int(L / 1000);
    return {thousands != 0 ? thousands : kDigitBlank, int(L % 1000 / 100), int(L % 100 / 10),
            int(L % 10)};
}

std::optional<int> barWidth(std::uint8_t rangeCode, unsigned shownLevel)
{
    // Beyond the strip's end there is nothing to draw, whatever level the meter reports.
    const int L = int(std::min(shownLevel, 10000u));
    if (const std::optional<int> w = unclampedBarWidth(rangeCode, L))
        return std::min(*w, panellayout::kColorBar.width());
    return std::nullopt;
}

MaxMinDecision maxMinDecision(const MeterStatus &s)
{
    MaxMinDecision d;
    if (!s.maxMinActive) {
        d.showMax = d.showMin = false;
        d.timer = MaxMinDecision::Stop;
        return d;
    }
    switch (s.maxMinMode) {
    case kMaxMinNone:
        d.timer = MaxMinDecision::Stop;
        break;
    case kMaxHeld:
        d.showMax = true;
        d.showMin = false;
        d.timer = MaxMinDecision::Stop;
        break;
    case kMinHeld:
        d.showMax = false;
        d.showMin = true;
        d.timer = MaxMinDecision::Stop;
        break;
    case kMaxMinAlternate:
        d.timer = MaxMinDecision::Start;
        break;
    default:
        break;
    }
    return d;
}

void PanelClock::update(std::uint8_t seconds, std::uint8_t minutes, std::uint8_t hours)
{
    if (seconds == m_lastSeconds)
        return;
    using status_layout::kNoClockMark;
    if (seconds == kNoClockMark || minutes == kNoClockMark || hours == kNoClockMark) {
        m_lastSeconds = 2;
        return;
    }
    const std::uint8_t fields[3] = {hours, minutes, seconds};
    for (int i = 0; i < 3; ++i) {
        int tens, units;
        if (!bcdDigits(fields[i], tens, units))
            break;
        m_digits[2 * i] = tens;
        m_digits[2 * i + 1] = units;
    }
    m_lastSeconds = seconds;
}

void PanelModel::update(const MeterStatus &s)
{
    PanelView &v = m_view;
    v.rec = s.recording;
    v.dBA = s.aWeighting;
    v.dBC = !s.aWeighting;
    v.fast = s.fastResponse;
    v.slow = !s.fastResponse;
    v.under = s.under;
    v.over = s.over;
    v.full = s.memoryFull;

    m_clock.update(s.clockSeconds, s.clockMinutes, s.clockHours);
    v.clock = m_clock.digits();

    const unsigned L = s.shownLevel();
    v.digits = levelDigits(L);

    const MaxMinDecision d = maxMinDecision(s);
    if (d.showMax)
        v.max = *d.showMax;
    if (d.showMin)
        v.min = *d.showMin;
    if (d.timer != MaxMinDecision::Leave)
        v.blinkRunning = d.timer == MaxMinDecision::Start;

    int low, high;
    if (rangeLimits(s.rangeCode, low, high)) {
        v.rangeLow = low;
        v.rangeHigh = high;
    }
    if (const std::optional<int> w = barWidth(s.rangeCode, L))
        v.barWidth = *w;
}

void PanelModel::blinkTick()
{
    m_blinkOn = !m_blinkOn;
    m_view.max = m_view.min = m_blinkOn;
}

} // namespace ql708

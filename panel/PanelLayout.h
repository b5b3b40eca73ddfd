// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the front panel's pictures and click areas sit, in client pixels. The artwork draws
// its fixed parts (LCD glass, unlit segments, keys) at these places so the live images laid
// over them line up.
namespace ql708::panellayout {

constexpr QSize kClient(187, 463);
// The background picture starts 7 pixels above the client area.
constexpr QRect kBackground(0, -7, 186, 470);

constexpr QSize kDigitSize(39, 70);
constexpr QSize kSmallDigitSize(13, 22);
constexpr int kMainDigitLeft[4] = {6, 46, 90, 139};
constexpr int kMainDigitTop = 150;
constexpr int kClockDigitLeft[8] = {31, 44, 57, 70, 89, 104, 123, 137};
constexpr int kClockDigitTop = 103;

constexpr QRect kPoint(126, 205, 8, 8);
constexpr QRect kColon1(84, 101, 5, 24);  // Image2, after the hours
constexpr QRect kColon2(117, 102, 5, 24); // Image1, after the minutes
constexpr QRect kBattery(8, 14, 24, 12);
constexpr QRect kUnder(12, 35, 34, 12);
constexpr QRect kOver(140, 35, 34, 12);
constexpr QRect kColorBar(12, 71, 156, 9);
constexpr QRect kLcdGlass(3, 11, 181, 231);

// Pictured keys; the click areas cover them exactly.
constexpr QSize kKeySize(56, 32);
constexpr QPoint kPowerKey(20, 290);
constexpr QPoint kAcKey(108, 289);
constexpr QPoint kMaxMinKey(17, 351);
constexpr QPoint kFastKey(111, 348);
constexpr QPoint kRecKey(17, 407);
constexpr QPoint kLevelKey(110, 407);

} // namespace ql708::panellayout

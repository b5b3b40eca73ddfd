// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/PanelReading.h"

#include "common/StringTable.h"

#include <QLocale>

namespace ql708 {

namespace {

const QString kTable = QStringLiteral("frmPanel");

// The LCD's own words, from its labels' captions.
QString caption(const char *label)
{
    return StringTable::of(kTable).sectionText(QStringLiteral("caption"), QString::fromLatin1(label), activeLanguage());
}

QString largeDigit(int index)
{
    static const char *const shapes[kLargeDigitCount] = {"0", "1", "2", "3", "4", "5", "6", "7",
                                                         "8", "9", "",  "-", "-", "L", "E", "r"};
    return index >= 0 && index < kLargeDigitCount ? QString::fromLatin1(shapes[index]) : QString();
}

QString level(const std::array<int, 4> &digits)
{
    QString text = largeDigit(digits[0]) + largeDigit(digits[1]) + largeDigit(digits[2]);
    if (digits[3] != kDigitBlank) // "Err" shows no tenths
        text += QLocale().decimalPoint() + largeDigit(digits[3]);
    return text;
}

// "hh:mm:ss", a dash for a digit not shown yet; empty before the first clock.
QString clockText(const PanelClock::Digits &d)
{
    if (std::all_of(d.cbegin(), d.cend(), [](int x) { return x == kNoDigit; }))
        return {};
    QString text;
    for (int i = 0; i < 6; ++i) {
        if (i == 2 || i == 4)
            text += QLatin1Char(':');
        text += d[i] == kNoDigit ? QStringLiteral("-") : QString::number(d[i]);
    }
    return text;
}

} // namespace

QString lcdReading(const PanelView &v)
{
    QStringList parts;
    parts << level(v.digits) + QLatin1Char(' ') + caption(v.dBC ? "lbldBC" : "lbldBA");
    parts << caption(v.slow ? "lblSLOW" : "lblFAST");
    parts << ids(kTable, QStringLiteral("IDS_100")).arg(v.rangeLow).arg(v.rangeHigh);
    if (const QString clock = clockText(v.clock); !clock.isEmpty())
        parts << ids(kTable, QStringLiteral("IDS_101")).arg(clock);
    // While MAX and MIN blink, both count as lit.
    if (v.max || v.blinkRunning)
        parts << caption("lblMAX");
    if (v.min || v.blinkRunning)
        parts << caption("lblMIN");
    if (v.rec)
        parts << caption("lblREC");
    if (v.full)
        parts << caption("lblFULL");
    if (v.under)
        parts << ids(kTable, QStringLiteral("IDS_102"));
    if (v.over)
        parts << ids(kTable, QStringLiteral("IDS_103"));
    return parts.join(QStringLiteral(", "));
}

} // namespace ql708

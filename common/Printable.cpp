// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Printable.h"

namespace ql708 {

namespace {

bool isContinuation(quint8 b) { return (b & 0xC0) == 0x80; }

// The length of the UTF-8 sequence at i, or 0 when the bytes there are no UTF-8 (overlong
// forms, surrogates and code points above U+10FFFF included).
int sequenceLength(QByteArrayView s, qsizetype i)
{
    const quint8 b = quint8(s[i]);
    int n = 0;
    quint8 lo = 0x80, hi = 0xBF; // the bounds of the second byte
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF)
        n = 2;
    else if (b >= 0xE0 && b <= 0xEF)
        n = 3, lo = b == 0xE0 ? 0xA0 : 0x80, hi = b == 0xED ? 0x9F : 0xBF;
    else if (b >= 0xF0 && b <= 0xF4)
        n = 4, lo = b == 0xF0 ? 0x90 : 0x80, hi = b == 0xF4 ? 0x8F : 0xBF;
    else
        return 0;
    if (i + n > s.size() || quint8(s[i + 1]) < lo || quint8(s[i + 1]) > hi)
        return 0;
    for (int k = 2; k < n; ++k)
        if (!isContinuation(quint8(s[i + k])))
            return 0;
    return n;
}

void appendEscaped(QString &out, uint v)
{
    out += QStringLiteral("\\x") + QString::number(v, 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

} // namespace

QString printable(const QString &text, bool keepLines)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && !(keepLines && u == u'\n')) || (u >= 0x7F && u <= 0x9F))
            appendEscaped(out, u);
        else if (u == u'\\')
            out += QStringLiteral("\\\\");
        else
            out += c;
    }
    return out;
}

QString printable(QByteArrayView utf8, bool keepLines)
{
    QString out;
    for (qsizetype i = 0; i < utf8.size();) {
        const int n = sequenceLength(utf8, i);
        if (n == 0) {
            appendEscaped(out, quint8(utf8[i++]));
            continue;
        }
        out += printable(QString::fromUtf8(utf8.sliced(i, n)), keepLines);
        i += n;
    }
    return out;
}

} // namespace ql708

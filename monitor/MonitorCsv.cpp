// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/MonitorCsv.h"

#include <QList>

#include <cmath>
#include <cstdio>

namespace ql708::monitor {

namespace {

// The digits at text[at..at + n), or -1.
int digits(QByteArrayView text, qsizetype at, int n)
{
    int v = 0;
    for (int i = 0; i < n; ++i) {
        const char c = text[at + i];
        if (c < '0' || c > '9')
            return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

bool isSeparator(QByteArrayView text, qsizetype at, char c) { return text[at] == c; }

constexpr std::uint8_t kRangeCodes[] = {kRange30to90, kRange50to110, kRange70to130, kRange30to130};

std::optional<std::uint8_t> rangeCodeOf(QByteArrayView text)
{
    for (const std::uint8_t code : kRangeCodes)
        if (text == QByteArrayView(rangeText(code)))
            return code;
    return std::nullopt;
}

// Tenths of a dB from "55.3"; empty unless it is such a number within the readings' bounds.
std::optional<std::uint16_t> tenthsOf(QByteArrayView text)
{
    const qsizetype dot = text.indexOf('.');
    if (dot < 1 || dot > 4 || text.size() != dot + 2)
        return std::nullopt;
    const int whole = digits(text, 0, int(dot));
    const int tenth = digits(text, dot + 1, 1);
    if (whole < 0 || tenth < 0 || whole * 10 + tenth > kHighestTenths)
        return std::nullopt;
    return std::uint16_t(whole * 10 + tenth);
}

} // namespace

QByteArray isoTime(const Stamp &t, bool withMilliseconds)
{
    const qint64 ms = t.localMsOfDay();
    int y = 0, mo = 0, d = 0;
    t.localDate().getDate(&y, &mo, &d);
    const int off = std::abs(t.offsetSeconds) / 60;
    char buf[48];
    int n = std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d", y, mo, d, int(ms / 3'600'000),
                          int(ms / 60'000 % 60), int(ms / 1000 % 60));
    if (withMilliseconds)
        n += std::snprintf(buf + n, sizeof buf - size_t(n), ".%03d", int(ms % 1000));
    n += std::snprintf(buf + n, sizeof buf - size_t(n), "%c%02d:%02d", t.offsetSeconds < 0 ? '-' : '+', off / 60,
                       off % 60);
    return QByteArray(buf, n);
}

std::optional<Stamp> parseIsoTime(QByteArrayView s)
{
    const bool ms = s.size() == 29;
    if (!ms && s.size() != 25)
        return std::nullopt;
    const qsizetype z = ms ? 23 : 19; // where the offset begins
    if (!isSeparator(s, 4, '-') || !isSeparator(s, 7, '-') || !isSeparator(s, 10, 'T') || !isSeparator(s, 13, ':') ||
        !isSeparator(s, 16, ':') || (ms && !isSeparator(s, 19, '.')) || !isSeparator(s, z + 3, ':') ||
        (s[z] != '+' && s[z] != '-'))
        return std::nullopt;
    const int y = digits(s, 0, 4), mo = digits(s, 5, 2), d = digits(s, 8, 2);
    const int h = digits(s, 11, 2), mi = digits(s, 14, 2), sec = digits(s, 17, 2);
    const int milli = ms ? digits(s, 20, 3) : 0;
    const int oh = digits(s, z + 1, 2), om = digits(s, z + 4, 2);
    const QDate date(y, mo, d);
    if (!date.isValid() || h < 0 || h > 23 || mi < 0 || mi > 59 || sec < 0 || sec > 59 || milli < 0 || oh < 0 ||
        oh > 18 || om < 0 || om > 59)
        return std::nullopt;
    const int offset = (s[z] == '-' ? -1 : 1) * (oh * 3600 + om * 60);
    return Stamp::ofLocal(date, h * 3'600'000LL + mi * 60'000LL + sec * 1000LL + milli, offset);
}

QByteArray decimal(std::optional<double> value)
{
    if (!value || !std::isfinite(*value))
        return {};
    return QByteArray::number(*value, 'f', 1);
}

QByteArray weightingText(bool aWeighting) { return aWeighting ? "A" : "C"; }

QByteArray rangeText(std::uint8_t rangeCode)
{
    int low = 0, high = 0;
    if (!rangeLimits(rangeCode, low, high))
        return {};
    return QByteArray::number(low) + '-' + QByteArray::number(high);
}

QByteArray readingLine(const Reading &r)
{
    QByteArray line = isoTime(r.time);
    line += ',';
    line += QByteArray::number(r.tenths / 10) + '.' + char('0' + r.tenths % 10);
    line += ',';
    line += weightingText(r.aWeighting);
    line += r.fast ? ",FAST," : ",SLOW,";
    line += rangeText(r.rangeCode);
    line += ',';
    if (r.over)
        line += "over";
    else if (r.under)
        line += "under";
    return line;
}

QByteArray gapLine(const Stamp &t) { return isoTime(t) + ",,,,,gap"; }

std::optional<ReadingsLine> parseReadingsLine(QByteArrayView line)
{
    const QList<QByteArrayView> f = [&] {
        QList<QByteArrayView> fields;
        qsizetype from = 0;
        for (qsizetype i = 0; i <= line.size() && fields.size() < 7; ++i)
            if (i == line.size() || line[i] == ',') {
                fields.append(line.sliced(from, i - from));
                from = i + 1;
            }
        return fields;
    }();
    if (f.size() != 6)
        return std::nullopt;
    const std::optional<Stamp> time = parseIsoTime(f[0]);
    if (!time)
        return std::nullopt;
    if (f[5] == QByteArrayView("gap") && f[1].isEmpty() && f[2].isEmpty() && f[3].isEmpty() && f[4].isEmpty())
        return ReadingsLine{*time, std::nullopt};
    const std::optional<std::uint16_t> tenths = tenthsOf(f[1]);
    const std::optional<std::uint8_t> range = rangeCodeOf(f[4]);
    const bool a = f[2] == QByteArrayView("A"), fast = f[3] == QByteArrayView("FAST");
    const bool over = f[5] == QByteArrayView("over"), under = f[5] == QByteArrayView("under");
    if (!tenths || !range || (!a && f[2] != QByteArrayView("C")) || (!fast && f[3] != QByteArrayView("SLOW")) ||
        (!over && !under && !f[5].isEmpty()))
        return std::nullopt;
    Reading r;
    r.time = *time;
    r.tenths = *tenths;
    r.aWeighting = a;
    r.fast = fast;
    r.over = over;
    r.under = under;
    r.rangeCode = *range;
    return ReadingsLine{*time, r};
}

QByteArray eventLine(const Stamp &start, const analysis::NoiseEvent &e)
{
    return isoTime(start) + ',' + decimal(e.seconds) + ',' + decimal(e.lmax) + ',' + decimal(e.sel) +
           (e.touchesMissing ? ",yes" : ",no");
}

QByteArrayView firstField(QByteArrayView line)
{
    const qsizetype comma = line.indexOf(',');
    return comma < 0 ? line : line.first(comma);
}

} // namespace ql708::monitor

// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/WavNaming.h"

#include <QFileInfo>

#include <algorithm>

namespace ql708::graph {

namespace {

constexpr int kRestWithoutFile = 3; // seconds
constexpr int kNameLength = 8;

// The next character; true when it went past the last one and carries.
bool advance(QChar &c, bool lowerCase)
{
    const char16_t u = c.unicode();
    if ((u >= u'0' && u <= u'8') || (u >= u'A' && u <= u'Y') || (u >= u'a' && u <= u'y')) {
        c = QChar(char16_t(u + 1));
        return false;
    }
    if (u == u'9') {
        c = QChar(lowerCase ? u'a' : u'A');
        return false;
    }
    c = QChar(u'0');
    return true;
}

// A name with small letters and no capitals: its files count on in small letters.
bool writtenInLowerCase(const QString &name)
{
    return name.toUpper() != name && name.toLower() == name;
}

} // namespace

bool namesRecording(const QString &waveName)
{
    if (waveName.isEmpty() || waveName.startsWith(QLatin1String("00")) || waveName.startsWith(QLatin1Char('.')))
        return false;
    return std::none_of(waveName.cbegin(), waveName.cend(), [](QChar c) {
        return c.unicode() < 0x20 || c.unicode() == 0x7F || QStringLiteral("/\\:*?\"<>|").contains(c);
    });
}

void advanceNameChars(QChar &c7, QChar &c8, bool lowerCase)
{
    if (advance(c8, lowerCase))
        advance(c7, lowerCase);
}

QString wavFileName(const QString &first, int k)
{
    if (k == 0)
        return first;
    if (first.size() < kNameLength)
        return {};
    QString name = first;
    QChar c7 = name[6], c8 = name[7];
    const bool lowerCase = writtenInLowerCase(first.left(kNameLength));
    // Once both characters are of the alphabet (after at most 37 steps) they come round again
    // every 36 x 36 steps.
    constexpr int kCycle = 36 * 36;
    const int steps = k < kCycle ? k : kCycle + k % kCycle;
    for (int step = 0; step < steps; ++step)
        advanceNameChars(c7, c8, lowerCase);
    name[6] = c7;
    name[7] = c8;
    return name;
}

int wavFileCount(int rate, int pointCount)
{
    const qint64 span = pointCount >= 2 ? qint64(rate) * (pointCount - 1) : 0;
    const qint64 count = span / kWavFileSeconds + (span % kWavFileSeconds > kRestWithoutFile ? 1 : 0);
    return int(std::max<qint64>(count, 1));
}

RecordingFiles recordingFiles(const QString &firstFile, int rate, int pointCount)
{
    const QFileInfo file(firstFile);
    return {file.absolutePath() + QLatin1Char('/'), file.fileName(), wavFileCount(rate, pointCount)};
}

QString projectFolderName(const QString &first)
{
    return QFileInfo(first).completeBaseName().left(kNameLength);
}

} // namespace ql708::graph

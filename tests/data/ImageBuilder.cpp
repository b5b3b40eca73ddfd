// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/data/ImageBuilder.h"

namespace ql708::test {

namespace {

void put(QByteArray &b, int at, std::uint32_t v, int size)
{
    for (int i = size - 1; i >= 0; --i, v >>= 8)
        b[at + i] = char(v & 0xFF);
}

QByteArray record(const RecordShape &r)
{
    QByteArray b(24, '\0');
    b[0] = char(r.startMarkers ? 0xA5 : 0x00);
    b[1] = char(r.startMarkers ? 0x5A : 0x00);
    for (int i = 0; i < 6; ++i)
        b[3 + i] = r.start[i];
    b[10] = char(r.rate);
    put(b, 11, std::uint32_t(r.countField.value_or(int(r.points.size()))), 3);
    b[14] = char(r.flags);
    for (int i = 0; i < 8; ++i)
        b[15 + i] = r.wave[i];
    for (std::uint16_t p : r.points)
        b += char(p >> 8), b += char(p & 0xFF);
    b += char(r.endMarkers ? 0x5A : 0x00);
    b += char(r.endMarkers ? 0xA5 : 0x00);
    return b;
}

} // namespace

QByteArray buildImage(const QList<RecordShape> &records, std::optional<int> setCount, std::optional<int> lastAddress)
{
    QByteArray image(256, '\0');
    for (const RecordShape &r : records)
        image += record(r);
    image[0] = 0x04;
    image[31] = 0x05;
    put(image, 9, std::uint32_t(setCount.value_or(int(records.size()))), 2);
    put(image, 11, std::uint32_t(lastAddress.value_or(int(image.size()) - 1)), 3);
    put(image, 14, 2, 2);
    return image;
}

RecordShape steadyRecord(int n, std::uint16_t tenths)
{
    RecordShape r;
    r.points = QList<std::uint16_t>(n, tenths);
    return r;
}

} // namespace ql708::test

// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/MemoryImage.h"

#include "common/Clock.h"


#include <algorithm>

namespace ql708::data {

using namespace memory_layout;

namespace {

constexpr int kLowestTenths = 200;
constexpr int kHighestTenths = 1400;
// Rates above a minute are the meter's mistake; such a set is read at 2 s.
constexpr int kMaxRate = 60;
constexpr int kRateReplacement = 2;

// Reads the image up to a bound: the caller checks with has() before every at().
class ImageReader {
public:
    ImageReader(QByteArrayView image, qint64 bound) : m_image(image), m_bound(bound) {}

    qint64 bound() const { return m_bound; }
    bool has(qint64 k) const { return k >= 0 && k <= m_bound; }
    std::uint8_t at(qint64 k) const { return std::uint8_t(m_image[k]); }
    qint64 number(qint64 k, int size) const
    {
        qint64 v = 0;
        for (int i = 0; i < size; ++i)
            v = v << 8 | at(k + i);
        return v;
    }
    bool endMarkersAt(qint64 e) const
    {
        return has(e) && e >= 1 && at(e - 1) == kMarker5A && at(e) == kMarkerA5;
    }

private:
    QByteArrayView m_image;
    qint64 m_bound;
};

// One BCD field of a start time; a byte that is no BCD takes the present moment's field.
int bcdField(std::uint8_t b, int present)
{
    const int v = bcdToInt(b);
    return v < 0 ? present : v;
}

TDateTime recordStartTime(const ImageReader &r, qint64 p, const QDateTime &now)
{
    const QDate today = now.date();
    const QTime clockNow = now.time();
    const qint64 f = p + kStartAt;
    const int yearBcd = bcdToInt(r.at(f));
    const QDate date(yearBcd < 0 ? today.year() : 2000 + yearBcd, bcdField(r.at(f + 1), today.month()),
                     bcdField(r.at(f + 2), today.day()));
    const QTime time(bcdField(r.at(f + 3), clockNow.hour()), bcdField(r.at(f + 4), clockNow.minute()),
                     bcdField(r.at(f + 5), clockNow.second()));
    if (!date.isValid() || !time.isValid())
        return toTDateTime(now);
    // Taken as written, whatever the local clock changes do at that moment.
    return toTDateTime(QDateTime(date, time, Qt::UTC));
}

QString waveName(const ImageReader &r, qint64 p)
{
    QString name;
    for (int i = 0; i < kWaveNameSize; ++i)
        name += QChar(char16_t(r.at(p + kWaveNameAt + i)));
    return name.startsWith(QLatin1String("00")) ? QString() : name;
}

// The first end markers 5A A5 at an even distance from a search's start, inside the bound.
// Each record's search starts beyond the one before, so the last answer also answers a later
// search that starts at or before it, and "none" stays none: the walk reads every byte of the
// image at most once, however many records lack their markers.
class EndMarkerSearch {
public:
    explicit EndMarkerSearch(const ImageReader &r, QByteArrayView image)
        : m_r(r), m_image(image.first(std::max<qint64>(r.bound() + 1, 0)))
    {
    }

    // The offset j >= from, of from's parity, with 5A at j and A5 at j + 1; -1 when none.
    qint64 from(qint64 from)
    {
        const bool cached = m_searched && from >= m_start && (from - m_start) % 2 == 0;
        if (!cached || (m_found >= 0 && m_found < from)) {
            m_start = from;
            m_found = find(from);
            m_searched = true;
        }
        return m_found;
    }

private:
    qint64 find(qint64 from) const
    {
        // The first byte alone is looked for: a search for one byte runs through a memory full
        // of anything else many times faster than one for two.
        for (qint64 j = from; m_r.has(j + 1); ++j) {
            j = m_image.indexOf(char(kMarker5A), j);
            if (j < 0 || !m_r.has(j + 1))
                return -1;
            if ((j - from) % 2 == 0 && m_r.at(j + 1) == kMarkerA5)
                return j;
        }
        return -1;
    }

    const ImageReader &m_r;
    QByteArrayView m_image;
    bool m_searched = false;
    qint64 m_start = 0, m_found = -1;
};

// The end of the record at p: from its point count, else the first end markers found.
qint64 endOfRecordAt(const ImageReader &r, EndMarkerSearch &search, qint64 p)
{
    const qint64 fromCount = recordEnd(p, r.number(p + kPointCountAt, 3));
    if (r.endMarkersAt(fromCount))
        return fromCount;
    const qint64 j = search.from(p + kPointsAt);
    return j >= 0 ? j + 1 : fromCount;
}

// Appends the points of one set with its figures.
void appendPoints(const ImageReader &r, qint64 first, std::int32_t count, TDateTime start, int rate,
                  DataSetList &out)
{
    const std::size_t from = out.levels.size();
    for (std::int32_t i = 0; i < count; ++i) {
        const qint64 at = first + qint64(kPointSize) * i;
        out.levels.push_back(decodeLevel(r.at(at), r.at(at + 1)));
        out.times.push_back(pointTime(start, rate, std::size_t(i)));
    }
    out.summaries.push_back(summarizeLevels(std::span<const float>(out.levels).subspan(from)));
}

} // namespace

qint32 lastAddressOf(QByteArrayView image)
{
    if (image.size() < kLastAddressAt + 3)
        return -1;
    return qint32(ImageReader(image, image.size() - 1).number(kLastAddressAt, 3));
}

float decodeLevel(std::uint8_t b0, std::uint8_t b1)
{
    const int tenths = (b0 << 8 | b1) & kPointLevelMask;
    if (tenths < kLowestTenths || tenths > kHighestTenths)
        return kOutOfRangeLevel;
    return float(tenths * 0.1);
}

int ParseMemoryImage(QByteArrayView image, qint32 lastAddress, DataSetList &list)
{
    const ImageReader header(image, image.size() - 1);
    const int n = header.has(kSetCountAt + 1) ? int(header.number(kSetCountAt, 2)) : 0;
    if (n == 0)
        return parse_result::kNoSets;
    if (n > kMaxSets)
        return parse_result::kTooManySets;

    const ImageReader r(image, std::min<qint64>(lastAddress, image.size() - 1));
    const QDateTime now = clock().now();
    DataSetList fresh;
    fresh.levels.reserve(std::size_t(std::max<qint64>(r.bound() - kHeaderSize, 0) / kPointSize));
    fresh.times.reserve(fresh.levels.capacity());
    EndMarkerSearch search(r, image);
    int result = parse_result::kOk;
    qint64 p = kFirstRecordAt;
    for (int k = 0; k < n; ++k) {
        if (!r.has(p + kPointsAt - 1)) { // not even the record's head lies inside the bound
            result = parse_result::kPastEnd;
            break;
        }
        const qint64 e = endOfRecordAt(r, search, p);
        qint64 count = std::max<qint64>((e - recordEnd(p, 0)) / kPointSize, 0);
        if (r.at(p + kStartMarkersAt) != kMarkerA5 || r.at(p + kStartMarkersAt + 1) != kMarker5A || !r.endMarkersAt(e))
            result = parse_result::kBadMarkers;
        if (!r.has(e)) {
            result = parse_result::kPastEnd;
            count = std::max<qint64>((r.bound() - p - kPointsAt + 1) / kPointSize, 0); // the whole points inside
        }
        const TDateTime start = recordStartTime(r, p, now);
        int rate = r.at(p + kRateAt);
        if (rate > kMaxRate)
            rate = kRateReplacement;
        fresh.startTimes.push_back(start);
        fresh.rates.push_back(rate);
        fresh.pointCounts.push_back(std::int32_t(count));
        fresh.modeFlags.push_back(r.at(p + kFlagsAt));
        fresh.recordStarts.push_back(std::int32_t(p));
        fresh.recordEnds.push_back(std::int32_t(e));
        fresh.waveNames.push_back(waveName(r, p));
        appendPoints(r, p + kPointsAt, std::int32_t(count), start, rate, fresh);
        p = e + 1;
    }
    // A memory that ends before its first record's head is cut there too (34), with no set.
    list = std::move(fresh);
    return result;
}

} // namespace ql708::data

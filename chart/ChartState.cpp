// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartState.h"

#include "common/DateTime.h"
#include "common/SaveFile.h"

#include <QFile>
#include <QStringDecoder>
#include <QtEndian>
#include <array>
#include <cmath>
#include <cstring>

namespace ql708::chart {

namespace {

constexpr int kHeaderSize = 16;
constexpr int kMaxFontSize = 96;
constexpr int kMaxLineTextSize = 1000;

} // namespace

quint32 chartBlockChecksum(QByteArrayView data)
{
    static const auto table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    quint32 c = 0xFFFFFFFFu;
    for (char b : data)
        c = table[(c ^ quint8(b)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

namespace {

class Writer {
public:
    void u8(quint8 v) { m_out.append(char(v)); }
    void b(bool v) { u8(v ? 1 : 0); }
    void u16(quint16 v) { raw(v, 2); }
    void u32(quint32 v) { raw(v, 4); }
    void i32(qint32 v) { raw(quint32(v), 4); }
    void f32(float v) { quint32 u; std::memcpy(&u, &v, 4); raw(u, 4); }
    void f64(double v) { quint64 u; std::memcpy(&u, &v, 8); raw(u, 8); }
    void str(const QString &s)
    {
        const QByteArray utf8 = s.toUtf8();
        u32(quint32(utf8.size()));
        m_out.append(utf8);
    }
    void font(const ChartFont &f) { str(f.family); i32(f.pointSize); b(f.bold); }
    QByteArray &bytes() { return m_out; }

private:
    void raw(quint64 v, int n)
    {
        for (int i = 0; i < n; ++i)
            m_out.append(char(v >> (8 * i) & 0xFF));
    }
    QByteArray m_out;
};

// Reads the payload front to back. The first fault is kept; later reads return zeros, so a
// section can be read straight through and checked once.
class Reader {
public:
    explicit Reader(QByteArrayView d) : m_d(d) {}
    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    qint64 remaining() const { return m_d.size() - m_pos; }
    void fail(const QString &why) { if (ok()) m_error = why; }
    bool check(bool cond, const char *what) { if (!cond) fail(QString::fromLatin1(what)); return cond; }

    quint64 raw(int n)
    {
        if (!ok() || remaining() < n) {
            fail(QStringLiteral("the data ends early"));
            return 0;
        }
        quint64 v = 0;
        for (int i = 0; i < n; ++i)
            v |= quint64(quint8(m_d[m_pos + i])) << (8 * i);
        m_pos += n;
        return v;
    }
    quint8 u8() { return quint8(raw(1)); }
    quint32 u32() { return quint32(raw(4)); }
    qint32 i32() { return qint32(quint32(raw(4))); }
    bool b()
    {
        const quint8 v = u8();
        check(v <= 1, "a yes/no value is neither 0 nor 1");
        return v == 1;
    }
    quint8 code(quint8 max, const char *what) { const quint8 v = u8(); check(v <= max, what); return v; }
    int ranged(int lo, int hi, const char *what) { const int v = i32(); check(v >= lo && v <= hi, what); return v; }
    float f32() { const quint32 u = quint32(raw(4)); float v; std::memcpy(&v, &u, 4); return v; }
    double f64() { const quint64 u = raw(8); double v; std::memcpy(&v, &u, 8); return v; }
    double finite(const char *what) { const double v = f64(); check(std::isfinite(v), what); return ok() ? v : 0.0; }
    QString str()
    {
        const quint32 n = u32();
        if (!check(n <= quint32(4 * ChartModel::kMaxTextLength), "a text is too long") || !check(n <= remaining(), "the data ends early"))
            return {};
        // A text may well start with U+FEFF; it is the user's character, not a byte order mark.
        QStringDecoder dec(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        QString s = dec(m_d.sliced(m_pos, n));
        m_pos += n;
        check(!dec.hasError(), "a text is not valid UTF-8");
        check(s.size() <= ChartModel::kMaxTextLength, "a text is too long");
        return ok() ? s : QString();
    }
    ChartFont font()
    {
        ChartFont f;
        f.family = str();
        f.pointSize = ranged(1, kMaxFontSize, "a font size is out of range");
        f.bold = b();
        return f;
    }
    quint32 count(quint32 max, const char *what) { const quint32 n = u32(); return check(n <= max, what) ? n : 0; }

private:
    QByteArrayView m_d;
    qint64 m_pos = 0;
    QString m_error;
};

void writeScale(Writer &w, const Scale &s) { w.u8(s.control); w.f64(s.min); w.f64(s.max); }

Scale readScale(Reader &r)
{
    Scale s;
    s.control = ManualScaleControl(r.code(sgManualMinAndMax, "a scale mode is unknown"));
    s.min = r.finite("a scale limit is not a number");
    s.max = r.finite("a scale limit is not a number");
    return s;
}

void writeBehaviour(Writer &w, const ChartBehaviour &b)
{
    w.b(b.usingXDataII); w.b(b.subsetByPoint); w.i32(b.workingAxis); w.u8(b.dateTimeMode);
    w.u8(b.allowZooming); w.b(b.scrollingHorzZoom); w.b(b.scrollingVertZoom);
    w.b(b.showVertLineAnnotations); w.b(b.allowVertLineAnnotHotSpots); w.i32(b.lineAnnotationTextSize);
    w.b(b.allowGraphAnnotHotSpots); w.b(b.allowDataHotSpots);
    w.b(b.allowPage1); w.b(b.allowPage2); w.b(b.allowSubsetsPage); w.b(b.allowFontPage);
}

ChartBehaviour readBehaviour(Reader &r)
{
    ChartBehaviour b;
    b.usingXDataII = r.b(); b.subsetByPoint = r.b();
    b.workingAxis = r.ranged(0, 0, "the working axis is unknown");
    b.dateTimeMode = DateTimeMode(r.code(sgVBDateTime, "the date-time mode is unknown"));
    b.allowZooming = Zooming(r.code(sgHorzPlusVertZooming, "the zoom mode is unknown"));
    b.scrollingHorzZoom = r.b(); b.scrollingVertZoom = r.b();
    b.showVertLineAnnotations = r.b(); b.allowVertLineAnnotHotSpots = r.b();
    b.lineAnnotationTextSize = r.ranged(1, kMaxLineTextSize, "the line text size is out of range");
    b.allowGraphAnnotHotSpots = r.b(); b.allowDataHotSpots = r.b();
    b.allowPage1 = r.b(); b.allowPage2 = r.b(); b.allowSubsetsPage = r.b(); b.allowFontPage = r.b();
    return b;
}

void writeLook(Writer &w, const ChartLook &l)
{
    w.str(l.mainTitle); w.str(l.subTitle); w.str(l.xAxisLabel); w.u32(l.yAxisColor);
    w.u8(l.gridStyle); w.u8(l.allowDataLabels); w.b(l.allowPopup); w.b(l.noHelp); w.b(l.prepareImages);
    w.u8(l.viewingStyle); w.i32(l.arrowCursor); w.font(l.titleFont); w.font(l.labelFont);
    w.u32(quint32(l.subsetLabels.size()));
    for (const auto &s : l.subsetLabels) w.str(s);
    w.u32(quint32(l.subsetColors.size()));
    for (quint32 c : l.subsetColors) w.u32(c);
    w.u32(quint32(l.subsetLineTypes.size()));
    for (int t : l.subsetLineTypes) w.i32(t);
}

ChartLook readLook(Reader &r)
{
    ChartLook l;
    l.mainTitle = r.str(); l.subTitle = r.str(); l.xAxisLabel = r.str(); l.yAxisColor = r.u32();
    l.gridStyle = GridStyle(r.code(sgNoGrid, "the grid style is unknown"));
    l.allowDataLabels = DataLabels(r.code(sgDataValues, "the data label mode is unknown"));
    l.allowPopup = r.b(); l.noHelp = r.b(); l.prepareImages = r.b();
    l.viewingStyle = ViewingStyle(r.code(sgMonochrome, "the viewing style is unknown"));
    l.arrowCursor = r.ranged(0, kMaxArrowCursor, "the cursor code is unknown");
    l.titleFont = r.font(); l.labelFont = r.font();
    const char *tooMany = "there are too many subset settings";
    for (quint32 i = 0, n = r.count(ChartModel::kMaxSubsets, tooMany); i < n && r.ok(); ++i)
        l.subsetLabels.push_back(r.str());
    for (quint32 i = 0, n = r.count(ChartModel::kMaxSubsets, tooMany); i < n && r.ok(); ++i)
        l.subsetColors.push_back(r.u32());
    for (quint32 i = 0, n = r.count(ChartModel::kMaxSubsets, tooMany); i < n && r.ok(); ++i)
        l.subsetLineTypes.push_back(r.ranged(0, kMaxLineType, "a line type is unknown"));
    return l;
}

void writeData(Writer &w, const ChartModel &m)
{
    // Without subsets there are no cells, whatever the point count: none is stored.
    w.u32(quint32(m.subsets())); w.u32(quint32(m.subsets() > 0 ? m.points() : 0));
    for (int s = 0; s < m.subsets(); ++s) {
        for (int p = 0; p < m.points(); ++p) w.f64(m.xData(s)[p]);
        for (int p = 0; p < m.points(); ++p) w.f32(m.yData(s)[p]);
    }
}

// The counts are checked against each other and against the bytes left before anything is
// allocated; the values then go straight into the model's cells.
void readData(Reader &r, ChartModel &m)
{
    const quint32 subsets = r.count(ChartModel::kMaxSubsets, "there are too many subsets");
    const quint32 points = r.count(ChartModel::kMaxPoints, "there are too many points");
    if (!r.check(subsets > 0 || points == 0, "there are points but no subsets")
        || !r.check(qint64(subsets) * points <= ChartModel::kMaxCells, "there are too many points")
        || !r.check(qint64(subsets) * points * 12 <= r.remaining(), "the data ends early"))
        return;
    m.setSubsets(int(subsets));
    m.setPoints(int(points));
    for (int s = 0; s < int(subsets) && r.ok(); ++s) {
        for (int p = 0; p < int(points); ++p) {
            const double x = r.finite("a date-time is not a number");
            // 0 is a point never filled; any other time the program writes is a calendar day.
            r.check(x == 0.0 || isCalendarTime(x), "a date-time lies outside the calendar");
            m.setX(s, p, x);
        }
        for (int p = 0; p < int(points); ++p) {
            const float v = r.f32();
            r.check(std::isfinite(v), "a level is not a number");
            m.setY(s, p, v);
        }
    }
}

void writeAnnotations(Writer &w, const ChartModel &m)
{
    w.u32(quint32(m.vertLineCount()));
    for (int i = 0; i < m.vertLineCount(); ++i) {
        const VertLine l = m.vertLine(i);
        w.f64(l.x); w.u32(l.color); w.i32(l.type); w.str(l.text);
    }
    w.u32(quint32(m.annotationCount()));
    for (int i = 0; i < m.annotationCount(); ++i) {
        const GraphAnnotation a = m.annotation(i);
        w.f64(a.x); w.f64(a.y); w.i32(a.type); w.u32(a.color); w.str(a.text);
    }
}

void readAnnotations(Reader &r, ChartModel &m)
{
    const quint32 lines = r.count(ChartModel::kMaxVertLines, "there are too many vertical lines");
    for (quint32 i = 0; i < lines && r.ok(); ++i) {
        VertLine *l = m.vertLineSlot(int(i));
        l->x = r.finite("a line position is not a number");
        l->color = r.u32();
        l->type = r.ranged(0, kMaxLineType, "a line type is unknown");
        l->text = r.str();
    }
    const quint32 annots = r.count(ChartModel::kMaxGraphAnnotations, "there are too many annotations");
    // Each annotation takes at least 28 bytes (two doubles, type, colour, text length).
    if (!r.check(qint64(annots) * 28 <= r.remaining(), "the data ends early"))
        return;
    for (quint32 i = 0; i < annots && r.ok(); ++i) {
        GraphAnnotation *a = m.annotationSlot(int(i));
        a->x = r.finite("an annotation position is not a number");
        a->y = r.finite("an annotation position is not a number");
        a->type = r.ranged(0, kMaxSymbolType, "an annotation type is unknown");
        a->color = r.u32();
        a->text = r.str();
    }
}

QString damaged(const QString &why) { return QStringLiteral("The graph data is damaged: %1.").arg(why); }

} // namespace

QByteArray serializeChart(const ChartModel &model)
{
    // One buffer, header first and filled in last: a chart of millions of points is not copied.
    Writer w;
    w.bytes().reserve(kHeaderSize + 4096 + qint64(model.subsets()) * model.points() * 12);
    w.u32(kChartStateMagic);
    w.u16(kChartStateVersion);
    w.u16(0);
    w.u32(0);
    w.u32(0);
    writeScale(w, model.scaleY);
    writeScale(w, model.scaleX);
    writeBehaviour(w, model.behaviour);
    writeLook(w, model.look);
    writeData(w, model);
    writeAnnotations(w, model);

    QByteArray &block = w.bytes();
    const QByteArrayView payload = QByteArrayView(block).sliced(kHeaderSize);
    qToLittleEndian<quint32>(quint32(payload.size()), block.data() + 8);
    qToLittleEndian<quint32>(chartBlockChecksum(payload), block.data() + 12);
    return std::move(block);
}

namespace {

// The magic and the version at the head of a block: a file that is not a graph, or of another
// version, is told apart before anything it claims is believed.
bool checkChartHeader(QByteArrayView block, QString *error)
{
    Reader head(block);
    const quint32 magic = head.u32();
    const quint32 version = quint32(head.raw(2));
    QString why;
    if (block.size() < kHeaderSize || magic != kChartStateMagic)
        why = QStringLiteral("The data is not a graph.");
    else if (version != kChartStateVersion)
        why = QStringLiteral("Graph data of version %1 is not supported (this program reads version %2).")
                  .arg(version).arg(kChartStateVersion);
    if (error && !why.isEmpty())
        *error = why;
    return why.isEmpty();
}

} // namespace

bool deserializeChart(QByteArrayView block, ChartModel &out, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    QString why;
    if (!checkChartHeader(block, &why))
        return fail(why);
    Reader head(block.sliced(8));
    const quint32 size = head.u32();
    const quint32 crc = head.u32();
    if (qint64(size) != block.size() - kHeaderSize)
        return fail(damaged(QStringLiteral("its size does not match")));
    const QByteArrayView payload = block.sliced(kHeaderSize);
    if (chartBlockChecksum(payload) != crc)
        return fail(damaged(QStringLiteral("its checksum does not match")));

    Reader r(payload);
    ChartModel m;
    m.scaleY = readScale(r);
    m.scaleX = readScale(r);
    m.behaviour = readBehaviour(r);
    m.look = readLook(r);
    readData(r, m);
    readAnnotations(r, m);
    r.check(r.remaining() == 0, "there are bytes after its end");
    if (!r.ok())
        return fail(damaged(r.error()));
    out = std::move(m);
    return true;
}

bool saveChartModelFile(const ChartModel &model, const QString &path, QString *error)
{
    QByteArray bytes = serializeChart(model);
    QByteArray size(4, '\0');
    qToLittleEndian(quint32(bytes.size()), size.data());
    bytes.prepend(size);
    QString reason;
    if (saveFile(path, bytes, &reason))
        return true;
    if (error)
        *error = QStringLiteral("Cannot write %1: %2").arg(path, reason);
    return false;
}

bool loadChartModelFile(ChartModel &model, const QString &path, QString *error)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = QStringLiteral("Cannot load %1: %2").arg(path, why);
        return false;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    const QByteArray sizeBytes = file.read(4);
    if (sizeBytes.size() != 4)
        return fail(QStringLiteral("The file is too short to be a graph."));
    quint32 size = 0;
    for (int i = 0; i < 4; ++i)
        size |= quint32(quint8(sizeBytes[i])) << (8 * i);
    // What the file is, before reading the size it claims.
    QByteArray block = file.read(kHeaderSize);
    QString why;
    if (!checkChartHeader(block, &why))
        return fail(why);
    if (qint64(size) > kMaxChartBlockSize || qint64(size) > file.size() - 4)
        return fail(damaged(QStringLiteral("its size is larger than the file")));
    if (size < quint32(kHeaderSize))
        return fail(damaged(QStringLiteral("its size does not match")));
    block += file.read(size - kHeaderSize);
    if (block.size() != qint64(size))
        return fail(damaged(QStringLiteral("the data ends early")));
    if (!deserializeChart(block, model, &why))
        return fail(why);
    return true;
}

} // namespace ql708::chart

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartFixture.h"
#include "chart/ChartFile.h"
#include "chart/ChartState.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <cmath>
#include <cstring>

using namespace ql708::chart;

namespace {

constexpr int kHeader = 16;

// The block with its header's payload size and checksum made to fit the payload again, so that
// a test reaches the field it damages.
QByteArray resealed(QByteArray block)
{
    const QByteArrayView payload = QByteArrayView(block).sliced(kHeader);
    qToLittleEndian<quint32>(quint32(payload.size()), block.data() + 8);
    qToLittleEndian<quint32>(chartBlockChecksum(payload), block.data() + 12);
    return block;
}

QByteArray withU32(QByteArray block, qsizetype at, quint32 v)
{
    qToLittleEndian<quint32>(v, block.data() + at);
    return resealed(block);
}

QByteArray withByte(QByteArray block, qsizetype at, char v, bool reseal = true)
{
    block[at] = v;
    return reseal ? resealed(block) : block;
}

QByteArray withF64(QByteArray block, qsizetype at, double v)
{
    std::memcpy(block.data() + at, &v, 8);
    return resealed(block);
}

QByteArray withNaN(QByteArray block, qsizetype at, int width)
{
    if (width == 8) {
        const double nan = std::nan("");
        std::memcpy(block.data() + at, &nan, 8);
    } else {
        const float nan = std::nanf("");
        std::memcpy(block.data() + at, &nan, 4);
    }
    return resealed(block);
}

// Blocks whose last fields are known: with no data and no annotations the block ends with the
// subset count, point count, line count and annotation count; with one point and no
// annotations it ends with x (8 bytes), y (4), line count and annotation count.
QByteArray emptyBlock() { return serializeChart(ChartModel()); }

QByteArray onePointBlock()
{
    ChartModel m;
    m.setSubsets(1);
    m.setPoints(1);
    m.setX(0, 0, 45000.0);
    m.setY(0, 0, 50.0f);
    return serializeChart(m);
}

} // namespace

class tst_ChartState : public QObject {
    Q_OBJECT
private slots:
    void roundTripEveryProperty();
    void fileRoundTrip();
    void checksumIsStandardCrc32();
    void textsKeepEveryCharacter();
    void savedAtTheCountLimitsLoadsBack();
    void savedAtTheCellLimitLoadsBack();
    void saveFailureNamesPathAndReason();
    void damagedBlock_data();
    void damagedBlock();
    void damagedFile_data();
    void damagedFile();
};

void tst_ChartState::roundTripEveryProperty()
{
    PESGraph a;
    test::setEveryProperty(a);
    const ChartModel defaults;
    QVERIFY(!(a.model().scaleX == defaults.scaleX) && !(a.model().scaleY == defaults.scaleY));
    QVERIFY(!(a.model().look == defaults.look) && !(a.model().behaviour == defaults.behaviour));

    PESGraph b;
    QString error;
    QVERIFY2(b.loadState(a.storeState(), &error), qPrintable(error));
    QVERIFY(b.model() == a.model());
    QCOMPARE(b.storeState(), a.storeState());
    QCOMPARE(b.yData(0, 2), PESGraph::nullDataValueY());
    QCOMPARE(b.xDataII(1, 4), 45000.5 + 4 / 86400.0);
    QCOMPARE(b.subsetLabel(1), QStringLiteral("Leq é"));
    QCOMPARE(b.vertLineAnnotationColor(2), 255u);
    QCOMPARE(b.vertLineAnnotationText(2), QStringLiteral(" Cursor B"));
    QCOMPARE(b.graphAnnotationText(6), QStringLiteral("12:00:00\r65.0 dB"));
    QCOMPARE(b.graphAnnotationType(5), 2);
    QCOMPARE(b.manualScaleControlX(), sgManualMin);
    QCOMPARE(b.arrowCursor(), 2);
    QCOMPARE(b.labelFont(), (ChartFont{QStringLiteral("Monospace"), 9, true}));
}

void tst_ChartState::fileRoundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("graph.ghf"));
    PESGraph a;
    test::setEveryProperty(a);
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("older template") > 0);
    old.close();

    QString error;
    QVERIFY2(SaveChartFile(a, path, &error), qPrintable(error));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QCOMPARE(qFromLittleEndian<quint32>(bytes.constData()), quint32(bytes.size() - 4));
    QCOMPARE(bytes.mid(4), a.storeState());

    PESGraph b;
    QVERIFY2(LoadChartFile(b, path, &error), qPrintable(error));
    QVERIFY(b.model() == a.model());
}

// Files written by one build load in another: the checksum is the common CRC-32.
void tst_ChartState::checksumIsStandardCrc32()
{
    QCOMPARE(chartBlockChecksum("123456789"), 0xCBF43926u);
    QCOMPARE(chartBlockChecksum(""), 0u);
}

void tst_ChartState::textsKeepEveryCharacter()
{
    ChartModel m;
    m.look.mainTitle = QString(QChar(0xFEFF)) + QStringLiteral("north fence");
    m.look.xAxisLabel = QString(2, QChar(0xFEFF));
    m.setSubsetLabel(0, QString::fromUtf8("\xF0\x9D\x84\x9E Leq \xE2\x82\xAC"));
    m.annotationSlot(3)->text = QStringLiteral("a\r\nb");
    ChartModel loaded;
    QString error;
    QVERIFY2(deserializeChart(serializeChart(m), loaded, &error), qPrintable(error));
    QCOMPARE(loaded.look.mainTitle, m.look.mainTitle);
    QCOMPARE(loaded.look.xAxisLabel.size(), 2);
    QVERIFY(loaded == m);
}

// Every count and range at its highest allowed value: the bounds are the limits, not one below.
void tst_ChartState::savedAtTheCountLimitsLoadsBack()
{
    const QString longest = QString(ChartModel::kMaxTextLength - 2, QChar(0x20AC)) + QString::fromUtf8("\xF0\x9D\x84\x9E");
    ChartModel m;
    m.setSubsets(ChartModel::kMaxSubsets);
    m.setPoints(2);
    for (int s = 0; s < ChartModel::kMaxSubsets; ++s) {
        m.setX(s, 1, 45000.0 + s);
        m.setY(s, 1, 60.0f);
        m.setSubsetLabel(s, longest);
        m.setSubsetColor(s, 0xFFFFFFFFu);
        m.setSubsetLineType(s, kMaxLineType);
    }
    m.look.mainTitle = longest;
    m.look.titleFont.pointSize = 96;
    m.look.arrowCursor = kMaxArrowCursor;
    m.behaviour.lineAnnotationTextSize = 1000;
    for (int i = 0; i < ChartModel::kMaxVertLines; ++i) {
        m.vertLineSlot(i)->type = kMaxLineType;
        m.vertLineSlot(i)->text = longest;
    }
    m.annotationSlot(ChartModel::kMaxGraphAnnotations - 1)->type = kMaxSymbolType;
    m.annotationSlot(ChartModel::kMaxGraphAnnotations - 1)->text = longest;
    QCOMPARE(m.annotationCount(), ChartModel::kMaxGraphAnnotations);

    ChartModel loaded;
    QString error;
    QVERIFY2(deserializeChart(serializeChart(m), loaded, &error), qPrintable(error));
    QVERIFY(loaded == m);
}

void tst_ChartState::savedAtTheCellLimitLoadsBack()
{
    const int points = ChartModel::kMaxPoints;
    QByteArray block;
    {
        ChartModel m;
        m.setSubsets(int(ChartModel::kMaxCells / points));
        QVERIFY(m.setPoints(points));
        m.setX(1, points - 1, 45001.0);
        m.setY(1, points - 1, 42.5f);
        block = serializeChart(m);
    }
    ChartModel loaded;
    QString error;
    QVERIFY2(deserializeChart(block, loaded, &error), qPrintable(error));
    QCOMPARE(qint64(loaded.subsets()) * loaded.points(), ChartModel::kMaxCells);
    QCOMPARE(loaded.x(1, points - 1), 45001.0);
    QCOMPARE(loaded.y(1, points - 1), 42.5f);
}

void tst_ChartState::saveFailureNamesPathAndReason()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/graph.ghf"));
    PESGraph a;
    QString error;
    QVERIFY(!SaveChartFile(a, path, &error));
    QVERIFY2(error.contains(path) && error.size() > path.size() + 16, qPrintable(error));
    QVERIFY(!QFile::exists(path));
}

void tst_ChartState::damagedBlock_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<QString>("reason");
    const QByteArray e = emptyBlock();
    const QByteArray one = onePointBlock();
    const qsizetype n = e.size();

    QTest::newRow("empty") << QByteArray() << "not a graph";
    QTest::newRow("header cut") << e.left(10) << "not a graph";
    QTest::newRow("payload cut") << e.left(n - 1) << "size does not match";
    QTest::newRow("cut and resealed") << resealed(e.left(n - 3)) << "ends early";
    QTest::newRow("foreign bytes") << QByteArray("PK\x03\x04 this is some other file format") << "not a graph";
    QTest::newRow("bad magic") << withByte(e, 0, 'X', false) << "not a graph";
    QTest::newRow("newer version") << withByte(e, 4, 2, false) << "version 2";
    QTest::newRow("checksum") << withByte(e, kHeader + 1, 0x55, false) << "checksum";
    QTest::newRow("trailing bytes") << resealed(e + QByteArray(3, '\0')) << "after its end";
    QTest::newRow("unknown scale mode") << withByte(e, kHeader, 9) << "scale mode";
    QTest::newRow("NaN scale limit") << withNaN(e, kHeader + 1, 8) << "scale limit";
    QTest::newRow("yes/no value 2") << withByte(e, kHeader + 34, 2) << "neither 0 nor 1";
    QTest::newRow("absurd subset count") << withU32(e, n - 16, 0x7FFFFFFF) << "too many subsets";
    QTest::newRow("absurd point count") << withU32(e, n - 12, 0xFFFFFFFF) << "too many points";
    QTest::newRow("points without subsets") << withU32(e, n - 12, ChartModel::kMaxPoints) << "no subsets";
    QTest::newRow("points beyond the data") << withU32(withU32(e, n - 16, 64), n - 12, 1000000) << "too many points";
    QTest::newRow("points beyond the block") << withU32(withU32(e, n - 16, 2), n - 12, 1000) << "ends early";
    QTest::newRow("absurd line count") << withU32(e, n - 8, 1u << 30) << "too many vertical lines";
    QTest::newRow("absurd annotation count") << withU32(e, n - 4, 100000) << "too many annotations";
    QTest::newRow("annotations beyond the block") << withU32(e, n - 4, 1000) << "ends early";
    QTest::newRow("NaN date-time") << withNaN(one, one.size() - 20, 8) << "date-time is not a number";
    QTest::newRow("date-time beyond the calendar") << withF64(one, one.size() - 20, 2.1e144) << "outside the calendar";
    QTest::newRow("date-time before year 1") << withF64(one, one.size() - 20, -693594.0) << "outside the calendar";
    QTest::newRow("NaN level") << withNaN(one, one.size() - 12, 4) << "level is not a number";
}

void tst_ChartState::damagedBlock()
{
    QFETCH(QByteArray, block);
    QFETCH(QString, reason);
    PESGraph chart;
    test::setEveryProperty(chart);
    const ChartModel before = chart.model();
    QString error;
    QVERIFY(!chart.loadState(block, &error));
    QVERIFY2(error.contains(reason, Qt::CaseInsensitive), qPrintable(error));
    QVERIFY(chart.model() == before);
}

void tst_ChartState::damagedFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");
    const QByteArray block = emptyBlock();
    QByteArray size(4, '\0');
    qToLittleEndian<quint32>(quint32(block.size()), size.data());
    QByteArray huge(4, '\0');
    qToLittleEndian<quint32>(0xFFFFFFF0u, huge.data());
    QTest::newRow("too short") << QByteArray("ab") << "too short";
    QTest::newRow("size beyond the file") << huge + block << "larger than the file";
    QTest::newRow("block cut") << size + block.left(block.size() - 5) << "larger than the file";
    QTest::newRow("not a graph, whatever size it claims") << huge + QByteArray("PK\x03\x04 some other format here")
                                                          << "not a graph";
    QTest::newRow("block damaged") << size + withByte(block, kHeader + 2, 1, false) << "checksum";
}

void tst_ChartState::damagedFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.ghf"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
    f.close();
    PESGraph chart;
    test::setEveryProperty(chart);
    const ChartModel before = chart.model();
    QString error;
    QVERIFY(!LoadChartFile(chart, path, &error));
    QVERIFY2(error.contains(path) && error.contains(reason, Qt::CaseInsensitive), qPrintable(error));
    QVERIFY(chart.model() == before);
    QVERIFY(!LoadChartFile(chart, dir.filePath(QStringLiteral("none.ghf")), &error));
    QVERIFY(error.contains(QStringLiteral("none.ghf")));
}

QTEST_MAIN(tst_ChartState)
#include "tst_ChartState.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/PESGraph.h"
#include "common/Paths.h"
#include "common/StringTable.h"
#include "data/TableText.h"
#include "graph/TfrmGraph.h"
#include "graph/TfrmList.h"
#include "output/TabularGraph.h"
#include "widgets/ModalRunner.h"

#include <QBuffer>
#include <QLineEdit>
#include <QMdiArea>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

using namespace ql708;
using namespace ql708::graph;

namespace {

QString mainText(const char *key) { return ids(QStringLiteral("frmMain"), QString::fromLatin1(key)); }

} // namespace

class TestTabularGraph : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setActiveLanguage(Language::English); }
    void init();
    void cleanup();
    void tablesBecomeGraphs_data();
    void tablesBecomeGraphs();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QMdiArea> m_area;
    QStringList m_messages;
};

void TestTabularGraph::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    paths::setTestRoot(m_dir->path());
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    m_area = std::make_unique<QMdiArea>();
    m_area->resize(1000, 700);
    m_area->show();
    m_messages.clear();
    setModalHandler([this](QDialog &d) {
        if (auto *box = qobject_cast<QMessageBox *>(&d))
            m_messages << box->text();
        return int(QMessageBox::Ok);
    });
}

void TestTabularGraph::cleanup()
{
    setModalHandler({});
    m_area.reset();
    paths::setTestRoot({});
    QLocale::setDefault(QLocale::c());
}

void TestTabularGraph::tablesBecomeGraphs_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("windows");   // graph windows opened
    QTest::addColumn<int>("points");
    QTest::addColumn<QString>("average");
    QTest::newRow("csv with its spaces") << QByteArray("12/05/2011, 14:03:07.0, 60.0\r\n12/05/2011, 14:03:08.0, 62.0\r\n"
                                                       "12/05/2011, 14:03:09.0, 64.0\r\n")
                                         << QString() << 1 << 3 << "62.0";
    QTest::newRow("one row") << QByteArray("12/05/2011, 14:03:07.0, 60.0\r\n") << QString() << 1 << 1 << "60.0";
    QTest::newRow("no data") << QByteArray(", 14:03:07.0, 60.0\r\n") << mainText("IDS_97") << 0 << 0 << "";
    QTest::newRow("abc: an empty window") << QByteArray("abc, 14:03:07.0, 60.0\r\n")
                                          << "'abc 14:03:07.0'" + mainText("IDS_12").replace("\\n", "\n") << 1 << 0
                                          << "***.* dB ";
}

void TestTabularGraph::tablesBecomeGraphs()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    QFETCH(int, windows);
    QFETCH(int, points);
    QFETCH(QString, average);
    QBuffer in;
    in.setData(file);
    in.open(QIODevice::ReadOnly);
    data::TextTable table;
    data::readTableText(in, data::TextSeparator::Comma, table);
    auto *list = new TfrmList;
    m_area->addSubWindow(list);
    list->setWindowTitle(QStringLiteral("/data/site.csv"));
    list->setTable(std::move(table));
    list->show();

    TfrmGraph *w = output::OutputTabularToGraph(*list, *m_area);
    QCOMPARE(m_messages, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(m_area->subWindowList().size(), 1 + windows);
    if (!windows)
        return;
    QCOMPARE(w->windowTitle(), QStringLiteral("/data/site.csv"));
    QCOMPARE(w->PESGraph1()->points(), points);
    QCOMPARE(w->txtDataNo()->text(), QString::number(points));
    QCOMPARE(w->txtAvgAll()->text(), average);
    if (points > 0) {
        // The time scale spans the rows, and the cursors start on their points.
        QCOMPARE(w->PESGraph1()->manualMinX(), w->PESGraph1()->xDataII(0, 0));
        QCOMPARE(w->PESGraph1()->manualMaxX(), w->PESGraph1()->xDataII(0, points - 1));
        QCOMPARE(w->cursors.cursorA, points / 3);
        QVERIFY(!w->txtCursorATime()->text().isEmpty());
    }
}

QTEST_MAIN(TestTabularGraph)
#include "tst_TabularGraph.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "datalogger/DataLoggerController.h"
#include "app/SingleFileCommands.h"
#include "app/FileCommands.h"
#include "app/TfrmMain.h"
#include "chart/PESGraph.h"
#include "common/Paths.h"
#include "common/StringTable.h"
#include "graph/GraphState.h"
#include "graph/GraphWindows.h"
#include "graph/TfrmGraph.h"
#include "graph/TfrmList.h"
#include "meter/sim/SimulatedMeter.h"
#include "tests/support/FakeClock.h"
#include "widgets/LanguageDispatcher.h"
#include "widgets/ModalRunner.h"
#include "widgets/TfrmOpenSave.h"
#include "widgets/TfrmScope.h"

#include <QAccessible>
#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace ql708;

namespace {

QString mainText(const char *key) { return ids(QStringLiteral("frmMain"), QString::fromLatin1(key)); }

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void putFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

qint64 msOf(double t) { return std::llround(t * 86400000.0); }

// The chart's series 0 as times to the millisecond and levels.
struct Series {
    QList<qint64> ms;
    QList<float> levels;
    bool operator==(const Series &) const = default;
};

Series seriesOf(const chart::PESGraph &chart)
{
    Series s;
    for (int p = 0; p < chart.points(); ++p) {
        s.ms << msOf(chart.xDataII(0, p));
        s.levels << chart.yData(0, p);
    }
    return s;
}

} // namespace

class TestSingleFileCommands : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void downloadedSetThroughCsvTableAndGraphFile_data();
    void downloadedSetThroughCsvTableAndGraphFile();
    void rangesAndTypesRefused_data();
    void rangesAndTypesRefused();
    void closeQuestionKeepsTheWindowUnlessSaved();
    void badGraphFilesOpenNoWindow_data();
    void badGraphFilesOpenNoWindow();
    void chooserAndCommandsFollowTheWindow();

private:
    void answerDialogs();
    graph::TfrmGraph *dataLogger() const { return graph::GraphWindows::instance().dataLogger; }
    graph::TfrmGraph *activeGraph() const { return qobject_cast<graph::TfrmGraph *>(m_main->mdiArea()->activeSubWindow()); }
    void download();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<test::FakeClock> m_clock;
    std::unique_ptr<SimulatedMeter> m_sim;
    std::unique_ptr<TfrmMain> m_main;
    QStringList m_messages;
    QStringList m_files;      // the next file dialogs' names; an empty one cancels
    int m_filter = -1;        // the type chosen in the next save dialog, when not -1
    int m_choice = TfrmOpenSave::SingleSet;
    QStringList m_range;      // "from", "to" for Select; empty for All; "cancel" cancels
    QStringList m_chooserNames;
};

void TestSingleFileCommands::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    paths::setTestRoot(m_dir->path());
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    LanguageDispatcher::instance().setLanguage(Language::English);
    m_clock = std::make_unique<test::FakeClock>();
    m_sim = std::make_unique<SimulatedMeter>();
    m_main = std::make_unique<TfrmMain>(*m_sim);
    m_main->resize(1200, 800);
    m_main->show();
    m_messages.clear();
    m_chooserNames.clear();
    m_files.clear();
    m_range.clear();
    m_filter = -1;
    m_choice = TfrmOpenSave::SingleSet;
    graph::graphState().loggerDataUnsaved = false;
    answerDialogs();
}

void TestSingleFileCommands::cleanup()
{
    setModalHandler({});
    graph::graphState().loggerDataUnsaved = false;
    m_main->mdiArea()->closeAllSubWindows();
    m_main.reset();
    paths::setTestRoot({});
    QLocale::setDefault(QLocale::c());
}

void TestSingleFileCommands::answerDialogs()
{
    setModalHandler([this](QDialog &d) {
        if (auto *box = qobject_cast<QMessageBox *>(&d)) {
            m_messages << box->text();
            return int(QMessageBox::Yes);
        }
        if (auto *chooser = qobject_cast<TfrmOpenSave *>(&d)) {
            QAccessibleInterface *second = QAccessible::queryAccessibleInterface(chooser->btnOpenSingleSet());
            m_chooserNames << (chooser->btnOpenSingleSet()->isEnabled() ? second->text(QAccessible::Name) : QString());
            return m_choice;
        }
        if (auto *scope = qobject_cast<TfrmScope *>(&d)) {
            if (m_range.value(0) == QLatin1String("cancel"))
                return int(TfrmScope::Cancel);
            if (!m_range.isEmpty()) {
                scope->radNo()->setChecked(true);
                scope->edtSelFrom()->setText(m_range.value(0));
                scope->edtSelTo()->setText(m_range.value(1));
            }
            return int(TfrmScope::OK);
        }
        if (auto *files = qobject_cast<QFileDialog *>(&d)) {
            const QString name = m_files.isEmpty() ? QString() : m_files.takeFirst();
            if (name.isEmpty())
                return int(QDialog::Rejected);
            if (m_filter >= 0)
                files->selectNameFilter(files->nameFilters().value(m_filter));
            files->selectFile(name);
            return int(QDialog::Accepted);
        }
        return int(QDialog::Rejected);
    });
}

void TestSingleFileCommands::download()
{
    m_main->MainTimerTimer();
    m_main->MainTimerTimer();
    m_main->LoadData1()->trigger();
    QVERIFY(dataLogger());
    QVERIFY(dataLogger()->PESGraph1()->points() > 3);
}

void TestSingleFileCommands::downloadedSetThroughCsvTableAndGraphFile_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("filter");
    QTest::newRow("English csv") << QLocale(QLocale::English, QLocale::UnitedKingdom) << "set.csv" << -1;
    QTest::newRow("French txt") << QLocale(QLocale::French, QLocale::France) << "set.txt" << -1;
    QTest::newRow("French csv typed") << QLocale(QLocale::French, QLocale::France) << "set.csv" << -1;
    QTest::newRow("ISO 8601") << QLocale(QLocale::English, QLocale::UnitedStates) << "set.csv" << 3;
}

// A downloaded set saved as text, opened as a table, graphed back, saved as a graph file and
// opened again shows the same times and levels all the way.
void TestSingleFileCommands::downloadedSetThroughCsvTableAndGraphFile()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, name);
    QFETCH(int, filter);
    QLocale::setDefault(locale);
    download();
    const Series downloaded = seriesOf(*dataLogger()->PESGraph1());
    const QString text = m_dir->filePath(name);

    m_files = QStringList{text};
    m_filter = filter;
    m_main->Save1()->trigger();
    m_filter = -1;
    QCOMPARE(m_messages, QStringList());
    QCOMPARE(fileBytes(text).count("\r\n"), downloaded.ms.size());
    if (filter == 3)
        QVERIFY(fileBytes(text).contains("T"));

    m_files = QStringList{text};
    m_main->Open1()->trigger();
    auto *list = qobject_cast<graph::TfrmList *>(m_main->mdiArea()->activeSubWindow());
    QVERIFY(list);
    QCOMPARE(list->windowTitle(), QDir::toNativeSeparators(text));
    QCOMPARE(list->table().rowCount(), downloaded.ms.size());
    QVERIFY(m_main->btnOutputToGraph()->isEnabled());
    QVERIFY(m_main->Save1()->isEnabled());

    m_main->btnOutputToGraph()->trigger();
    graph::TfrmGraph *fromTable = activeGraph();
    QVERIFY(fromTable && fromTable != dataLogger());
    QVERIFY(!m_main->btnOutputToGraph()->isEnabled());
    QCOMPARE(seriesOf(*fromTable->PESGraph1()), downloaded);
    QCOMPARE(fromTable->txtAvgAll()->text(), dataLogger()->txtAvgAll()->text());

    const QString ghf = m_dir->filePath("set.ghf");
    m_files = QStringList{ghf};
    m_main->Save1()->trigger();
    m_files = QStringList{ghf};
    m_main->Open1()->trigger();
    graph::TfrmGraph *opened = activeGraph();
    QVERIFY(opened && opened != fromTable);
    QCOMPARE(opened->windowTitle(), QDir::toNativeSeparators(ghf));
    QCOMPARE(seriesOf(*opened->PESGraph1()), downloaded);
    QCOMPARE(opened->txtMax()->text(), dataLogger()->txtMax()->text());
    QCOMPARE(opened->cursors.cursorB, 2 * downloaded.ms.size() / 3);
    QCOMPARE(m_messages, QStringList());
}

void TestSingleFileCommands::rangesAndTypesRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("range");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("lines"); // -1: no file
    QTest::newRow("abc") << "a.txt" << QStringList{"abc", "3"} << mainText("IDS_25") << -1;
    QTest::newRow("beyond the last point") << "a.txt" << QStringList{"100000", "200000"} << mainText("IDS_305") << -1;
    QTest::newRow("3 to 2") << "a.csv" << QStringList{"3", "2"} << QString() << 2;
    QTest::newRow("cancelled") << "a.txt" << QStringList{"cancel"} << QString() << -1;
    QTest::newRow("another type") << "a.dat" << QStringList{} << mainText("IDS_307") << -1;
}

void TestSingleFileCommands::rangesAndTypesRefused()
{
    QFETCH(QString, name);
    QFETCH(QStringList, range);
    QFETCH(QString, message);
    QFETCH(int, lines);
    download();
    m_files = QStringList{m_dir->filePath(name)};
    m_range = range;
    QCOMPARE(m_main->files().Save1Click(dataLogger()), lines >= 0);
    QCOMPARE(m_messages, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(QFile::exists(m_dir->filePath(name)), lines >= 0);
    if (lines >= 0)
        QCOMPARE(fileBytes(m_dir->filePath(name)).count("\r\n"), lines);
}

void TestSingleFileCommands::closeQuestionKeepsTheWindowUnlessSaved()
{
    download();
    QVERIFY(graph::graphState().loggerDataUnsaved);
    const QString old = m_dir->filePath("old.txt");
    putFile(old, "old data\r\n");

    // A save that fails names the file and keeps the window and its question.
    m_files = QStringList{m_dir->filePath("no/such/folder/set.txt")};
    QVERIFY(!dataLogger()->close());
    QCOMPARE(m_messages.size(), 2);
    QVERIFY(m_messages[1].startsWith(mainText("IDS_301")));
    QVERIFY(m_messages[1].contains(QStringLiteral("no/such/folder/set.txt")));
    QVERIFY(dataLogger() && graph::graphState().loggerDataUnsaved);

    // A cancelled range leaves the old file and the window.
    m_messages.clear();
    m_files = QStringList{old};
    m_range = QStringList{"cancel"};
    QVERIFY(!dataLogger()->close());
    QCOMPARE(fileBytes(old), QByteArray("old data\r\n"));
    QVERIFY(dataLogger());

    // A save that writes closes it.
    m_range.clear();
    m_files = QStringList{old};
    const int points = dataLogger()->PESGraph1()->points();
    QVERIFY(dataLogger()->close());
    QCOMPARE(fileBytes(old).count("\r\n"), points);
    QVERIFY(!graph::graphState().loggerDataUnsaved);
}

void TestSingleFileCommands::badGraphFilesOpenNoWindow_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("short") << QByteArray("\x10\x00", 2);
    QTest::newRow("announces more than it holds") << QByteArray("\xFF\x00\x00\x00QLCH", 8);
    QTest::newRow("damaged") << QByteArray("\x08\x00\x00\x00QLCH\x01\x00\x00\x00", 12);
}

void TestSingleFileCommands::badGraphFilesOpenNoWindow()
{
    QFETCH(QByteArray, bytes);
    const QString path = m_dir->filePath("bad.ghf");
    putFile(path, bytes);
    const int before = int(m_main->mdiArea()->subWindowList().size());
    m_files = QStringList{path};
    m_main->Open1()->trigger();
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages[0].startsWith(mainText("IDS_302")));
    QCOMPARE(int(m_main->mdiArea()->subWindowList().size()), before);
}

void TestSingleFileCommands::chooserAndCommandsFollowTheWindow()
{
    // The chooser's second button works and is named in the language in force.
    for (Language l : {Language::English, Language::French}) {
        LanguageDispatcher::instance().setLanguage(l);
        m_files = QStringList{QString()};
        m_main->Open1()->trigger();
    }
    QCOMPARE(m_chooserNames, (QStringList{"Open single data file(*.TXT,*.CSV,*.GHF)",
                                          "Ouvrir un seul fichier de données (*.TXT, *.CSV, *.GHF)"}));
    QVERIFY(m_files.isEmpty()); // the second button led to the file dialog

    // Save follows the active window: the front panel has nothing to save.
    for (QMdiSubWindow *w : m_main->mdiArea()->subWindowList())
        if (!qobject_cast<graph::TfrmGraph *>(w))
            m_main->mdiArea()->setActiveSubWindow(w);
    QVERIFY(!m_main->Save1()->isEnabled());
    // A table text file that cannot be read says so.
    m_files = QStringList{m_dir->filePath("missing.csv")};
    m_main->singleFiles().OpenSingleFile();
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages[0].startsWith(mainText("IDS_302")));
}

QTEST_MAIN(TestSingleFileCommands)
#include "tst_SingleFileCommands.moc"

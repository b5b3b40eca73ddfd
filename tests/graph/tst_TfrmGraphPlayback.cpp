// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/PESGraph.h"
#include "common/Paths.h"
#include "common/StringTable.h"
#include "data/DataSetList.h"
#include "data/MemoryImage.h"
#include "graph/ChartSetup.h"
#include "graph/DataLoggerView.h"
#include "graph/QtMediaPlayer.h"
#include "graph/SimulatedRecording.h"
#include "graph/TfrmGraph.h"
#include "tests/data/ImageBuilder.h"
#include "tests/graph/FakeMediaPlayer.h"
#include "widgets/LanguageDispatcher.h"
#include "widgets/ModalRunner.h"

#include <QAccessible>
#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMessageBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <memory>

using namespace ql708;
using namespace ql708::graph;

namespace {

// Two sets: 1000 points every 2 s with a recording (30 minutes and 3: two files), and a short
// one without.
data::DataSetList twoSets()
{
    test::RecordShape withWav = test::steadyRecord(1000), without = test::steadyRecord(5);
    withWav.wave = "A0000001";
    data::DataSetList list;
    const QByteArray image = test::buildImage({withWav, without});
    data::ParseMemoryImage(image, data::lastAddressOf(image), list);
    return list;
}

QString text(const char *key) { return ids(QStringLiteral("frmGraph"), QString::fromLatin1(key)); }

QString buttons(const TfrmGraph *w)
{
    QStringList on;
    for (const QToolButton *b : {w->mpPlay(), w->mpPause(), w->mpStop()})
        if (b->isEnabled())
            on << b->objectName();
    return on.join(QLatin1Char(' '));
}

} // namespace

class TestTfrmGraphPlayback : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void openWavRefusals_data();
    void openWavRefusals();
    void simulatedRecordingPlaysAcrossItsFiles();
    void stopAndAnotherSet();
    void missingAudioOutputIsExplained();
    void controlsAreNamedInBothLanguages_data();
    void controlsAreNamedInBothLanguages();

private:
    // "open wav" on the selected set, choosing `file` (empty: cancel) and answering the
    // project question with `project`.
    void openWav(const QString &file, QMessageBox::StandardButton project = QMessageBox::No);
    double lineSeconds() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QMdiArea> m_area;
    TfrmGraph *m_window = nullptr;
    data::DataSetList m_sets;
    test::FakeMediaPlayer *m_player = nullptr;
    QString m_refuseOpen;
    QStringList m_messages;
    QStringList m_offered; // the file the dialog offered first
};

void TestTfrmGraphPlayback::initTestCase() { setActiveLanguage(Language::English); }

void TestTfrmGraphPlayback::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    paths::setTestRoot(m_dir->path());
    m_sets = twoSets();
    m_area = std::make_unique<QMdiArea>();
    m_area->resize(1200, 800);
    m_area->show();
    m_window = TfrmGraph::create(m_area.get(), QStringLiteral("DataLogger"));
    auto *view = new DataLoggerView(*m_window, m_sets);
    view->fillDataSetList();
    PrepareChart(*m_window->PESGraph1(), 1, 130, 30, 1.0, 0.0, 10);
    view->ShowDataSet(0);
    m_messages.clear();
    m_offered.clear();
    m_refuseOpen.clear();
    setMediaPlayerFactory([this] {
        auto p = std::make_unique<test::FakeMediaPlayer>();
        p->lengths = {{"A0000001.WAV", 30000}, {"A0000002.WAV", 3300}};
        p->refuseOpen = m_refuseOpen;
        m_player = p.get();
        return p;
    });
    setRecordingsSimulated(true);
}

void TestTfrmGraphPlayback::cleanup()
{
    setModalHandler({});
    setMediaPlayerFactory({});
    setRecordingsSimulated(false);
    m_area.reset();
    paths::setTestRoot({});
    LanguageDispatcher::instance().setLanguage(Language::English);
}

void TestTfrmGraphPlayback::openWav(const QString &file, QMessageBox::StandardButton project)
{
    setModalHandler([this, file, project](QDialog &d) {
        if (auto *dialog = qobject_cast<QFileDialog *>(&d)) {
            m_offered << dialog->selectedFiles().value(0);
            if (file.isEmpty())
                return int(QDialog::Rejected);
            dialog->selectFile(file);
            return int(QDialog::Accepted);
        }
        auto *box = qobject_cast<QMessageBox *>(&d);
        m_messages << (box ? box->text() : d.objectName());
        return int(box && box->text() == text("IDS_59") ? project : QMessageBox::Ok);
    });
    m_window->Button3()->trigger();
}

double TestTfrmGraphPlayback::lineSeconds() const
{
    return (m_window->PESGraph1()->vertLineAnnotation(kPlaybackLine) - m_sets.startTimes[0]) * 86400.0;
}

void TestTfrmGraphPlayback::openWavRefusals_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("message");
    QTest::newRow("not the DataLogger window") << "site.ghf" << 0 << "IDS_50";
    QTest::newRow("a set without recording") << "DataLogger" << 1 << "IDS_54";
}

void TestTfrmGraphPlayback::openWavRefusals()
{
    QFETCH(QString, caption);
    QFETCH(int, row);
    QFETCH(QString, message);
    if (caption != m_window->windowTitle())
        m_window = TfrmGraph::create(m_area.get(), caption);
    m_window->Grid2()->selectRow(row);
    openWav(QStringLiteral("ignored"));
    QCOMPARE(m_messages, QStringList{text(qPrintable(message))});
    QVERIFY(m_offered.isEmpty());
    QCOMPARE(buttons(m_window), QString());
}

void TestTfrmGraphPlayback::simulatedRecordingPlaysAcrossItsFiles()
{
    const QString data = paths::dataFolder();
    openWav(data + QStringLiteral("A0000001.WAV"), QMessageBox::Yes);
    // The stand-ins were written before the dialog offered the first of them.
    QCOMPARE(m_offered, QStringList{data + QStringLiteral("A0000001.WAV")});
    const QString project = data + QStringLiteral("A0000001/");
    QCOMPARE(m_messages, (QStringList{text("IDS_59"), text("IDS_64") + QDir::toNativeSeparators(project)}));
    QCOMPARE(QDir(project).entryList(QDir::Files), (QStringList{"A0000001.WAV", "A0000002.WAV"}));
    QCOMPARE(buttons(m_window), QStringLiteral("mpPlay"));
    QCOMPARE(m_window->Label21()->text(), QStringLiteral("30000"));

    m_window->mpPlay()->click();
    QCOMPARE(buttons(m_window), QStringLiteral("mpPause mpStop"));
    QVERIFY(m_window->Timer1()->isActive());
    m_player->advance(15000);
    m_window->Timer1Timer();
    // Half of the first 30 minutes; a 30 s file leads by 2 s x 30/1800 and, being short, is
    // drawn (1800 - 30)/1800 s further on.
    QCOMPARE(qRound(lineSeconds() * 1000), 900000 + 1017); // 33.3 ms + 983.3 ms
    m_player->advance(15000);
    m_window->Timer1Timer();
    QCOMPARE(m_player->openName, QStringLiteral("A0000002.WAV"));
    m_player->advance(1650);
    m_window->Timer1Timer();
    QVERIFY(lineSeconds() > 1800.0 + 90.0 && lineSeconds() < 1800.0 + 110.0);
    QVERIFY(m_window->PESGraph1()->vertLineAnnotationText(kPlaybackLine).contains(QLatin1Char(':')));

    // The end of the recording puts the line back on the first point.
    m_window->cursors.playbackLine = 500;
    m_player->advance(1650);
    m_window->Timer1Timer();
    QCOMPARE(m_window->cursors.playbackLine, 0);
    QCOMPARE(lineSeconds(), 0.0);
    QCOMPARE(buttons(m_window), QStringLiteral("mpPlay"));
    QVERIFY(!m_window->Timer1()->isActive());
}

void TestTfrmGraphPlayback::stopAndAnotherSet()
{
    openWav(paths::dataFolder() + QStringLiteral("A0000001.WAV"), QMessageBox::No);
    QVERIFY(!QDir(paths::dataFolder() + QStringLiteral("A0000001")).exists());
    m_window->cursors.playbackLine = 300;
    m_window->mpPlay()->click();
    m_player->advance(3000);
    m_window->Timer1Timer();
    m_window->mpPause()->click();
    QCOMPARE(buttons(m_window), QStringLiteral("mpPlay mpPause mpStop"));
    QVERIFY(!m_window->Timer1()->isActive());
    m_window->mpStop()->click();
    // The line waits where Play will start.
    QCOMPARE(qRound(lineSeconds()), 600);
    QCOMPARE(buttons(m_window), QStringLiteral("mpPlay"));

    m_window->mpPlay()->click();
    QVERIFY(m_window->Timer1()->isActive());
    m_window->Grid2()->selectRow(1);
    DataLoggerView::of(m_window)->Grid2Click();
    QCOMPARE(buttons(m_window), QString());
    QVERIFY(!m_window->Timer1()->isActive());
    QVERIFY(!m_player->playing);
}

void TestTfrmGraphPlayback::missingAudioOutputIsExplained()
{
    m_refuseOpen = text("IDS_91");
    const QString file = paths::dataFolder() + QStringLiteral("A0000001.WAV");
    openWav(file, QMessageBox::Yes);
    QCOMPARE(m_messages.size(), 3);
    QVERIFY(m_messages[0].startsWith(text("IDS_90")));
    QVERIFY(m_messages[0].contains(QDir::toNativeSeparators(file)));
    QVERIFY(m_messages[0].endsWith(text("IDS_91")));
    QCOMPARE(buttons(m_window), QString());
    // Without sound the recording is still copied into its project folder.
    const QString project = paths::dataFolder() + QStringLiteral("A0000001/");
    QCOMPARE(m_messages.mid(1), (QStringList{text("IDS_59"), text("IDS_64") + QDir::toNativeSeparators(project)}));
    QCOMPARE(QDir(project).entryList(QDir::Files), (QStringList{"A0000001.WAV", "A0000002.WAV"}));
}

void TestTfrmGraphPlayback::controlsAreNamedInBothLanguages_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QStringList>("names"); // open wav, Play, Pause, Stop
    QTest::newRow("English") << Language::English << QStringList{"open wav", "Play", "Pause", "Stop"};
    QTest::newRow("French") << Language::French << QStringList{"ouvrir wav", "Lecture", "Pause", "Arrêt"};
}

void TestTfrmGraphPlayback::controlsAreNamedInBothLanguages()
{
    QFETCH(Language, language);
    QFETCH(QStringList, names);
    LanguageDispatcher::instance().setLanguage(language);
    const QList<QWidget *> controls{m_window->ToolBar1()->widgetForAction(m_window->Button3()), m_window->mpPlay(),
                                    m_window->mpPause(), m_window->mpStop()};
    QStringList got;
    for (QWidget *c : controls) {
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(c);
        QVERIFY(a);
        got << a->text(QAccessible::Name);
    }
    QCOMPARE(got, names);
}

QTEST_MAIN(TestTfrmGraphPlayback)
#include "tst_TfrmGraphPlayback.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "datalogger/DataLoggerController.h"
#include "app/FileCommands.h"
#include "app/TfrmMain.h"
#include "common/Paths.h"
#include "common/StringTable.h"
#include "data/CollectionFile.h"
#include "graph/GraphState.h"
#include "graph/GraphWindows.h"
#include "graph/TfrmGraph.h"
#include "meter/LoggerSetup.h"
#include "meter/sim/SimulatedMeter.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FaultyLink.h"
#include "widgets/ModalRunner.h"
#include "widgets/TfrmOpenSave.h"
#include "widgets/TfrmScope.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace ql708;

namespace {

// Passes every operation on and keeps the command letters written.
class RecordingLink : public HidLink {
public:
    explicit RecordingLink(HidLink &inner) : m_inner(inner) {}
    int close() override { return m_inner.close(); }
    int open(std::uint16_t v, std::uint16_t p) override { return m_inner.open(v, p); }
    int setTimeouts(int r, int w) override { return m_inner.setTimeouts(r, w); }
    int writeCommand(const CommandFrame &f) override
    {
        letters += char(f[1]);
        return m_inner.writeCommand(f);
    }
    int settle() override { return m_inner.settle(); }
    int readReply(ReplyBuffer &r) override { return m_inner.readReply(r); }
    int writeBlock(const DataBlock &b) override { return m_inner.writeBlock(b); }
    int serialText(QByteArray &t) override { return m_inner.serialText(t); }
    QByteArray letters;

private:
    HidLink &m_inner;
};

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString mainText(const char *key) { return ids(QStringLiteral("frmMain"), QString::fromLatin1(key)); }

} // namespace

class TestDataLoggerController : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void downloadShowsTheSets();
    void refusedWithoutConnectionOrWhileRecording_data();
    void refusedWithoutConnectionOrWhileRecording();
    void failedDownloadChangesNothing_data();
    void failedDownloadChangesNothing();
    void emptyMemoryShowsNoData();
    void workingFolderFailureRestartsThePoll();
    void collectionRoundTrip();
    void saveWithoutDataSaysSo_data();
    void saveWithoutDataSaysSo();
    void closeQuestionSavesTheWindowThatAsked();
    void buttonFollowsTheConnection();

private:
    void connect();
    // Answers dialogs: message boxes are recorded, the chooser gives m_choice, file dialogs
    // take the next of m_files (an empty name cancels).
    void answerDialogs();
    QString workingCopy() const { return data::workingCopyPath(QString()); }
    graph::TfrmGraph *dataLogger() const { return graph::GraphWindows::instance().dataLogger; }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<test::FakeClock> m_clock;
    std::unique_ptr<SimulatedMeter> m_sim;
    std::unique_ptr<test::FaultyLink> m_faulty;
    std::unique_ptr<RecordingLink> m_link;
    std::unique_ptr<TfrmMain> m_main;
    QStringList m_messages;
    int m_choice = TfrmOpenSave::Sets;
    QStringList m_files;
};

void TestDataLoggerController::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    paths::setTestRoot(m_dir->path());
    m_clock = std::make_unique<test::FakeClock>();
    m_sim = std::make_unique<SimulatedMeter>();
    m_faulty = std::make_unique<test::FaultyLink>(*m_sim);
    m_link = std::make_unique<RecordingLink>(*m_faulty);
    m_main = std::make_unique<TfrmMain>(*m_link);
    m_main->resize(1200, 800);
    m_main->show();
    m_messages.clear();
    m_files.clear();
    m_choice = TfrmOpenSave::Sets;
    graph::graphState().loggerDataUnsaved = false;
    answerDialogs();
}

void TestDataLoggerController::cleanup()
{
    setModalHandler({});
    if (graph::TfrmGraph *w = dataLogger())
        graph::graphState().loggerDataUnsaved = false, w->close();
    m_main.reset();
    paths::setTestRoot({});
}

void TestDataLoggerController::connect()
{
    m_main->MainTimerTimer();
    QVERIFY(m_main->meter().meterConnected());
    m_main->MainTimerTimer();
}

void TestDataLoggerController::answerDialogs()
{
    setModalHandler([this](QDialog &d) {
        if (auto *box = qobject_cast<QMessageBox *>(&d)) {
            m_messages << box->text();
            return int(QMessageBox::Yes);
        }
        if (qobject_cast<TfrmOpenSave *>(&d))
            return m_choice;
        if (auto *files = qobject_cast<QFileDialog *>(&d)) {
            const QString name = m_files.isEmpty() ? QString() : m_files.takeFirst();
            if (name.isEmpty())
                return int(QDialog::Rejected);
            files->selectFile(name);
            return int(QDialog::Accepted);
        }
        return int(QDialog::Rejected);
    });
}

void TestDataLoggerController::downloadShowsTheSets()
{
    connect();
    // While the memory is read, the progress window counts and the other meter commands wait.
    QString received, total;
    bool commandsPaused = false, closeRefused = false;
    QTimer::singleShot(0, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *scope = qobject_cast<TfrmScope *>(w)) {
                received = scope->lblBytesReceived()->text();
                total = scope->lblTotalBytes()->text();
            }
        commandsPaused = !m_main->btnDataLogger()->isEnabled() && !m_main->DataLogger1()->isEnabled() &&
                         !m_main->Open1()->isEnabled() && !m_main->MainTimer()->isActive();
        m_main->close();
        closeRefused = m_main->isVisible();
    });
    m_main->btnDataLogger()->trigger();
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(total, QString::number((m_sim->lastAddress() + 32) / 32 * 32));
    QVERIFY(received.toInt() >= 64);
    QVERIFY(commandsPaused);
    QVERIFY(closeRefused);
    QVERIFY(m_main->btnDataLogger()->isEnabled());
    QVERIFY(m_main->Open1()->isEnabled());
    QVERIFY(m_main->MainTimer()->isActive());

    QVERIFY(dataLogger());
    QCOMPARE(m_main->dataLogger().dataSets().count(), m_sim->setCount());
    QCOMPARE(dataLogger()->Grid2()->rowCount(), m_sim->setCount());
    QCOMPARE(dataLogger()->Grid2()->item(0, 8)->text(), QStringLiteral("A0000001"));
    QCOMPARE(fileBytes(workingCopy()), m_sim->memory().left(m_sim->lastAddress() + 1));
    QVERIFY(graph::graphState().loggerDataUnsaved);
    QVERIFY(m_link->letters.endsWith('q'));
    QVERIFY(m_main->Save1()->isEnabled());
}

void TestDataLoggerController::refusedWithoutConnectionOrWhileRecording_data()
{
    QTest::addColumn<bool>("connected");
    QTest::addColumn<QString>("message");
    QTest::newRow("no connection") << false << mainText("IDS_75");
    QTest::newRow("recording") << true << mainText("IDS_76");
}

void TestDataLoggerController::refusedWithoutConnectionOrWhileRecording()
{
    QFETCH(bool, connected);
    if (connected) {
        m_main->ControlPanel1()->trigger(); // the status is read while the front panel shows it
        connect();
        m_main->meter().keyExchange(MeterCommand('w')); // the meter records from now on
        m_main->MainTimerTimer();
        QVERIFY(m_main->meter().meterRecording());
    }
    QFETCH(QString, message);
    m_main->LoadData1()->trigger();
    QCOMPARE(m_messages, QStringList{message});
    QVERIFY(!dataLogger());
    QVERIFY(!m_link->letters.contains('P'));
}

void TestDataLoggerController::failedDownloadChangesNothing_data()
{
    QTest::addColumn<int>("fault"); // 0 first block not memory, -1 memory cut, else good replies left
    QTest::addColumn<int>("code");
    QTest::newRow("121") << 0 << 121;
    // Stopping past half of the memory in use reports the block; earlier, the break.
    QTest::newRow("124") << 100 << 124;
    QTest::newRow("126") << 5 << 126;
    // The header counts sets, but the memory in use ends before the first record.
    QTest::newRow("34") << -1 << 34;
}

void TestDataLoggerController::failedDownloadChangesNothing()
{
    QFETCH(int, fault);
    QFETCH(int, code);
    connect();
    m_main->LoadData1()->trigger();
    const data::DataSetList before = m_main->dataLogger().dataSets();
    const QByteArray copyBefore = fileBytes(workingCopy());
    graph::graphState().loggerDataUnsaved = false;
    // The meter records a new set, so a download that succeeded would show more sets.
    m_main->meter().keyExchange(MeterCommand('w'));
    m_clock->advance(10000);
    m_main->meter().keyExchange(MeterCommand('u'));
    m_main->MainTimerTimer();

    if (fault < 0) {
        LoggerSetup setup(m_main->meter());
        for (const auto &[address, byte] : {std::pair{11, 0x00}, {12, 0x00}, {13, 0xFF}})
            QCOMPARE(setup.writeByte(address, std::uint8_t(byte)), 0);
    } else if (fault == 0)
        m_faulty->corruptFraming = true;
    else
        m_faulty->answerOnly = m_faulty->reads + fault;
    m_link->letters.clear();
    m_main->LoadData1()->trigger();
    QCOMPARE(m_messages, QStringList{mainText("IDS_78") + QString::number(code)});
    QCOMPARE(m_main->dataLogger().dataSets().startTimes, before.startTimes);
    QCOMPARE(m_main->dataLogger().dataSets().levels, before.levels);
    QCOMPARE(dataLogger()->Grid2()->rowCount(), before.count());
    QCOMPARE(fileBytes(workingCopy()), copyBefore);
    QVERIFY(!graph::graphState().loggerDataUnsaved);
    QVERIFY(m_link->letters.endsWith('Q'));
    QVERIFY(m_main->MainTimer()->isActive());
}

void TestDataLoggerController::emptyMemoryShowsNoData()
{
    connect();
    MeterLink &link = m_main->meter();
    QCOMPARE(link.openSession(), MeterLink::Session::Open);
    QCOMPARE(link.exchange({MeterCommand('e'), true, 7, MeterLink::Parameters{'r', 'a', 's', 'e'}}), MeterLink::Exchange::Done);
    m_main->LoadData1()->trigger();
    QCOMPARE(m_messages, QStringList{mainText("IDS_77")});
    QVERIFY(dataLogger());
    QVERIFY(m_main->dataLogger().dataSets().isEmpty());
    QVERIFY(!QFile::exists(workingCopy()));
    QVERIFY(!graph::graphState().loggerDataUnsaved);
}

void TestDataLoggerController::workingFolderFailureRestartsThePoll()
{
    connect();
    QVERIFY(QDir().mkpath(m_dir->path() + "/AppData"));
    QFile blocker(data::workingFolder(QString()));
    QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    m_main->LoadData1()->trigger();
    QCOMPARE(m_messages, QStringList{QDir::toNativeSeparators(data::workingFolder(QString()))});
    QVERIFY(m_main->MainTimer()->isActive());
    QCOMPARE(m_main->dataLogger().dataSets().count(), m_sim->setCount());

    // Without its working copy the download is still saved whole.
    m_messages.clear();
    m_files = QStringList{m_dir->filePath("sets.rec")};
    QVERIFY(m_main->files().Save1Click(dataLogger()));
    QCOMPARE(m_messages, QStringList());
    QCOMPARE(fileBytes(m_dir->filePath("sets.rec")), m_sim->memory().left(m_sim->lastAddress() + 1));
}

void TestDataLoggerController::collectionRoundTrip()
{
    connect();
    m_main->LoadData1()->trigger();
    const data::DataSetList downloaded = m_main->dataLogger().dataSets();
    const QByteArray memory = m_sim->memory().left(m_sim->lastAddress() + 1);

    m_files = QStringList{m_dir->filePath("sets.rec")};
    m_main->Save1()->trigger();
    QCOMPARE(fileBytes(m_dir->filePath("sets.rec")), memory);

    // A longer file opens as its first lastAddress + 1 bytes, and saves as those.
    QFile longer(m_dir->filePath("longer.rec"));
    QVERIFY(longer.open(QIODevice::WriteOnly));
    longer.write(memory + QByteArray(64, '\xFF'));
    longer.close();
    graph::graphState().loggerDataUnsaved = false;
    dataLogger()->close();
    QVERIFY(!dataLogger());
    m_files = QStringList{longer.fileName(), m_dir->filePath("again.rec")};
    m_main->Open1()->trigger();
    QVERIFY(dataLogger());
    QCOMPARE(m_main->dataLogger().dataSets().startTimes, downloaded.startTimes);
    QCOMPARE(m_main->dataLogger().dataSets().levels, downloaded.levels);
    QCOMPARE(dataLogger()->Grid2()->rowCount(), downloaded.count());
    m_main->files().Save1Click(dataLogger());
    QCOMPARE(fileBytes(m_dir->filePath("again.rec")), memory);

    // A zero-length file and a cancelled dialog leave everything as it was.
    QFile empty(m_dir->filePath("empty.rec"));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    m_files = QStringList{empty.fileName(), QString()};
    m_main->Open1()->trigger();
    m_main->Open1()->trigger();
    QCOMPARE(m_messages, QStringList{mainText("IDS_303") + "\n" + QDir::toNativeSeparators(empty.fileName())});
    QCOMPARE(m_main->dataLogger().dataSets().count(), downloaded.count());
    QCOMPARE(fileBytes(workingCopy()), memory);

    // Cancelling the chooser reads nothing.
    m_choice = TfrmOpenSave::Cancel;
    m_files = QStringList{longer.fileName()};
    m_main->Open1()->trigger();
    QCOMPARE(m_files.size(), 1);
}

void TestDataLoggerController::saveWithoutDataSaysSo_data()
{
    QTest::addColumn<bool>("downloadedBefore");
    QTest::newRow("nothing downloaded") << false;
    // A window created again holds nothing of the one closed before.
    QTest::newRow("window closed after a download") << true;
}

void TestDataLoggerController::saveWithoutDataSaysSo()
{
    QFETCH(bool, downloadedBefore);
    if (downloadedBefore) {
        connect();
        m_main->LoadData1()->trigger();
        graph::graphState().loggerDataUnsaved = false;
        dataLogger()->close();
        QVERIFY(!dataLogger());
    }
    m_files = QStringList{m_dir->filePath("x.rec")};
    m_choice = TfrmOpenSave::Sets;
    m_files.prepend(QString()); // the open dialog is cancelled: the window stays open and empty
    m_main->Open1()->trigger();
    QVERIFY(dataLogger());
    QCOMPARE(dataLogger()->Grid2()->rowCount(), 1);
    QCOMPARE(dataLogger()->Grid2()->item(0, 0)->text(), QString());
    QVERIFY(m_main->dataLogger().dataSets().isEmpty());
    m_main->files().Save1Click(dataLogger());
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages[0].endsWith(mainText("IDS_304")));
    QVERIFY(!QFile::exists(m_dir->filePath("x.rec")));
}

void TestDataLoggerController::closeQuestionSavesTheWindowThatAsked()
{
    connect();
    m_main->LoadData1()->trigger();
    m_main->mdiArea()->activateNextSubWindow();
    m_files = QStringList{m_dir->filePath("closing.rec")};
    QVERIFY(dataLogger()->close());
    QCOMPARE(m_messages.size(), 1); // the question, answered Yes
    QCOMPARE(fileBytes(m_dir->filePath("closing.rec")), m_sim->memory().left(m_sim->lastAddress() + 1));
}

void TestDataLoggerController::buttonFollowsTheConnection()
{
    connect();
    QVERIFY(m_main->btnDataLogger()->isVisible() && m_main->btnDataLogger()->isEnabled());
    QVERIFY(m_main->DataLogger1()->isEnabled());
    m_sim->setPluggedIn(false);
    for (int i = 0; i < 5; ++i)
        m_main->MainTimerTimer();
    QVERIFY(!m_main->btnDataLogger()->isEnabled());
    QVERIFY(!m_main->DataLogger1()->isEnabled());
    m_sim->setPluggedIn(true);
    m_main->MainTimerTimer();
    QVERIFY(m_main->btnDataLogger()->isEnabled());
}

QTEST_MAIN(TestDataLoggerController)
#include "tst_DataLoggerController.moc"

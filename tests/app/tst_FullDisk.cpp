// SPDX-License-Identifier: GPL-3.0-or-later
#include "datalogger/DataLoggerController.h"
#include "app/SingleFileCommands.h"
#include "app/FileCommands.h"
#include "app/TfrmMain.h"
#include "cli/DownloadCommand.h"
#include "cli/ExportCommand.h"
#include "cli/ReportCommand.h"
#include "common/Paths.h"
#include "common/SaveFile.h"
#include "data/TextTable.h"
#include "graph/GraphState.h"
#include "graph/GraphWindows.h"
#include "graph/RecordingCopy.h"
#include "graph/TfrmGraph.h"
#include "meter/sim/SimulatedMeter.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FullDisk.h"
#include "widgets/ModalRunner.h"
#include "widgets/TfrmOpenSave.h"
#include "widgets/TfrmScope.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMessageBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace ql708;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// The programs' ways of writing a whole file.
enum Writer { CliDownload, CliExport, CliReport, GraphFile, GraphText, TableText, Collection, RecordingCopy };

} // namespace

Q_DECLARE_METATYPE(Writer)

// Every writer of both programs, onto a full disk: an earlier file stays byte for byte, a new
// one is not left behind, and the message names the file and the reason.
class TestFullDisk : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void earlierFileKept_data();
    void earlierFileKept();

private:
    // Writes path the way the writer does; the message the user reads.
    QString write(Writer writer, const QString &path);
    QString runCli(int (*run)(cli::CliArgs &, cli::CliContext &), const QStringList &words);
    void download();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<test::FakeClock> m_clock;
    std::unique_ptr<SimulatedMeter> m_sim;
    std::unique_ptr<TfrmMain> m_main;
    QStringList m_messages;
    QString m_target;
    int m_choice = TfrmOpenSave::Sets;
};

void TestFullDisk::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    paths::setTestRoot(m_dir->path());
    m_clock = std::make_unique<test::FakeClock>();
    m_sim = std::make_unique<SimulatedMeter>();
    m_main = std::make_unique<TfrmMain>(*m_sim);
    m_main->resize(1200, 800);
    m_main->show();
    m_messages.clear();
    setModalHandler([this](QDialog &d) {
        if (auto *box = qobject_cast<QMessageBox *>(&d)) {
            m_messages << box->text();
            return int(QMessageBox::No);
        }
        if (qobject_cast<TfrmOpenSave *>(&d))
            return m_choice;
        if (auto *scope = qobject_cast<TfrmScope *>(&d)) {
            // A few lines, which stay in the write buffer until the end.
            scope->radNo()->setChecked(true);
            scope->edtSelFrom()->setText(QStringLiteral("1"));
            scope->edtSelTo()->setText(QStringLiteral("3"));
            return int(TfrmScope::OK);
        }
        if (auto *files = qobject_cast<QFileDialog *>(&d)) {
            files->selectFile(m_target);
            return int(QDialog::Accepted);
        }
        return int(QDialog::Rejected);
    });
}

void TestFullDisk::cleanup()
{
    setModalHandler({});
    graph::graphState().loggerDataUnsaved = false;
    m_main->mdiArea()->closeAllSubWindows();
    m_main.reset();
    paths::setTestRoot({});
}

void TestFullDisk::download()
{
    m_main->MainTimerTimer();
    m_main->MainTimerTimer();
    m_main->LoadData1()->trigger();
    QVERIFY(graph::GraphWindows::instance().dataLogger);
}

QString TestFullDisk::runCli(int (*run)(cli::CliArgs &, cli::CliContext &), const QStringList &words)
{
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    cli::CliContext context{outStream, errStream, [](bool) { return std::make_unique<SimulatedMeter>(); }};
    cli::CliArgs args(words);
    return run(args, context) == cli::kExitFailed ? err : QStringLiteral("exit status not 1: ") + err;
}

QString TestFullDisk::write(Writer writer, const QString &path)
{
    const QString source = m_dir->filePath("source.rec");
    m_target = path;
    switch (writer) {
    case CliDownload:
        return runCli(cli::runDownload, {"--simulate", "-o", path});
    case CliExport:
        return runCli(cli::runExport, {source, "--set", "4", "-o", path}); // 40 points
    case CliReport:
        return runCli(cli::runReport, {source, "--set", "1", "-o", path});
    case GraphFile:
    case GraphText:
    case Collection:
        m_choice = writer == Collection ? TfrmOpenSave::Sets : TfrmOpenSave::SingleSet;
        m_main->files().Save1Click(graph::GraphWindows::instance().dataLogger);
        break;
    case TableText: {
        data::TextTable table;
        const QByteArrayView row[] = {"12/05/2011", "14:03:07", "65.0"};
        table.appendRow(row, 3);
        m_main->singleFiles().WriteTableText(table);
        break;
    }
    case RecordingCopy: {
        const graph::RecordingCopyResult r = graph::copyRecording(m_dir->path(), "source.rec", 1, QFileInfo(path).path(), [](int) {});
        return QStringLiteral("%1: %2").arg(r.path, r.reason);
    }
    }
    return m_messages.join(QLatin1Char('\n'));
}

void TestFullDisk::earlierFileKept_data()
{
    QTest::addColumn<Writer>("writer");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("earlier"); // an earlier file is there, else the file is new
    const struct {
        const char *row;
        Writer writer;
        const char *name;
    } writers[] = {{"ql708-cli download -o", CliDownload, "x.rec"}, {"ql708-cli export -o", CliExport, "x.txt"},
                   {"ql708-cli report -o", CliReport, "x.pdf"},     {"graph file", GraphFile, "x.ghf"},
                   {"graph text", GraphText, "x.csv"},              {"table text", TableText, "x.txt"},
                   {"collection", Collection, "x.rec"},             {"recording copy", RecordingCopy, "source.rec"}};
    for (const auto &w : writers) {
        QTest::addRow("%s, earlier file", w.row) << w.writer << w.name << true;
        QTest::addRow("%s, new file", w.row) << w.writer << w.name << false;
    }
}

void TestFullDisk::earlierFileKept()
{
    QFETCH(Writer, writer);
    QFETCH(QString, name);
    QFETCH(bool, earlier);
    download();
    QVERIFY(saveFile(m_dir->filePath("source.rec"), m_sim->memory().left(m_sim->lastAddress() + 1)));
    test::FullDisk disk;
    const QString path = disk.filePath(name);
    const QByteArray before("the earlier file, which the user keeps");
    if (earlier)
        QVERIFY(saveFile(path, before));
    disk.fill();
    const QString message = write(writer, path);
    disk.release();
    QCOMPARE(fileBytes(path), earlier ? before : QByteArray("<missing>"));
    // The recording copy names the file it copies from; the others the file they write.
    const QString named = QDir::toNativeSeparators(writer == RecordingCopy ? m_dir->filePath(name) : path);
    QVERIFY2(message.contains(named) && message.contains(disk.reason()), qPrintable(message));
}

QTEST_MAIN(TestFullDisk)
#include "tst_FullDisk.moc"

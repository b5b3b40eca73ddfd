// SPDX-License-Identifier: GPL-3.0-or-later
// ql708-cli: the meter from the terminal, through the same cores as the window program.
#include "cli/CliMain.h"
#include "common/CommandLine.h"
#include "meter/HidapiLink.h"
#include "meter/sim/SimulatedMeter.h"

#include <QApplication>
#include <QCoreApplication>

using namespace ql708;
using namespace ql708::cli;

namespace {

std::unique_ptr<HidLink> makeLink(bool simulate)
{
    if (simulate)
        return std::make_unique<SimulatedMeter>();
    return std::make_unique<HidapiLink>();
}

QtMessageHandler g_previousHandler = nullptr;

// Qt's GUI, as it starts, looks for a sandbox's marker file in the runtime folder; without
// XDG_RUNTIME_DIR (cron, a service, ssh) it warns about the folder, which the user did nothing
// for and the tool does not use. That one warning is dropped, and only while the GUI starts.
void dropRuntimeFolderWarning(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    g_previousHandler(type, context, message);
}

// Only a command that draws starts the GUI, offscreen unless told otherwise.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char *argv[])
{
    if (argc < 2 || !commandDraws(QString::fromUtf8(argv[1])))
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    g_previousHandler = qInstallMessageHandler(dropRuntimeFolderWarning);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(g_previousHandler);
    return app;
}

} // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    QTextStream out(stdout), err(stderr);
    QString refused;
    const std::optional<QStringList> words = commandLineWords(argc, argv, refused);
    if (!words) {
        err << "ql708-cli: " << refused << '\n';
        return kExitUsage;
    }
    CliContext context{out, err, makeLink};
    return runCli(*words, context);
}

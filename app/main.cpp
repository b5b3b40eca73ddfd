// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppOptions.h"
#include "app/TfrmAbout.h"
#include "app/TfrmMain.h"
#include "common/CommandLine.h"
#include "common/Printable.h"
#include "common/Settings.h"
#include "common/StringTable.h"
#include "widgets/LanguageDispatcher.h"
#include "widgets/MessageBoxes.h"
#include "graph/SimulatedRecording.h"
#include "meter/HidapiLink.h"
#include "meter/LinkSession.h"
#include "meter/sim/SimulatedMeter.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

using namespace ql708;

namespace {

std::unique_ptr<HidLink> makeLink(const AppOptions &options)
{
    if (options.simulate)
        return std::make_unique<SimulatedMeter>();
    return std::make_unique<HidapiLink>();
}

// A replay that stopped: said on stderr and, once the poll tick is over, in a message box.
void reportReplayStop(const QPointer<TfrmMain> &window, const QString &why)
{
    std::fprintf(stderr, "ql708: %s\n", qPrintable(printable(why, true)));
    if (window)
        QTimer::singleShot(0, window, [window, why] {
            showMessage(window, ids(QStringLiteral("frmMain"), QStringLiteral("IDS_320")) +
                                    QStringLiteral("\n\n") + why);
        });
}

// Prints text on the standard output; 0, or 1 with the reason on stderr when it could not be
// written whole.
int printOut(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stdout);
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return 0;
    std::fprintf(stderr, "ql708: cannot write the output: %s\n", std::strerror(errno));
    return 1;
}

// Answers --help, --version and a bad command line without a display; -1 to go on.
int answerWithoutDisplay(const AppOptions &options)
{
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "ql708: %s\n%s", qPrintable(printable(options.error)), qPrintable(AppOptions::usage()));
        return 2;
    }
    if (options.showHelp)
        return printOut(AppOptions::usage());
    if (options.showVersion)
        return printOut(QStringLiteral("ql708 %1\n").arg(programVersion()));
    if (options.printCompletion)
        return printOut(AppOptions::completion());
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    // The options are read before the application object exists, which needs a display.
    QString refused;
    const std::optional<QStringList> words = commandLineWords(argc, argv, refused);
    if (!words) {
        std::fprintf(stderr, "ql708: %s\n", qPrintable(refused));
        return 2;
    }
    const AppOptions options = AppOptions::parse(QStringList{QStringLiteral("ql708")} + *words);
    if (const int status = answerWithoutDisplay(options); status >= 0)
        return status;
    LinkSession session;
    if (!session.prepare(options.trace)) {
        std::fprintf(stderr, "ql708: %s\n", qPrintable(printable(session.error(), true)));
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QL708"));
    QApplication::setOrganizationName(QStringLiteral("QL708"));
    QApplication::setApplicationVersion(programVersion());
    // Desktops find the menu entry and its icon for the program's windows by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("ql708"));

    LanguageDispatcher::instance().setLanguage(options.language.value_or(settings::readLanguage()));
    auto *splash = new TfrmAbout;
    splash->showAsSplash();
    QPointer<TfrmMain> shown;
    const std::unique_ptr<HidLink> link =
        session.link([&] { return makeLink(options); }, QStringLiteral("ql708 %1").arg(programVersion()),
                     [&shown](const QString &why) { reportReplayStop(shown, why); });
    // The simulated meter's example set names a recording: the program writes stand-ins for it.
    graph::setRecordingsSimulated(options.simulate);
    TfrmMain window(*link);
    shown = &window;
    window.showAsRemembered();
    window.FormShow(splash);
    if (options.setup) {
        // The setup dialog's menu item is hidden; asked for, it shows.
        window.Setup1()->setVisible(true);
        window.Setup1Click();
    }
    // The files of the command line open once the windows of the start are there.
    QTimer::singleShot(0, &window, [&window, files = options.files] { window.openFiles(files); });
    return QApplication::exec();
}

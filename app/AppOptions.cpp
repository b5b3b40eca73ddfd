// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppOptions.h"

#include "common/OptionHelp.h"

#include <QFileInfo>

namespace ql708 {

namespace {

// Qt's own options, which QApplication takes out of the arguments later: those followed by a
// value and those without one. They pass; every other word must be one of ours.
const QStringList kQtOptionsWithValue = {
    QStringLiteral("-platform"), QStringLiteral("-platformpluginpath"), QStringLiteral("-platformtheme"),
    QStringLiteral("-plugin"),   QStringLiteral("-display"),            QStringLiteral("-geometry"),
    QStringLiteral("-qwindowgeometry"), QStringLiteral("-title"),        QStringLiteral("-qwindowtitle"),
    QStringLiteral("-icon"),     QStringLiteral("-qwindowicon"),        QStringLiteral("-name"),
    QStringLiteral("-session"),  QStringLiteral("-style"),              QStringLiteral("-stylesheet")};
const QStringList kQtFlags = {QStringLiteral("-reverse"), QStringLiteral("-widgetcount"),
                              QStringLiteral("-nograb"), QStringLiteral("-dograb"), QStringLiteral("-sync")};

// The program's own options, as --help lists them and bash completes them.
const OptionHelp kOptions[] = {
    {"--simulate", nullptr, "use the built-in simulated meter instead of the USB meter"},
    {"--setup", nullptr, "open the data logger setup dialog (clock, interval, erase, ...)"},
    {"--trace", "FILE", "write every exchange with the meter to FILE, one line each", "file:"},
    {"--replay", "FILE", "play a trace back in place of the meter, checking that the\n"
                         "same commands go out in the same order",
     "file:"},
    {"--language", "en|fr", "start in English or in French (default: the language last\n"
                            "chosen; French at the first start)",
     "words:en fr"},
    {"--help, -h", nullptr, "show this text"},
    {"--version", nullptr, "show the program's version"},
    {"--bash-completion", nullptr, "print the script that completes ql708's command line in bash"},
    {"--", nullptr, "end of the options: the words after it are files"},
    {"FILE", nullptr, "a data set collection (.rec), graph file (.ghf) or text file (.txt,\n"
                      ".csv) to open as the File menu's Open does",
     "file:rec|ghf|txt|csv"},
};

const QStringList kOpenedTypes = {QStringLiteral("rec"), QStringLiteral("ghf"), QStringLiteral("txt"),
                                  QStringLiteral("csv")};

void fail(AppOptions &o, const QString &message)
{
    if (o.error.isEmpty()) // the first fault is the one to mend first
        o.error = message;
}

// "--name" alone or "--name=value".
bool isOption(const QString &a, const QString &name)
{
    return a == name || a.startsWith(name + QLatin1Char('='));
}

// "--language en" or "--language=en"; i moves past a separate value.
void readLanguage(const QStringList &arguments, int &i, AppOptions &o)
{
    const QString &a = arguments[i];
    const QString value = a.contains(QLatin1Char('=')) ? a.section(QLatin1Char('='), 1) : arguments.value(++i);
    if (value == QLatin1String("en"))
        o.language = Language::English;
    else if (value == QLatin1String("fr"))
        o.language = Language::French;
    else
        fail(o, QStringLiteral("--language takes en or fr, not \"%1\"").arg(value));
}

// "--trace FILE" or "--trace=FILE" (and --replay); i moves past a separate value.
void readFile(const QStringList &arguments, int &i, const QString &name, QString &file, AppOptions &o)
{
    const QString &a = arguments[i];
    if (a.startsWith(name + QLatin1Char('=')))
        file = a.mid(name.size() + 1);
    else if (i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1Char('-')))
        file = arguments[++i];
    else
        file.clear();
    if (file.isEmpty())
        fail(o, QStringLiteral("%1 needs a file").arg(name));
}

} // namespace

bool AppOptions::opensFile(const QString &path)
{
    return kOpenedTypes.contains(QFileInfo(path).suffix().toLower());
}

namespace {
// A word that is no option: a file to open.
void readFileWord(const QString &a, AppOptions &o)
{
    if (AppOptions::opensFile(a))
        o.files << a;
    else
        fail(o, QStringLiteral("%1: the program opens .rec, .ghf, .txt and .csv files").arg(a));
}
} // namespace

AppOptions AppOptions::parse(const QStringList &arguments)
{
    AppOptions o;
    bool optionsEnded = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (optionsEnded)
            readFileWord(a, o);
        else if (a == QLatin1String("--"))
            optionsEnded = true;
        else if (a == QLatin1String("--simulate"))
            o.simulate = true;
        else if (a == QLatin1String("--setup"))
            o.setup = true;
        else if (a == QLatin1String("--help") || a == QLatin1String("-h"))
            o.showHelp = true;
        else if (a == QLatin1String("--version"))
            o.showVersion = true;
        else if (a == QLatin1String("--bash-completion"))
            o.printCompletion = true;
        else if (isOption(a, QStringLiteral("--language")))
            readLanguage(arguments, i, o);
        else if (isOption(a, QStringLiteral("--trace")))
            readFile(arguments, i, QStringLiteral("--trace"), o.trace.traceFile, o);
        else if (isOption(a, QStringLiteral("--replay")))
            readFile(arguments, i, QStringLiteral("--replay"), o.trace.replayFile, o);
        else if (kQtOptionsWithValue.contains(a) && i + 1 < arguments.size())
            ++i;
        else if (kQtOptionsWithValue.contains(a))
            fail(o, QStringLiteral("%1 needs a value").arg(a));
        else if (kQtFlags.contains(a))
            continue;
        else if (a.startsWith(QLatin1Char('-')))
            fail(o, QStringLiteral("unknown option: %1").arg(a));
        else
            readFileWord(a, o);
    }
    if (o.simulate && !o.trace.replayFile.isEmpty())
        fail(o, QStringLiteral("--replay takes the place of the meter; leave out --simulate"));
    return o;
}

QString AppOptions::usage()
{
    QString text = QStringLiteral("Usage: ql708 [OPTIONS] [FILE...]\n");
    for (const OptionHelp &o : kOptions)
        text += optionHelpLine(o);
    return text + QStringLiteral("Qt's display options (-platform NAME, -style NAME, ...) are accepted too.\n");
}

QString AppOptions::completion()
{
    std::vector<OptionHelp> options;
    for (const OptionHelp &o : kOptions)
        if (QLatin1String(o.name) != QLatin1String("--"))
            options.push_back(o);
    return bashCompletion(QStringLiteral("ql708"), options);
}

} // namespace ql708

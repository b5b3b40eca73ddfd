#include "app/AppOptions.h"

namespace ql708 {

namespace {

bool isLanguageOption(const QString &a)
{
    return a == QLatin1String("--language") || a.startsWith(QLatin1String("--language="));
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
        o.error = QStringLiteral("--language takes en or fr, not \"%1\"").arg(value);
}

} // namespace

AppOptions AppOptions::parse(const QStringList &arguments)
{
    AppOptions o;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--simulate"))
            o.simulate = true;
        else if (a == QLatin1String("--help") || a == QLatin1String("-h"))
            o.showHelp = true;
        else if (a == QLatin1String("--version"))
            o.showVersion = true;
        else if (isLanguageOption(a))
            readLanguage(arguments, i, o);
        else if (!a.startsWith(QLatin1Char('-')) || a == QLatin1String("-platform"))
            ++i; // Qt's own options and their values were taken by QApplication already
        else
            o.error = QStringLiteral("unknown option: %1").arg(a);
    }
    return o;
}

QString AppOptions::usage()
{
    return QStringLiteral("Usage: ql708 [--simulate] [--language en|fr] [--help] [--version]\n"
                          "  --simulate        use the built-in simulated meter instead of the USB meter\n"
                          "  --language en|fr  start in English or in French (the default)\n"
                          "  --help            show this text\n"
                          "  --version         show the program's version\n");
}

} // namespace ql708

#include "app/AppOptions.h"

namespace ql708 {

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
        else if (!a.startsWith(QLatin1Char('-')) || a == QLatin1String("-platform"))
            ++i; // Qt's own options and their values were taken by QApplication already
        else
            o.error = QStringLiteral("unknown option: %1").arg(a);
    }
    return o;
}

QString AppOptions::usage()
{
    return QStringLiteral("Usage: ql708 [--simulate] [--help] [--version]\n"
                          "  --simulate  use the built-in simulated meter instead of the USB meter\n"
                          "  --help      show this text\n"
                          "  --version   show the program's version\n");
}

} // namespace ql708

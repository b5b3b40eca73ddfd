// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/StringTable.h"
#include "meter/LinkSession.h"

#include <QString>
#include <QStringList>

namespace ql708 {

// What the command line asked for.
struct AppOptions {
    bool simulate = false;
    bool setup = false; // open the data logger setup dialog at start
    bool showHelp = false;
    bool showVersion = false;
    Language language = Language::French; // the language in force at start
    TraceOptions trace; // --trace FILE and --replay FILE
    QString error; // set when the command line could not be read

    static AppOptions parse(const QStringList &arguments);
    static QString usage();
};

} // namespace ql708

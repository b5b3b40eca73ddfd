// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/StringTable.h"
#include "meter/LinkSession.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace ql708 {

// What the command line asked for.
struct AppOptions {
    bool simulate = false;
    bool setup = false; // open the data logger setup dialog at start
    bool showHelp = false;
    bool showVersion = false;
    bool printCompletion = false; // --bash-completion
    std::optional<Language> language; // the language asked for; else the one last chosen
    TraceOptions trace; // --trace FILE and --replay FILE
    QStringList files;  // the files to open, as Open would, in the order given
    QString error; // set when the command line could not be read

    static AppOptions parse(const QStringList &arguments);
    static QString usage();
    // The bash completion script of ql708's options and the files it opens.
    static QString completion();
    // Whether the program opens a file of this name (.rec, .ghf, .txt, .csv in either case).
    static bool opensFile(const QString &path);
};

} // namespace ql708

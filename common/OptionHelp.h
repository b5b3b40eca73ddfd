// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

namespace ql708 {

// One option or word of a program or command, as its --help lists it and as bash completes it.
// completes says how its value (or the word) completes:
//   "file:EXT"   files ending in .EXT, either case; EXT may be "rec|ghf"; "file:" any file
//   "dir"        folders
//   "words:A B"  one of the words given
//   ""           nothing: the user types it
struct OptionHelp {
    const char *name;           // "--count", "--help, -h"; for a word its placeholder, "FILE.rec"
    const char *value;          // the value's placeholder, "N"; nullptr for a flag or a word
    const char *help;           // what it does, and its default; lines after the first are indented
    const char *completes = "";
};

// "  --count N            polls to make, ..." and a line end, the help's further lines under
// its first.
QString optionHelpLine(const OptionHelp &o);

struct CompletionCommand {
    QString name;
    std::vector<OptionHelp> options; // and words
};

// A bash completion script for program (on bash-completion's helpers), made from the program's
// own option tables so that it never misses one: the program's options and words or, for a
// program with commands, the commands first and then each command's options and words.
QString bashCompletion(const QString &program, const std::vector<OptionHelp> &options,
                       const std::vector<CompletionCommand> &commands = {});

} // namespace ql708

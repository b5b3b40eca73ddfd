// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace ql708 {

// The words of a command line after the program's name. Qt reads and writes file names as
// UTF-8 whatever the locale, so a word that is not valid UTF-8 would name another file than
// the one meant: the first such word makes this nullopt, with error saying which and why.
std::optional<QStringList> commandLineWords(int argc, char **argv, QString &error);

} // namespace ql708

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/TextFiles.h"
#include "data/TextTable.h"

#include <QLocale>

class QIODevice;

namespace ql708::data {

// Reading a text file into a table. Lines are taken one at a time, at most kMaxLineLength
// characters each; a longer line is cut there and is the last line read, unless what lies beyond
// is no more than the separators the writer pads a short row with. Reading stops at the
// first line without a separator (an empty line, the end of the file). The fields of a line are
// split at each separator: the text after the last separator is a field only when it is not
// empty, and an empty field between two separators is an empty cell. Lines end in CR LF or LF;
// a UTF-8 byte order mark before the first line is skipped.
constexpr int kMaxLineLength = 179;

// Reads into table (appending). outcome.ok is false when the file cannot be read (error says
// why) or the table is full; cancelled when progress stopped it. The rows read stay in table.
TextFileOutcome readTableText(QIODevice &in, TextSeparator separator, TextTable &table,
                              const TextProgress &progress = {});
TextFileOutcome readTableText(const QString &path, TextSeparator separator, TextTable &table,
                              const TextProgress &progress = {});

// Writes rows first to last (counted from 0, both included): per row the fields up to the
// table's last filled one (at least one), each followed by the separator, and CR LF. In a comma-separated file
// a number with a decimal comma (locale) is written with a full stop, so it stays one field.
TextFileOutcome writeTableText(QIODevice &out, const TextTable &table, int first, int last,
                               TextSeparator separator, const QLocale &locale = QLocale(),
                               const TextProgress &progress = {});
// The same into a file, through a temporary file (see saveText).
TextFileOutcome saveTableText(const QString &path, const TextTable &table, int first, int last,
                              TextSeparator separator, const QLocale &locale = QLocale(),
                              const TextProgress &progress = {});

} // namespace ql708::data

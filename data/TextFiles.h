// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

namespace ql708::data {

// What the graph and table text files share: their separator, progress and outcome.

enum class TextSeparator : char { Tab = '\t', Comma = ',' };

// A table text file is comma-separated when its name ends in "csv" (any case), else TAB.
TextSeparator separatorOfTableFile(const QString &path);

// Called every kProgressEveryLines lines and at the end with the lines done so far; returning
// false stops the work.
using TextProgress = std::function<bool(qint64 lines)>;
constexpr int kProgressEveryLines = 4096;

struct TextFileOutcome {
    bool ok = false;        // the whole file was written or read
    bool cancelled = false; // the progress callback stopped the work
    qint64 lines = 0;       // lines written or read
    bool truncated = false; // reading: the table was full, so the lines after it were not read
    QString error;          // the system's reason when the file could not be written or read
};

// Writes through SaveFile: the file replaces path only when write() returned ok and every byte
// reached it; a failed or cancelled write leaves an earlier file as it was.
TextFileOutcome saveText(const QString &path, const std::function<TextFileOutcome(QIODevice &)> &write);

// What the text writers share: lines gathered into blocks that are written whole, CR LF after
// each line, and the progress callback asked every kProgressEveryLines lines.
class LineBlocks {
public:
    LineBlocks(QIODevice &out, const TextProgress &progress);

    // The line being built, to append to.
    QByteArray &line() { return m_block; }
    // Ends the line; false when writing failed or the progress callback stopped the work.
    bool endLine();
    // Writes what is left and tells how it went.
    TextFileOutcome finish();

private:
    bool flush();

    QIODevice &m_out;
    const TextProgress &m_progress;
    QByteArray m_block;
    TextFileOutcome m_outcome;
};

} // namespace ql708::data

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

namespace ql708::graph {

// How copying a recording into its project folder ended.
struct RecordingCopyResult {
    enum Outcome { Copied, FolderNotCreated, FileNotCopied };
    Outcome outcome = Copied;
    QString path;   // the folder or file that failed
    QString reason; // why, in the system's words
};

// Copies the files of the recording whose first file is sourceFolder/firstName into
// projectFolder, which is created first, replacing files of the same names there. A further
// file missing from the source folder is passed over: the meter may have kept fewer files than
// the set's span suggests. progress(m) is called before file m (1 to fileCount - 1).
RecordingCopyResult copyRecording(const QString &sourceFolder, const QString &firstName, int fileCount,
                                  const QString &projectFolder, const std::function<void(int)> &progress);

} // namespace ql708::graph

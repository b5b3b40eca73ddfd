// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/RecordingCopy.h"

#include "common/SaveFile.h"
#include "graph/WavNaming.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ql708::graph {

namespace {

constexpr qint64 kChunk = 1 << 20;

// Copies one file over target in pieces (a 30-minute recording is large), never leaving a
// half-written target; false with the reason.
bool copyFileReplacing(const QString &source, const QString &target, QString *reason)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        *reason = in.errorString();
        return false;
    }
    SaveFile out(target);
    if (!out.open()) {
        *reason = out.reason();
        return false;
    }
    QByteArray chunk;
    while (!(chunk = in.read(kChunk)).isEmpty()) {
        if (!out.write(chunk)) {
            *reason = out.reason();
            return false;
        }
    }
    if (in.error() != QFileDevice::NoError) {
        *reason = in.errorString();
        return false;
    }
    if (!out.commit()) {
        *reason = out.reason();
        return false;
    }
    return true;
}

} // namespace

RecordingCopyResult copyRecording(const QString &sourceFolder, const QString &firstName, int fileCount,
                                  const QString &projectFolder, const std::function<void(int)> &progress)
{
    if (!QDir().mkpath(projectFolder))
        return {RecordingCopyResult::FolderNotCreated, projectFolder, {}};
    const QDir source(sourceFolder), project(projectFolder);
    QString reason;
    if (!copyFileReplacing(source.filePath(firstName), project.filePath(firstName), &reason))
        return {RecordingCopyResult::FileNotCopied, source.filePath(firstName), reason};
    for (int m = 1; m < fileCount; ++m) {
        progress(m);
        const QString name = wavFileName(firstName, m);
        if (name.isEmpty() || !QFileInfo::exists(source.filePath(name)))
            continue;
        if (!copyFileReplacing(source.filePath(name), project.filePath(name), &reason))
            return {RecordingCopyResult::FileNotCopied, source.filePath(name), reason};
    }
    return {};
}

} // namespace ql708::graph

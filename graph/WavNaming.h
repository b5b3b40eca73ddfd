// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QString>

namespace ql708::graph {

// The meter splits a long recording into WAV files of 30 minutes each. The files are named
// like the first one, with its 7th and 8th characters counted on.
constexpr int kWavFileSeconds = 1800;

// Whether a set's "wave file" entry names a recording: not empty, not beginning with "00"
// (the meter's mark for none), and fit to be a file name (the entry comes from the meter's
// memory or a file, so it is not trusted).
bool namesRecording(const QString &waveName);

// One step of the two counting characters: 0-9 then A-Z (a-z in a lower-case name), after the
// last one 0 again with a carry into the 7th character; a carry out of the 7th is dropped, so
// ZZ comes back to 00. Any other character counts as the last one. After 9 comes a in a name
// written in lower case.
void advanceNameChars(QChar &c7, QChar &c8, bool lowerCase = false);

// The name of file k (0 for the first) of the recording whose first file is named first;
// empty when that name is too short to count on.
QString wavFileName(const QString &first, int k);

// How many files a recording of pointCount points every rate seconds has: one per whole 30
// minutes of its span, and one more for a rest of 4 s or more (the meter makes no file of a
// rest of up to 3 s). The first file always exists.
int wavFileCount(int rate, int pointCount);

// The files of a recording as the user located its first one: their folder (with a trailing
// separator), the first file's name, and how many files a set of pointCount points every rate
// seconds recorded. What playing the recording and copying it both start from.
struct RecordingFiles {
    QString folder;
    QString firstName;
    int count = 0;
};
RecordingFiles recordingFiles(const QString &firstFile, int rate, int pointCount);

// The name of the project folder a recording is copied to: its first file's name without the
// extension, at most 8 characters.
QString projectFolderName(const QString &first);

} // namespace ql708::graph

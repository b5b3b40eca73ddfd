// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/StringTable.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace ql708::settings {

constexpr float kDefaultRealTimeRate = 0.2f;
constexpr double kMaxRealTimeRate = 86400.0; // a point a day

// A rate the real-time graph can work with: more than 0 and at most a day, in seconds.
bool isRealTimeRate(double seconds);

// The persisted real-time sampling rate in seconds; a missing or foreign value, or one that is
// no rate (not a number, 0 or less, more than a day), gives 0.2.
float readRealTimeRate();
// Writes the rate; a store that cannot be written is ignored.
void writeRealTimeRate(float rate);

// The language last chosen in the menu; French until one was (and for anything foreign).
Language readLanguage();
void writeLanguage(Language language);

// The main window's geometry and state as Qt saves them; empty when none was stored.
QByteArray readWindowLayout(const QString &name);
void writeWindowLayout(const QString &name, const QByteArray &layout);

// The files last opened or saved, the latest first, at most kRecentFiles.
constexpr int kRecentFiles = 8;
QStringList readRecentFiles();
// Puts the file (made absolute) first, once, and drops the oldest past kRecentFiles; returns
// the list now stored.
QStringList addRecentFile(const QString &path);

// The folder last used by the file dialogs of one kind of file (the dialog's extension); empty
// when none was.
QString readLastFolder(const QString &kind);
void writeLastFolder(const QString &kind, const QString &folder);

} // namespace ql708::settings

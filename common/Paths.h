// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace ql708 {

// Where the program reads and writes its files. Tests point everything at a temporary
// folder with setTestRoot.
namespace paths {

// The user's documents folder, or empty when the system cannot tell.
QString documentsFolder();
// The folder the file dialogs offer first: documents + "/QL708/", created when missing; the
// documents folder itself when that fails; empty when there is no documents folder.
QString dataFolder();
// The per-user folder for files the program writes (temp/, template/).
QString writableAppFolder();
// The read-only data of the install (help page).
QString installDataFolder();
QString helpFile();
// The settings store's file.
QString settingsFile();

// Puts documents, writable folder and settings under root; an empty root restores the
// system's folders. documentsAvailable=false simulates a system without documents folder.
void setTestRoot(const QString &root, bool documentsAvailable = true);

} // namespace paths
} // namespace ql708

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace ql708::realtime {

// Whether a real-time run also writes its readings to the monitor's daily files, and the folder
// they go to. Remembered in the settings from one run to the next.
struct DailyFilesOption {
    bool on = false;
    QString folder;
};

// The data folder's monitor/ (the writable application folder's when there is no documents
// folder): where the command-line monitor's service writes too.
QString defaultDailyFilesFolder();

// The folder a typed text names: blanks around it dropped, "~" for the home folder, and a
// relative path taken inside the data folder, as the file dialogs start there; empty for a
// text of blanks.
QString dailyFilesFolder(const QString &typed);

// The option as last chosen: off, in the default folder, when none is stored; a stored value of
// another kind counts as none.
DailyFilesOption readDailyFilesOption();
// Writes the option; a store that cannot be written is ignored, as for the sampling rate.
void writeDailyFilesOption(const DailyFilesOption &option);

} // namespace ql708::realtime

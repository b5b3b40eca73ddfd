#pragma once

#include <QStringList>

namespace ql708 {

// ql708-cli download [--simulate] -o FILE.rec: reads the meter's logger memory as the window
// program does and writes it as a data set collection file. Shows a progress bar on a
// terminal and plain lines otherwise. Exit status 0 when the file was written, 3 when the
// memory holds no readable data set, 1 on a failure, 2 for bad usage.
int runDownloadCommand(const QStringList &args);

} // namespace ql708

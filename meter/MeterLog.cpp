// SPDX-License-Identifier: GPL-3.0-or-later
#include "meter/MeterLog.h"

namespace ql708 {

// Warnings show; debug and info messages wait until a rule turns them on.
Q_LOGGING_CATEGORY(lcLink, "ql708.link", QtWarningMsg)
Q_LOGGING_CATEGORY(lcPoll, "ql708.poll", QtWarningMsg)
Q_LOGGING_CATEGORY(lcDownload, "ql708.download", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSetup, "ql708.setup", QtWarningMsg)
Q_LOGGING_CATEGORY(lcLeq, "ql708.leq", QtWarningMsg)

} // namespace ql708

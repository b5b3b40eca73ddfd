// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

namespace ql708 {

// What the meter code says about its work, off by default. Turn one on with, for example,
// QT_LOGGING_RULES="ql708.link.debug=true" (or "ql708.*.debug=true" for all of them).
Q_DECLARE_LOGGING_CATEGORY(lcLink)     // "ql708.link": the HID device and its operations
Q_DECLARE_LOGGING_CATEGORY(lcPoll)     // "ql708.poll": the handshake, the status poll, the connection
Q_DECLARE_LOGGING_CATEGORY(lcDownload) // "ql708.download": the logger memory transfer
Q_DECLARE_LOGGING_CATEGORY(lcSetup)    // "ql708.setup": clock, interval, erase, information, memory bytes
Q_DECLARE_LOGGING_CATEGORY(lcLeq)      // "ql708.leq": the LEQ measurement's readings and its end

} // namespace ql708

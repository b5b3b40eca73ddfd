#pragma once

#include "meter/MeterLink.h"

#include <QTextStream>

namespace ql708::cli {

// The time between two polls of the meter, as the window program polls it.
constexpr int kPollMs = 500;

// Sends the handshake until the meter answers, a few times; when none answers, says on err
// what to check (cable, power, the udev rule).
bool connectMeter(MeterLink &link, QTextStream &err);

// Reports a failure on err and gives the exit status of one. A code the meter command
// returned follows the message, unless the message already ends with it.
int failWith(QTextStream &err, const QString &message, int code = 0);

// A setup command's message for a failure; where the window shows none (the meter did not
// reply), the words for no reply with the code.
QString setupFailure(const QString &message, int code);

// The 32 bytes of a reply in hexadecimal, for messages about replies that make no sense.
QString replyHex(const ReplyBuffer &reply);

} // namespace ql708::cli

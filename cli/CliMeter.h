#pragma once

#include "meter/MeterLink.h"

#include <QTextStream>

namespace ql708::cli {

// The time between two polls of the meter, as the window program polls it.
constexpr int kPollMs = 500;

// Sends the handshake until the meter answers, a few times; when none answers, says on err
// what to check (cable, power, the udev rule).
bool connectMeter(MeterLink &link, QTextStream &err);

// The 32 bytes of a reply in hexadecimal, for messages about replies that make no sense.
QString replyHex(const ReplyBuffer &reply);

} // namespace ql708::cli

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliCommand.h"
#include "meter/MeterLink.h"

#include <QTextStream>

namespace ql708::cli {

// Sends the handshake until the meter answers, a few times; when none answers, says on err
// what to check (cable, power, the udev rule).
bool connectMeter(MeterLink &link, QTextStream &err);

// A command's meter: the link the context makes (with the trace options), and the meter link
// over it, connected by the handshake.
struct MeterConnection {
    MeterConnection(CliContext &context, bool simulate) : hid(context.makeLink(simulate)), link(*hid) {}
    bool connect(QTextStream &err) { return connectMeter(link, err); }

    std::unique_ptr<HidLink> hid;
    MeterLink link;
};

// Reads the meter's status; false, with a message on err, when it gives none or says the
// meter records (refusal names what the user is to do).
bool meterIdle(MeterLink &link, QTextStream &err, const QString &refusal);

// Reports a failure on err and gives the exit status of one. A code the meter command
// returned follows the message, unless the message already ends with it.
int failWith(QTextStream &err, const QString &message, int code = 0);

// A setup command's message for a failure; where the window shows none (the meter did not
// reply), the words for no reply with the code.
QString setupFailure(const QString &message, int code);

// The 32 bytes of a reply in hexadecimal, for messages about replies that make no sense.
QString replyHex(const ReplyBuffer &reply);

} // namespace ql708::cli

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliMeter.h"

#include "common/Clock.h"
#include "meter/LoggerSetup.h"

namespace ql708::cli {

namespace {
constexpr int kHandshakeTries = 3;
} // namespace

bool connectMeter(MeterLink &link, QTextStream &err)
{
    for (int i = 0; i < kHandshakeTries; ++i) {
        if (i > 0)
            delayMs(MeterLink::kPollMs);
        if (link.tick(true).kind == PollResult::Connected)
            return true;
    }
    err << "ql708-cli: no meter answered (USB 04D9:E000). Check that it is plugged in and switched on.\n"
           "If it is, this user may not open it: install the udev rule 70-ql708.rules (the package\n"
           "installs it; from the sources see packaging/ and the README, \"Access to the meter\").\n";
    err.flush();
    return false;
}

bool meterIdle(MeterLink &link, QTextStream &err, const QString &refusal)
{
    if (link.tick(true).kind != PollResult::StatusRead) {
        failWith(err, QStringLiteral("the meter does not tell its status."));
        return false;
    }
    if (link.meterRecording()) {
        failWith(err, refusal);
        return false;
    }
    return true;
}

int failWith(QTextStream &err, const QString &message, int code)
{
    QString text = message.trimmed();
    if (code != 0 && !text.endsWith(QString::number(code)))
        text += (text.isEmpty() ? QStringLiteral("error code=") : QStringLiteral(", error code=")) + QString::number(code);
    err << "ql708-cli: " << text << '\n';
    err.flush();
    return kExitFailed;
}

QString setupFailure(const QString &message, int code)
{
    return message.isEmpty() ? noReplyMessage(code) : message;
}

QString replyHex(const ReplyBuffer &reply)
{
    return QByteArray(reinterpret_cast<const char *>(reply.data()), qsizetype(reply.size())).toHex(' ');
}

} // namespace ql708::cli

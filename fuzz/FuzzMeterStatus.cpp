// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry for the decoders of the meter's 32-byte replies: the status as the poll, the
// front panel, the terminal's status line and the LEQ measurement read it, the handshake's
// identification and the information reply. Every reply decodes to something shown, never to
// a fault.
#include "cli/StatusLine.h"
#include "leq/LeqReading.h"
#include "meter/LoggerSetup.h"
#include "meter/MeterStatus.h"
#include "panel/PanelModel.h"
#include "panel/PanelReading.h"

#include <cmath>
#include <cstdint>
#include <cstring>

using namespace ql708;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ReplyBuffer reply{};
    if (size < reply.size())
        return 0;
    std::memcpy(reply.data(), data, reply.size());
    const MeterStatus status = decodeMeterStatus(reply);
    PanelModel panel;
    panel.update(status);
    panel.blinkTick();
    const QString reading = lcdReading(panel.view());
    const QString line = statusLine(QDateTime(QDate(2024, 6, 3), QTime(10, 15)), status);
    const leq::LeqReading leqReading = leq::decodeReading(reply);
    const MeterInformation info = decodeInformation(reply);
    if (reading.isEmpty() || line.isEmpty() || !std::isfinite(leqReading.levelDb) || !std::isfinite(status.shownLevelDb()))
        __builtin_trap();
    (void)info;
    (void)isHandshakeReply(reply);
    return 0;
}

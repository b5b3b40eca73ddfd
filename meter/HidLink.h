// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/Protocol.h"

#include <QByteArray>

namespace ql708 {

// The transport to the meter: the eight operations of a HID session.
// Every operation returns 0 on success and non-zero on failure.
class HidLink {
public:
    virtual ~HidLink() = default;

    virtual int close() = 0;
    virtual int open(std::uint16_t vendorId, std::uint16_t productId) = 0;
    virtual int setTimeouts(int readMs, int writeMs) = 0;
    virtual int writeCommand(const CommandFrame &frame) = 0;
    // Called after a write and before the read.
    virtual int settle() = 0;
    // Reads one whole 32-byte reply, waiting at most the read time-out.
    virtual int readReply(ReplyBuffer &reply) = 0;
    virtual int writeBlock(const DataBlock &block) = 0;
    // The meter's serial number text (at most 63 characters).
    virtual int serialText(QByteArray &text) = 0;
};

} // namespace ql708

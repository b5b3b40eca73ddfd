// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/HidLink.h"

struct hid_device_;

namespace ql708 {

// The real meter through hidapi (hidraw backend).
class HidapiLink : public HidLink {
public:
    HidapiLink();
    ~HidapiLink() override;
    HidapiLink(const HidapiLink &) = delete;
    HidapiLink &operator=(const HidapiLink &) = delete;

    int close() override;
    int open(std::uint16_t vendorId, std::uint16_t productId) override;
    int setTimeouts(int readMs, int writeMs) override;
    int writeCommand(const CommandFrame &frame) override;
    int settle() override;
    int readReply(ReplyBuffer &reply) override;
    int writeBlock(const DataBlock &block) override;
    int serialText(QByteArray &text) override;

private:
    int writeReport(const std::uint8_t *data, int size);

    hid_device_ *m_device = nullptr;
    int m_readTimeoutMs = 1000;
};

} // namespace ql708

// SPDX-License-Identifier: GPL-3.0-or-later
#include "meter/HidapiLink.h"

#include "meter/MeterLog.h"

#include <hidapi.h>

#include <QString>

#include <cwchar>
#include <vector>

namespace ql708 {

namespace {
// What the HID library says about its last failure, for the link's log.
QString hidError(hid_device *device)
{
    const wchar_t *text = hid_error(device);
    return text ? QString::fromWCharArray(text) : QStringLiteral("no reason given");
}
} // namespace

HidapiLink::HidapiLink() { hid_init(); }

HidapiLink::~HidapiLink()
{
    close();
    hid_exit();
}

int HidapiLink::close()
{
    if (m_device) {
        hid_close(m_device);
        m_device = nullptr;
    }
    return 0;
}

int HidapiLink::open(std::uint16_t vendorId, std::uint16_t productId)
{
    close();
    m_device = hid_open(vendorId, productId, nullptr);
    if (!m_device)
        qCDebug(lcLink, "open %04x:%04x: %s", vendorId, productId, qPrintable(hidError(nullptr)));
    return m_device ? 0 : 1;
}

int HidapiLink::setTimeouts(int readMs, int)
{
    if (!m_device || readMs < 0)
        return 1;
    m_readTimeoutMs = readMs;
    return 0;
}

int HidapiLink::writeReport(const std::uint8_t *data, int size)
{
    if (!m_device)
        return 1;
    // The meter uses no report ids: the first byte sent is report id 0.
    std::vector<unsigned char> report(std::size_t(size) + 1, 0);
    std::copy(data, data + size, report.begin() + 1);
    if (hid_write(m_device, report.data(), report.size()) >= 0)
        return 0;
    qCDebug(lcLink, "write of %d bytes: %s", size, qPrintable(hidError(m_device)));
    return 1;
}

int HidapiLink::writeCommand(const CommandFrame &frame)
{
    return writeReport(frame.data(), int(frame.size()));
}

int HidapiLink::settle() { return 0; }

int HidapiLink::readReply(ReplyBuffer &reply)
{
    if (!m_device)
        return 1;
    unsigned char buffer[64] = {};
    const int n = hid_read_timeout(m_device, buffer, sizeof buffer, m_readTimeoutMs);
    if (n < int(reply.size())) {
        if (n < 0)
            qCDebug(lcLink, "read: %s", qPrintable(hidError(m_device)));
        else
            qCDebug(lcLink, "read: %d bytes within %d ms, 32 expected", n, m_readTimeoutMs);
        return 1;
    }
    std::copy(buffer, buffer + reply.size(), reply.begin());
    return 0;
}

int HidapiLink::writeBlock(const DataBlock &block)
{
    return writeReport(block.data(), int(block.size()));
}

int HidapiLink::serialText(QByteArray &text)
{
    if (!m_device)
        return 1;
    wchar_t buffer[64] = {};
    if (hid_get_serial_number_string(m_device, buffer, 63) != 0) {
        qCDebug(lcLink, "serial number: %s", qPrintable(hidError(m_device)));
        return 1;
    }
    text = QString::fromWCharArray(buffer, int(std::wcslen(buffer))).toLatin1();
    return 0;
}

} // namespace ql708

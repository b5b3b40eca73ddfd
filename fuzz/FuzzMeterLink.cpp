// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry for the meter's replies through the link: a fuzzed meter behind the HidLink
// answers every read with the next 32 bytes of the input (a control byte before each: 0xFF
// fails that read) and gives its serial text from the input too. Through it run a few polls, a
// download with the parse of what came, and the setup commands and a key. Once the input is
// used up the meter is gone: every read fails.
#include "data/MemoryImage.h"
#include "fuzz/FuzzSupport.h"
#include "meter/LoggerDownload.h"
#include "meter/LoggerSetup.h"

#include <algorithm>
#include <cstdint>

using namespace ql708;

namespace {

class FuzzedMeter : public HidLink {
public:
    FuzzedMeter(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}

    int close() override { return 0; }
    int open(std::uint16_t, std::uint16_t) override { return 0; }
    int setTimeouts(int, int) override { return 0; }
    int writeCommand(const CommandFrame &) override { return 0; }
    int settle() override { return 0; }
    int readReply(ReplyBuffer &reply) override
    {
        if (m_pos >= m_size || m_data[m_pos++] == 0xFF || m_size - m_pos < reply.size())
            return 1;
        std::copy_n(m_data + m_pos, reply.size(), reply.begin());
        m_pos += reply.size();
        return 0;
    }
    int writeBlock(const DataBlock &) override { return 0; }
    int serialText(QByteArray &text) override
    {
        if (m_pos >= m_size)
            return 1;
        const std::size_t wanted = m_data[m_pos++] % 64;
        const std::size_t n = std::min(wanted, m_size - m_pos);
        text = QByteArray(reinterpret_cast<const char *>(m_data + m_pos), qsizetype(n));
        m_pos += n;
        return 0;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

void download(MeterLink &link)
{
    QByteArray image;
    qint32 lastAddress = -1;
    if (ReadLoggerMemory(link, image, lastAddress) != download_result::kOk) {
        abortDownload(link);
        return;
    }
    if (image.size() != downloadSize(lastAddress))
        __builtin_trap();
    data::DataSetList sets;
    data::ParseMemoryImage(image, lastAddress, sets);
}

void setupCommands(MeterLink &link)
{
    LoggerSetup setup(link);
    setup.setClock();
    setup.setInterval(QStringLiteral("00"), QStringLiteral("05"));
    MeterInformation info;
    setup.readInformation(info);
    setup.eraseMemory();
    int byte = 0;
    setup.readByte(0x100, byte);
    setup.writeByte(0x100, 0x5A);
    setup.quickRecording(10, 2);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::useStepClock();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedMeter meter(data, size);
    MeterLink link(meter);
    for (int i = 0; i < 3; ++i)
        link.tick(true);
    download(link);
    setupCommands(link);
    link.keyExchange(MeterCommand::RangeKey);
    link.tick(true);
    return 0;
}

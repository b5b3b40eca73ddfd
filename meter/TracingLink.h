// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/HidLink.h"
#include "meter/TraceFormat.h"

#include <QString>

#include <memory>

class QIODevice;

namespace ql708 {

// Passes every operation on to the link it wraps and writes it to a trace as one line: the
// time on the program's monotonic clock, the operation, its result and its bytes. Each line
// goes out in one write as soon as the operation returns, so a program that is killed loses
// nothing it did before.
class TracingLink : public HidLink {
public:
    // Writes to out, which stays open for the life of this link; origin (the program, its
    // version, what it does) goes into the trace's heading with the date and time.
    TracingLink(HidLink &inner, QIODevice &out, const QString &origin);
    // The same, owning both.
    TracingLink(std::unique_ptr<HidLink> inner, std::unique_ptr<QIODevice> out, const QString &origin);
    ~TracingLink() override;

    int close() override;
    int open(std::uint16_t vendorId, std::uint16_t productId) override;
    int setTimeouts(int readMs, int writeMs) override;
    int writeCommand(const CommandFrame &frame) override;
    int settle() override;
    int readReply(ReplyBuffer &reply) override;
    int writeBlock(const DataBlock &block) override;
    int serialText(QByteArray &text) override;

private:
    int record(TraceEntry::Op op, int result, int first = 0, int second = 0, const std::uint8_t *data = nullptr,
               int size = 0);
    void write(const QByteArray &text);

    std::unique_ptr<HidLink> m_ownedInner;
    std::unique_ptr<QIODevice> m_ownedOut;
    HidLink &m_inner;
    QIODevice &m_out;
    qint64 m_startTick;
    bool m_writeFailed = false;
};

} // namespace ql708

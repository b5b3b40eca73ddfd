// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/Protocol.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

class QIODevice;

namespace ql708 {

// One operation of the HID link as a trace holds it: when, which, what it returned, and the
// bytes that went out or came back. The format is described in docs/trace-format.md.
struct TraceEntry {
    enum Op : std::uint8_t { Close, Open, Timeouts, Write, Settle, Read, Block, Serial };
    static constexpr int kMaxBytes = 64;
    // The serial text is at most 63 characters.
    static constexpr int kMaxSerialText = kMaxBytes - 1;

    qint64 ms = 0;             // monotonic milliseconds since the trace began
    Op op = Close;
    int result = 0;            // what the operation returned; 0 is success
    int first = 0, second = 0; // open: vendor and product id; timeouts: read and write ms
    int size = 0;              // bytes in use: a frame's 7, a reply's or block's 32, the text's length
    std::array<std::uint8_t, kMaxBytes> bytes{};
    int line = 0;              // the entry's line in the trace it was read from

    void setBytes(const std::uint8_t *data, int count);
};

// The first line of every trace; its number is the version of the format.
inline constexpr char kTraceHeading[] = "# ql708 trace 1";
// Longer traces are refused rather than held in memory: some 18 hours of polling.
constexpr int kMaxTraceOperations = 1000000;

// The entry as one line of a trace, line end included.
QByteArray traceLine(const TraceEntry &e);
// What the program asked for, without what came back: "write 02 41 00 00 00 05 03",
// "open 04d9 e000", "timeouts 1000 1000", "read".
QString traceRequest(const TraceEntry &e);
// Whether two entries are the same request: the same operation with the same inputs.
bool sameRequest(const TraceEntry &a, const TraceEntry &b);

// Reads a whole trace into entries. On a fault it returns false, and error says on which
// line and what is wrong there; a trace cut off in the middle of a line is such a fault.
bool readTrace(QIODevice &in, std::vector<TraceEntry> &entries, QString &error);

} // namespace ql708

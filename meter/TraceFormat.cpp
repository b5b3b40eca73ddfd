// SPDX-License-Identifier: GPL-3.0-or-later
#include "meter/TraceFormat.h"

#include <QIODevice>

#include <algorithm>
#include <climits>

namespace ql708 {

namespace {

// The longest line read; a real one is under 300 characters.
constexpr qint64 kMaxLineLength = 1024;

struct OpSyntax {
    const char *name;
    int minBytes, maxBytes; // hex bytes after the result
    int numbers;            // values before the bytes: open's ids, the time-outs
};

// Indexed by TraceEntry::Op.
constexpr OpSyntax kOps[] = {
    {"close", 0, 0, 0},
    {"open", 0, 0, 2},
    {"timeouts", 0, 0, 2},
    {"write", int(std::tuple_size_v<CommandFrame>), int(std::tuple_size_v<CommandFrame>), 0},
    {"settle", 0, 0, 0},
    {"read", int(std::tuple_size_v<ReplyBuffer>), int(std::tuple_size_v<ReplyBuffer>), 0},
    {"block", int(std::tuple_size_v<DataBlock>), int(std::tuple_size_v<DataBlock>), 0},
    {"serial", 0, TraceEntry::kMaxSerialText, 0},
};

const OpSyntax &syntax(TraceEntry::Op op) { return kOps[op]; }

QByteArray hexBytes(const TraceEntry &e)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(e.bytes.data()), e.size).toHex(' ');
}

QByteArray id16(int v) { return QByteArray::number(v, 16).rightJustified(4, '0'); }

// The inputs of a request as the trace writes them: ids or time-outs, or the bytes sent.
QByteArray requestFields(const TraceEntry &e)
{
    switch (e.op) {
    case TraceEntry::Open:
        return id16(e.first) + ' ' + id16(e.second);
    case TraceEntry::Timeouts:
        return QByteArray::number(e.first) + ' ' + QByteArray::number(e.second);
    case TraceEntry::Write:
    case TraceEntry::Block:
        return hexBytes(e);
    default:
        return {};
    }
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Exactly `digits` hexadecimal digits; -1 otherwise.
int hexValue(const QByteArray &t, int digits)
{
    if (t.size() != digits)
        return -1;
    int v = 0;
    for (char c : t) {
        const int d = hexDigit(c);
        if (d < 0)
            return -1;
        v = v * 16 + d;
    }
    return v;
}

// A word of the line as it may be quoted in a message: short and printable.
QString quoted(const QByteArray &word)
{
    QString s = QString::fromLatin1(word.left(24));
    for (QChar &c : s)
        if (!c.isPrint())
            c = QLatin1Char('?');
    return QLatin1Char('"') + s + (word.size() > 24 ? QStringLiteral("...\"") : QStringLiteral("\""));
}

bool decimal(const QByteArray &t, qint64 min, qint64 &value)
{
    bool ok = false;
    // Digits only (a sign for negative results): no spaces, no "0x".
    const bool digits = !t.isEmpty() && std::all_of(t.begin() + (t.startsWith('-') ? 1 : 0), t.end(),
                                                    [](char c) { return c >= '0' && c <= '9'; });
    value = digits ? t.toLongLong(&ok) : 0;
    return ok && value >= min;
}

// Parses the words of one operation line; false with error set (without the line number).
bool parseWords(const QList<QByteArray> &w, TraceEntry &e, QString &error)
{
    if (w.size() < 3) {
        error = QStringLiteral("an operation needs its time, its name and its result");
        return false;
    }
    qint64 v = 0;
    if (!decimal(w[0], 0, v)) {
        error = QStringLiteral("the time %1 is not a number of milliseconds").arg(quoted(w[0]));
        return false;
    }
    e.ms = v;
    const auto op = std::find_if(std::begin(kOps), std::end(kOps), [&](const OpSyntax &s) { return w[1] == s.name; });
    if (op == std::end(kOps)) {
        error = QStringLiteral("unknown operation %1").arg(quoted(w[1]));
        return false;
    }
    e.op = TraceEntry::Op(op - std::begin(kOps));
    if (!decimal(w[2], -qint64(INT_MAX), v) || v > INT_MAX) {
        error = QStringLiteral("the result %1 is not a whole number").arg(quoted(w[2]));
        return false;
    }
    e.result = int(v);
    const int fields = int(w.size()) - 3;
    if (op->numbers > 0) {
        if (fields != op->numbers) {
            error = QStringLiteral("%1 needs %2 values after its result, not %3").arg(op->name).arg(op->numbers).arg(fields);
            return false;
        }
        if (e.op == TraceEntry::Open) {
            e.first = hexValue(w[3], 4);
            e.second = hexValue(w[4], 4);
            if (e.first < 0 || e.second < 0) {
                error = QStringLiteral("open needs two ids of four hexadecimal digits, not %1 %2").arg(quoted(w[3]), quoted(w[4]));
                return false;
            }
        } else {
            qint64 read = 0, write = 0;
            if (!decimal(w[3], 0, read) || !decimal(w[4], 0, write) || read > INT_MAX || write > INT_MAX) {
                error = QStringLiteral("timeouts needs two numbers of milliseconds, not %1 %2").arg(quoted(w[3]), quoted(w[4]));
                return false;
            }
            e.first = int(read), e.second = int(write);
        }
        return true;
    }
    if (fields < op->minBytes || fields > op->maxBytes) {
        error = op->minBytes == op->maxBytes
                    ? QStringLiteral("%1 needs %2 bytes, not %3").arg(op->name).arg(op->minBytes).arg(fields)
                    : QStringLiteral("%1 holds at most %2 bytes, not %3").arg(op->name).arg(op->maxBytes).arg(fields);
        return false;
    }
    e.size = fields;
    for (int i = 0; i < fields; ++i) {
        const int b = hexValue(w[3 + i], 2);
        if (b < 0) {
            error = QStringLiteral("bad hex byte %1 (byte %2 of %3)").arg(quoted(w[3 + i])).arg(i + 1).arg(fields);
            return false;
        }
        e.bytes[std::size_t(i)] = std::uint8_t(b);
    }
    return true;
}

} // namespace

void TraceEntry::setBytes(const std::uint8_t *data, int count)
{
    size = std::clamp(count, 0, kMaxBytes);
    std::copy_n(data, size, bytes.begin());
}

QByteArray traceLine(const TraceEntry &e)
{
    QByteArray line = QByteArray::number(e.ms) + ' ' + syntax(e.op).name + ' ' + QByteArray::number(e.result);
    const QByteArray fields = e.op == TraceEntry::Read || e.op == TraceEntry::Serial ? hexBytes(e) : requestFields(e);
    if (!fields.isEmpty())
        line += ' ' + fields;
    return line + '\n';
}

QString traceRequest(const TraceEntry &e)
{
    const QByteArray fields = requestFields(e);
    return QString::fromLatin1(fields.isEmpty() ? QByteArray(syntax(e.op).name) : syntax(e.op).name + (' ' + fields));
}

bool sameRequest(const TraceEntry &a, const TraceEntry &b)
{
    return a.op == b.op && requestFields(a) == requestFields(b);
}

bool readTrace(QIODevice &in, std::vector<TraceEntry> &entries, QString &error)
{
    entries.clear();
    int lineNo = 0;
    auto fault = [&](const QString &what) {
        error = QStringLiteral("line %1: %2").arg(lineNo).arg(what);
        return false;
    };
    // Read until nothing comes: a device that is no plain file (a pipe, /dev/zero) may say it
    // is at its end before the first read.
    for (;;) {
        const QByteArray raw = in.readLine(kMaxLineLength + 1);
        if (raw.isEmpty())
            break;
        ++lineNo;
        if (lineNo == 1 && raw.trimmed() != kTraceHeading)
            return fault(QStringLiteral("not a QL708 trace (the first line should read \"%1\")")
                             .arg(QLatin1String(kTraceHeading)));
        if (!raw.endsWith('\n')) {
            if (raw.size() >= kMaxLineLength)
                return fault(QStringLiteral("longer than %1 characters").arg(kMaxLineLength));
            if (in.atEnd())
                return fault(QStringLiteral("cut off: the last line has no line end"));
            return fault(QStringLiteral("unreadable")); // a read error of the device
        }
        const QByteArray text = raw.trimmed();
        if (text.isEmpty() || text.startsWith('#'))
            continue;
        if (entries.size() >= std::size_t(kMaxTraceOperations))
            return fault(QStringLiteral("more than %1 operations; keep the part of the trace that matters")
                             .arg(kMaxTraceOperations));
        TraceEntry e;
        e.line = lineNo;
        QString what;
        if (!parseWords(text.simplified().split(' '), e, what))
            return fault(what);
        entries.push_back(e);
    }
    if (lineNo == 0) {
        error = QStringLiteral("the file is empty, not a QL708 trace");
        return false;
    }
    return true;
}

} // namespace ql708

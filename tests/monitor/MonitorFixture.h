// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "monitor/Publisher.h"
#include "monitor/Reading.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>

namespace ql708::test {

// A reading of the live level at a time, A-weighted, FAST, range 30-130.
monitor::Reading readingAt(const QDateTime &time, double dB, bool over = false);

// The lines of a file, its heading included; empty when it is missing.
QList<QByteArray> fileLines(const QString &path);

// A publisher that keeps what it is handed.
class FakePublisher : public monitor::Publisher {
public:
    void publish(const QByteArray &subtopic, const QByteArray &payload) override { messages.append({subtopic, payload}); }
    QList<QByteArray> payloads(const QByteArray &subtopic) const;
    QList<QPair<QByteArray, QByteArray>> messages;
};

} // namespace ql708::test

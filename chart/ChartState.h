// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartModel.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace ql708::chart {

// The stored chart state: one versioned byte block (layout in docs/file-formats.md,
// "Graph files").
constexpr quint32 kChartStateMagic = 0x48434C51; // "QLCH" as little-endian bytes
constexpr quint16 kChartStateVersion = 1;
constexpr qint64 kMaxChartBlockSize = 512LL * 1024 * 1024;

// CRC-32 (ISO 3309) of the block's payload, as held in its header.
quint32 chartBlockChecksum(QByteArrayView payload);

QByteArray serializeChart(const ChartModel &model);
// Fills out only when the whole block is sound; otherwise out is untouched and error says why.
bool deserializeChart(QByteArrayView block, ChartModel &out, QString *error);

// A graph file: the block's size as 32-bit little-endian, then the block. Writing replaces the
// file atomically; on failure the message names the path and the reason.
bool saveChartModelFile(const ChartModel &model, const QString &path, QString *error);
bool loadChartModelFile(ChartModel &model, const QString &path, QString *error);

} // namespace ql708::chart

// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry for the graph file loader: the input is a graph file (.ghf or template). The
// block's size and checksum are sealed again before loading, so that mutations reach the fields
// behind them. A chart that loads must store to the very payload it came from (nothing lost or
// altered on the way), and is then drawn whole and deeply zoomed.
#include "chart/ChartState.h"
#include "chart/PESGraph.h"

#include <QApplication>
#include <QtEndian>
#include <cmath>
#include <cstdint>
#include <cstdlib>

using namespace ql708::chart;

namespace {

constexpr qsizetype kSizeField = 4;
constexpr qsizetype kHeader = 16;

QByteArray sealedBlock(const uint8_t *data, size_t size)
{
    QByteArray block(reinterpret_cast<const char *>(data) + kSizeField, qsizetype(size) - kSizeField);
    const QByteArrayView payload = QByteArrayView(block).sliced(kHeader);
    qToLittleEndian<quint32>(quint32(payload.size()), block.data() + 8);
    qToLittleEndian<quint32>(chartBlockChecksum(payload), block.data() + 12);
    return block;
}

void draw(ChartModel model)
{
    static PESGraph *chart = [] {
        auto *c = new PESGraph;
        c->resize(640, 400);
        return c;
    }();
    const Scale x = model.scaleX;
    chart->setModel(std::move(model));
    chart->renderImage(640, 400);
    if (std::isfinite(x.max - x.min) && x.max > x.min) {
        chart->zoomTo(x.min, x.min + (x.max - x.min) * 1e-9, 0, 1);
        chart->renderImage(640, 400);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < size_t(kSizeField + kHeader))
        return 0;
    ChartModel model;
    QString error;
    const QByteArray block = sealedBlock(data, size);
    if (!deserializeChart(block, model, &error))
        return 0;
    if (serializeChart(model).sliced(kHeader) != block.sliced(kHeader))
        std::abort();
    draw(std::move(model));
    return 0;
}

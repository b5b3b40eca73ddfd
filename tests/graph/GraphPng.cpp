// Draws a graph window holding a day of levels (100,000 points) to PNG files, for looking at
// by eye: unzoomed, zoomed to minutes, and after changes made in the graph options dialog.
#include "widgets/ModalRunner.h"
#include "chart/PESGraph.h"
#include "graph/ChartSetup.h"
#include "graph/TfrmGraph.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMessageBox>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace ql708;

namespace {

// Quiet nights, busy days, a passing event every few minutes and a gap where the meter was off.
void fillDay(chart::PESGraph &chart, int n, double start)
{
    std::vector<double> x(static_cast<size_t>(n));
    std::vector<float> y(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double day = double(i) / n;
        x[size_t(i)] = start + day;
        const double daytime = std::max(0.0, std::sin((day - 0.25) * 2 * M_PI));
        const double event = (i % 347 < 12) ? 18.0 * (1 - (i % 347) / 12.0) : 0.0;
        const double noise = ((i * 7919) % 23) * 0.25;
        y[size_t(i)] = (i >= 52000 && i < 54000) ? chart::PESGraph::nullDataValueY()
                                                   : float(38 + 24 * daytime + event * (0.4 + daytime) + noise);
    }
    chart.setXDataII(0, x.data(), n);
    chart.setYData(0, y.data(), n);
}

bool save(QWidget &w, const QDir &dir, const char *name)
{
    QCoreApplication::processEvents();
    return w.grab().save(dir.filePath(QString::fromLatin1(name)));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: graph_png <folder>\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    constexpr int n = 100000;
    constexpr double start = 45444.0;
    QMdiArea area;
    area.resize(1300, 800);
    area.show();
    auto *w = graph::TfrmGraph::create(&area, QStringLiteral("DataLogger"));
    w->setGeometry(0, 0, 1300, 800);
    w->pnlDataSets->show();
    graph::PrepareChart(*w->PESGraph1, 1, 100, 20, start + 1, start, n);
    fillDay(*w->PESGraph1, n, start);
    w->PESGraph1->redraw();
    bool ok = save(*w, dir, "graph_full.png");

    const double lo = start + 0.55;
    w->PESGraph1->zoomTo(lo, lo + 10 / 1440.0, 30, 90);
    ok = save(*w, dir, "graph_zoom_minutes.png") && ok;
    w->PESGraph1->PEactions(chart::sgUndoZoom);

    setModalHandler([](QDialog &d) {
        if (d.objectName() != QLatin1String("chartOptions"))
            return int(QMessageBox::No); // do not save a template from this tool
        d.findChild<QLineEdit *>(QStringLiteral("edtMainTitle"))->setText(QStringLiteral("A day at the north fence"));
        d.findChild<QComboBox *>(QStringLiteral("cboGridStyle"))->setCurrentIndex(chart::sgDash);
        auto *lineType = d.findChild<QComboBox *>(QStringLiteral("cboLineType"));
        lineType->setCurrentIndex(5);
        emit lineType->activated(5);
        QMetaObject::invokeMethod(d.findChild<QDialogButtonBox *>(QStringLiteral("buttons")), "accepted");
        return d.result();
    });
    w->Button1->trigger();
    ok = save(*w, dir, "graph_options.png") && ok;
    return ok ? 0 : 1;
}

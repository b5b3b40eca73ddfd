// SPDX-License-Identifier: GPL-3.0-or-later
// Draws a graph window holding a day of levels (100,000 points) to PNG files, for looking at by
// eye: unzoomed; cursors dragged with the mouse; CAL Leq; a text note and a cross, then erased;
// zoomed to minutes and back; after changes made in the graph options dialog. Prints the
// exported statistics. With --interactive it only shows the window, for driving it by hand or
// by script on a display.
#include "widgets/ModalRunner.h"
#include "chart/PESGraph.h"
#include "graph/ChartSetup.h"
#include "graph/GraphWindows.h"
#include "graph/TfrmAnnoEdit.h"
#include "graph/TfrmDelAnno.h"
#include "graph/TfrmGraph.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTableWidget>
#include <QThread>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace ql708;

namespace {

constexpr int kPoints = 100000;
constexpr double kStart = 45444.0;

// Quiet nights, busy days, a passing event every few minutes and a gap where the meter was off.
void day(std::vector<double> &x, std::vector<float> &y)
{
    x.resize(kPoints);
    y.resize(kPoints);
    for (int i = 0; i < kPoints; ++i) {
        const double t = double(i) / kPoints;
        x[size_t(i)] = kStart + t;
        const double daytime = std::max(0.0, std::sin((t - 0.25) * 2 * M_PI));
        const double event = (i % 347 < 12) ? 18.0 * (1 - (i % 347) / 12.0) : 0.0;
        const double noise = ((i * 7919) % 23) * 0.25;
        y[size_t(i)] = (i >= 52000 && i < 54000) ? chart::PESGraph::nullDataValueY()
                                                   : float(38 + 24 * daytime + event * (0.4 + daytime) + noise);
    }
}

bool save(QWidget &w, const QDir &dir, const char *name)
{
    QCoreApplication::processEvents();
    return w.grab().save(dir.filePath(QString::fromLatin1(name)));
}

void mouse(QWidget *plot, QEvent::Type type, QPoint at)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(at), plot->mapToGlobal(QPointF(at)), Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(plot, &e);
}

// Drags a vertical line of the chart to the time t, as a hand would, in a few steps.
void dragLine(graph::TfrmGraph &w, int line, double t)
{
    chart::PESGraph &c = *w.PESGraph1();
    auto *plot = c.findChild<QWidget *>(QStringLiteral("plot"));
    const int y = c.plotRect().center().y();
    const QPoint from(qRound(c.dataToPixel(c.vertLineAnnotation(line), 0).x()), y);
    const QPoint to(qRound(c.dataToPixel(t, 0).x()), y);
    mouse(plot, QEvent::MouseButtonPress, plot->mapFrom(&c, from));
    for (int step = 1; step <= 4; ++step) {
        QThread::msleep(210); // lines follow the mouse five times a second
        mouse(plot, QEvent::MouseMove, plot->mapFrom(&c, from + (to - from) * step / 4));
    }
    mouse(plot, QEvent::MouseButtonRelease, plot->mapFrom(&c, to));
}

void clickAt(graph::TfrmGraph &w, double t, double level)
{
    chart::PESGraph &c = *w.PESGraph1();
    auto *plot = c.findChild<QWidget *>(QStringLiteral("plot"));
    const QPoint at = plot->mapFrom(&c, c.dataToPixel(t, level).toPoint());
    mouse(plot, QEvent::MouseButtonPress, at);
    mouse(plot, QEvent::MouseButtonRelease, at);
}

// Answers the program's dialogs as this walk-through needs.
int answer(QDialog &d)
{
    if (auto *note = qobject_cast<graph::TfrmAnnoEdit *>(&d)) {
        note->Edit1()->setText(QStringLiteral("Lorry at the gate"));
        return QDialog::Accepted;
    }
    if (auto *list = qobject_cast<graph::TfrmDelAnno *>(&d)) {
        std::printf("erase list: %d rows\n", list->StringGrid1()->rowCount());
        list->StringGrid1()->selectAll();
        return QDialog::Accepted;
    }
    if (d.objectName() == QLatin1String("chartOptions")) {
        d.findChild<QLineEdit *>(QStringLiteral("edtMainTitle"))->setText(QStringLiteral("A day at the north fence"));
        d.findChild<QComboBox *>(QStringLiteral("cboGridStyle"))->setCurrentIndex(chart::sgDash);
        auto *lineType = d.findChild<QComboBox *>(QStringLiteral("cboLineType"));
        lineType->setCurrentIndex(5);
        emit lineType->activated(5);
        QMetaObject::invokeMethod(d.findChild<QDialogButtonBox *>(QStringLiteral("buttons")), "accepted");
        return d.result();
    }
    if (auto *box = qobject_cast<QMessageBox *>(&d))
        std::printf("message: %s\n", qPrintable(box->text()));
    return QMessageBox::No; // no template is saved from this tool
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: graph_png <folder> | graph_png --interactive\n");
        return 2;
    }
    const bool interactive = QString::fromLocal8Bit(argv[1]) == QLatin1String("--interactive");
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    std::vector<double> x;
    std::vector<float> y;
    day(x, y);
    QMdiArea area;
    area.resize(1300, 820);
    area.setWindowTitle(QStringLiteral("graph_png"));
    area.show();
    auto *w = graph::TfrmGraph::create(&area, QStringLiteral("north-fence.ghf"));
    w->setGeometry(0, 0, 1300, 820);
    graph::PrepareChart(*w->PESGraph1(), 1, 100, 20, x.back(), x.front(), kPoints);
    w->showSeries(x.data(), y.data(), kPoints, 100, 20);
    if (interactive)
        return app.exec();

    setModalHandler(answer);
    bool ok = save(*w, dir, "graph_full.png");

    dragLine(*w, graph::kCursorALine, kStart + 0.30);
    dragLine(*w, graph::kCursorBLine, kStart + 0.45);
    ok = save(*w, dir, "graph_cursors.png") && ok;
    w->Button2()->trigger();
    std::printf("clipboard:\n%s", qPrintable(QGuiApplication::clipboard()->text()));

    w->bunCalLEQ()->trigger();
    if (graph::TfrmGraph *leq = graph::GraphWindows::instance().calLeq) {
        leq->setGeometry(80, 60, 1100, 650);
        ok = save(*leq, dir, "graph_calleq.png") && ok;
        leq->close();
    }

    area.setActiveSubWindow(w);
    w->ToolButton9()->trigger();
    clickAt(*w, kStart + 0.55, 85);
    w->ToolButton5()->trigger();
    clickAt(*w, kStart + 0.62, 75);
    ok = save(*w, dir, "graph_annotations.png") && ok;
    w->ToolButton4()->trigger();
    w->ToolButton13()->trigger();
    ok = save(*w, dir, "graph_erased.png") && ok;

    const double lo = kStart + 0.55;
    w->PESGraph1()->zoomTo(lo, lo + 10 / 1440.0, 30, 90);
    ok = save(*w, dir, "graph_zoom_minutes.png") && ok;
    w->UndoZoom()->trigger();
    ok = save(*w, dir, "graph_unzoomed.png") && ok;

    w->Button1()->trigger();
    ok = save(*w, dir, "graph_options.png") && ok;
    return ok ? 0 : 1;
}

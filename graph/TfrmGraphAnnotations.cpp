// SPDX-License-Identifier: GPL-3.0-or-later
// The graph window's annotations (text notes and crosses), their erase list, and Clear.
#include "graph/TfrmGraph.h"

#include "common/Clock.h"
#include "common/StringTable.h"
#include "widgets/ModalRunner.h"
#include "chart/PESGraph.h"
#include "graph/ChartSetup.h"
#include "graph/GraphIcons.h"
#include "graph/TfrmAnnoEdit.h"
#include "graph/TfrmDelAnno.h"

#include <QAction>
#include <QLineEdit>
#include <algorithm>

namespace ql708::graph {

namespace {

const QString kTable = QStringLiteral("frmGraph");
constexpr TDateTime kClearedSpan = 30 * kSecond;
constexpr int kClearedPoints = 200;

void setAnnotation(chart::PESGraph &chart, int slot, int type, double x, double y, const QString &text)
{
    chart.setGraphAnnotationType(slot, type);
    chart.setGraphAnnotationX(slot, x);
    chart.setGraphAnnotationY(slot, y);
    chart.setGraphAnnotationText(slot, text);
}

bool slotInUse(const chart::PESGraph &chart, int slot)
{
    return chart.model().annotation(slot).visible();
}

} // namespace

void TfrmGraph::setAnnotationMode(AnnotationMode mode)
{
    graphState().annotationMode = mode;
    showAnnotationMode();
}

void TfrmGraph::showAnnotationMode()
{
    switch (graphState().annotationMode) {
    case AnnotationMode::Normal:
        m_ToolButton4->setChecked(true);
        m_PESGraph1->setArrowCursor(1);
        break;
    case AnnotationMode::Text:
        m_ToolButton9->setChecked(true);
        m_PESGraph1->setArrowCursor(2);
        break;
    case AnnotationMode::Cross:
        m_ToolButton5->setChecked(true);
        m_PESGraph1->setArrowCursor(crossCursor());
        break;
    }
}

void TfrmGraph::ToolButton4Click() { setAnnotationMode(AnnotationMode::Normal); }
void TfrmGraph::ToolButton5Click() { setAnnotationMode(AnnotationMode::Cross); }
void TfrmGraph::ToolButton9Click() { setAnnotationMode(AnnotationMode::Text); }

void TfrmGraph::PESGraph1Click()
{
    const AnnotationMode mode = graphState().annotationMode;
    if (mode == AnnotationMode::Normal)
        return;
    const QPoint px = m_PESGraph1->lastMousePos() + annotationOffset(mode);
    if (!m_PESGraph1->plotRect().contains(px))
        return;
    const QPointF at = m_PESGraph1->pixelToData(px);
    auto inUse = [this](int slot) { return slotInUse(*m_PESGraph1, slot); };
    if (mode == AnnotationMode::Cross) {
        const int slot = takeAnnotationSlot(graphState().annotationCounter, inUse);
        setAnnotation(*m_PESGraph1, slot, kSymbolCross, at.x(), at.y(), QString());
    } else {
        TfrmAnnoEdit dialog(this);
        if (runModal(dialog) != QDialog::Accepted)
            return;
        const int slot = takeAnnotationSlot(graphState().annotationCounter, inUse);
        setAnnotation(*m_PESGraph1, slot, kSymbolNone, at.x(), at.y(), dialog.Edit1()->text());
    }
    m_PESGraph1->redraw();
}

void TfrmGraph::ToolButton13Click()
{
    const chart::ChartModel &m = m_PESGraph1->model();
    // Up to the counter, and beyond it to this chart's last slot: a Clear elsewhere may have
    // restarted the shared counter below annotations this chart still shows.
    const int last = std::max(graphState().annotationCounter, m.annotationCount() - 1);
    const std::vector<AnnotationRow> rows = annotationRows(last, [&m](int slot) {
            const chart::GraphAnnotation a = m.annotation(slot);
            return AnnotationSlot{a.x, a.type, a.text};
        });
    const QStringList header = {ids(kTable, QStringLiteral("IDS_44")), ids(kTable, QStringLiteral("IDS_45")),
                                ids(kTable, QStringLiteral("IDS_46"))};
    TfrmDelAnno dialog(header, rows, this);
    if (runModal(dialog) != QDialog::Accepted)
        return;
    for (const int slot : dialog.selectedSlots()) {
        m_PESGraph1->setGraphAnnotationType(slot, kSymbolNone);
        m_PESGraph1->setGraphAnnotationText(slot, QString());
    }
    m_PESGraph1->redraw();
}

void TfrmGraph::tbntClrClick()
{
    setWindowTitle(kRealTimeCaption);
    m_tbntSep3->setVisible(true);
    m_tbntClr->setVisible(true);
    const TDateTime now = toTDateTime(clock().now());
    SetUpChart(*m_PESGraph1, 1, 130, 30, now + kClearedSpan, now, kClearedPoints);
    m_PESGraph1->emptySubset(0);
    clearFigures();
    graphState().realTime.realTimePointCount = 0;
    graphState().realTime.realTimeUnsaved = false; // the points are let go: nothing is left to save
    // The annotations made so far go out of sight, and their slots are free again, so the
    // next annotation takes the first user slot and the erase list shows it.
    int &counter = graphState().annotationCounter;
    for (int slot = kFirstClearedSlot; slot <= counter; ++slot)
        setAnnotation(*m_PESGraph1, slot, kSymbolNone, 0.0, 0.0, QString());
    counter = kAnnotationCounterStart;
    m_PESGraph1->redraw();
}

} // namespace ql708::graph

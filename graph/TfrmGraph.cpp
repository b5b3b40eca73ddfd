#include "graph/TfrmGraph.h"

#include "common/StringTable.h"
#include "widgets/LanguageDispatcher.h"
#include "widgets/MessageBoxes.h"
#include "chart/PESGraph.h"
#include "graph/ChartSetup.h"
#include "graph/GraphCloseRules.h"
#include "graph/GraphIcons.h"
#include "graph/GraphWindows.h"
#include "graph/SamplingRate.h"
#include "graph/WavPlayback.h"
#include "widgets/Named.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace ql708::graph {

namespace {

const QString kTable = QStringLiteral("frmGraph");
constexpr int kGridColumns = 9;
constexpr int kDataSetsWidth = 441;
constexpr int kGridWidths[kGridColumns] = {25, 60, 60, 40, 40, 30, 40, 45, 100};
const char *const kGridHeader[kGridColumns] = {"Set", "DATE", "TIME", "Rate", "Nums",
                                               "A/C", "Fa/Sl", "LEVEL", "wave file"};
const QString kUnknownLevel = QStringLiteral("***.* dB ");

QLabel *label(const char *name, const QString &text)
{
    return named(new QLabel(text), name);
}

// A label that names a field: screen readers read the field by it.
QLabel *label(const char *name, const QString &text, QWidget *field)
{
    QLabel *l = label(name, text);
    l->setBuddy(field);
    return l;
}

QLineEdit *field(const char *name, int width, const QString &initial = QString())
{
    auto *e = named(new QLineEdit(initial), name);
    e->setReadOnly(true);
    e->setFixedWidth(width);
    return e;
}

QLabel *colouredLabel(const char *name, const QString &text, const QColor &colour)
{
    QLabel *l = label(name, text);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colour);
    l->setPalette(p);
    return l;
}

QAction *toolAction(QToolBar *bar, const char *name, const QString &text, const QIcon &icon = QIcon())
{
    QAction *a = bar->addAction(icon, text);
    a->setObjectName(QString::fromLatin1(name));
    a->setToolTip(text);
    return a;
}

Answer answerOf(QMessageBox::StandardButton b)
{
    return b == QMessageBox::Yes ? Answer::Yes : b == QMessageBox::No ? Answer::No : Answer::Cancel;
}

} // namespace

TfrmGraph *TfrmGraph::create(QMdiArea *area, const QString &caption)
{
    auto *w = new TfrmGraph;
    area->addSubWindow(w);
    w->setWindowTitle(caption);
    w->show();
    w->FormShow();
    return w;
}

TfrmGraph::TfrmGraph(QWidget *parent) : QMdiSubWindow(parent)
{
    setObjectName(QStringLiteral("TfrmGraph"));
    setAttribute(Qt::WA_DeleteOnClose);
    GraphWindows::instance(); // routes the chart's dialogs through the program's modal runner

    auto *body = new QWidget;
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    createToolBar();
    layout->addWidget(ToolBar1);
    layout->addWidget(createStatisticPanel());
    Splitter1 = named(new QSplitter(Qt::Horizontal), "Splitter1");
    Splitter1->addWidget(createDataSetPanel());
    Splitter1->addWidget(createChartPanel());
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setChildrenCollapsible(false);
    layout->addWidget(Splitter1, 1);
    layout->addWidget(createCursorPanel());
    setWidget(body);
    resize(800, 560);
    connectAnalysis();

    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(200);
    connectPlayback();

    connect(this, &QMdiSubWindow::windowStateChanged, this, [this](Qt::WindowStates was, Qt::WindowStates now) {
        if (now.testFlag(Qt::WindowActive) && !was.testFlag(Qt::WindowActive))
            FormActivate();
    });
    FormCreate();
    LanguageDispatcher::instance().attach(this, kTable);
}

TfrmGraph::~TfrmGraph() = default;

void TfrmGraph::createToolBar()
{
    ToolBar1 = named(new QToolBar, "ToolBar1");
    ToolBar1->setIconSize(QSize(20, 20));
    ToolButton1 = toolAction(ToolBar1, "ToolButton1", QStringLiteral("Toggle Graph Statistic"),
                             graphIcon({}, QStringLiteral("Σ")));
    ToolButton2 = toolAction(ToolBar1, "ToolButton2", QStringLiteral("Toggle Line Cursor Statistic"),
                             graphIcon({}, QStringLiteral("⇹")));
    for (QAction *a : {ToolButton1, ToolButton2})
        a->setCheckable(true), a->setChecked(true);
    ToolBar1->addSeparator();
    ToolButton4 = toolAction(ToolBar1, "ToolButton4", QStringLiteral("Normal Cursor"), graphIcon({}, QStringLiteral("↖")));
    ToolButton5 = toolAction(ToolBar1, "ToolButton5", QStringLiteral("Draw A Cross On Graph"),
                             graphIcon({}, QStringLiteral("✕")));
    ToolButton9 = toolAction(ToolBar1, "ToolButton9", QStringLiteral("Text"), graphIcon({}, QStringLiteral("T")));
    auto *modes = new QActionGroup(ToolBar1);
    for (QAction *a : {ToolButton4, ToolButton5, ToolButton9})
        a->setCheckable(true), modes->addAction(a);
    ToolButton4->setChecked(true);
    ToolButton13 = toolAction(ToolBar1, "ToolButton13", QStringLiteral("Erase Annotation"),
                              graphIcon(QStringLiteral("edit-clear"), QStringLiteral("⌫")));
    ToolButton6 = toolAction(ToolBar1, "ToolButton6", QStringLiteral("Color"), graphIcon({}, QStringLiteral("C")));
    ToolButton7 = toolAction(ToolBar1, "ToolButton7", QStringLiteral("Monochrome"), graphIcon({}, QStringLiteral("M")));
    auto *styles = new QActionGroup(ToolBar1);
    for (QAction *a : {ToolButton6, ToolButton7})
        a->setCheckable(true), a->setVisible(false), styles->addAction(a);
    connect(ToolButton6, &QAction::triggered, this, &TfrmGraph::ToolButton6Click);
    connect(ToolButton7, &QAction::triggered, this, &TfrmGraph::ToolButton7Click);
    tbntSep3 = ToolBar1->addSeparator();
    tbntSep3->setObjectName(QStringLiteral("tbntSep3"));
    tbntClr = toolAction(ToolBar1, "tbntClr", QStringLiteral("Clear"));
    tbntSep3->setVisible(false);
    tbntClr->setVisible(false);
    ToolBar1->addSeparator();
    UndoZoom = toolAction(ToolBar1, "UndoZoom", QStringLiteral("Undo Zoom"));
    UndoZoom->setEnabled(false);
    connect(UndoZoom, &QAction::triggered, this, &TfrmGraph::UndoZoomClick);
    Button1 = toolAction(ToolBar1, "Button1", QStringLiteral("Graph Option"));
    Button1->setToolTip(QStringLiteral("Graph Customization"));
    connect(Button1, &QAction::triggered, this, &TfrmGraph::Button1Click);
    Button2 = toolAction(ToolBar1, "Button2", QStringLiteral("Export Statistic"));
    bunCalLEQ = toolAction(ToolBar1, "bunCalLEQ", QStringLiteral("CAL Leq"));
    Button3 = toolAction(ToolBar1, "Button3", QStringLiteral("open wav"));

    // The player's buttons stay disabled until a WAV recording is open.
    MediaPlayer1 = named(new QWidget, "MediaPlayer1");
    auto *player = new QHBoxLayout(MediaPlayer1);
    player->setContentsMargins(0, 0, 0, 0);
    player->setSpacing(0);
    auto playerButton = [&](const char *name, const QString &theme, const QString &glyph) {
        auto *b = named(new QToolButton, name);
        b->setIcon(graphIcon(theme, glyph));
        b->setEnabled(false);
        player->addWidget(b);
        return b;
    };
    mpPlay = playerButton("mpPlay", QStringLiteral("media-playback-start"), QStringLiteral("▶"));
    mpPause = playerButton("mpPause", QStringLiteral("media-playback-pause"), QStringLiteral("❚❚"));
    mpStop = playerButton("mpStop", QStringLiteral("media-playback-stop"), QStringLiteral("■"));
    ToolBar1->addWidget(MediaPlayer1)->setObjectName(QStringLiteral("MediaPlayer1Slot"));
}

QWidget *TfrmGraph::createStatisticPanel()
{
    pnlGraphStatistic = named(new QWidget, "pnlGraphStatistic");
    auto *g = new QGridLayout(pnlGraphStatistic);
    g->setContentsMargins(4, 2, 4, 2);
    g->setHorizontalSpacing(6);
    g->setVerticalSpacing(2);

    txtStartTime = field("txtStartTime", 150);
    pnlSamplingRate = named(new QWidget, "pnlSamplingRate");
    auto *rate = new QHBoxLayout(pnlSamplingRate);
    rate->setContentsMargins(0, 0, 0, 0);
    txtSamplingRate = named(new QComboBox, "txtSamplingRate");
    txtSamplingRate->setEditable(true);
    txtSamplingRate->addItems(rateEntryTexts(QLocale::c()));
    txtSamplingRate->setCurrentIndex(-1);
    txtSamplingRate->setFixedWidth(70);
    rate->addWidget(txtSamplingRate);
    rate->addWidget(label("lblSec", QStringLiteral("Sec")));
    pnlSamplingRate->setEnabled(false);
    connectRateBox();
    txtDataNo = field("txtDataNo", 70, QStringLiteral("0"));
    txtAvgAll = field("txtAvgAll", 80, kUnknownLevel);

    g->addWidget(label("lblStartTime", QStringLiteral("Start Time"), txtStartTime), 0, 0);
    g->addWidget(txtStartTime, 0, 1);
    g->addWidget(label("lblSamplingRate", QStringLiteral("Sampling Rate"), txtSamplingRate), 0, 2);
    g->addWidget(pnlSamplingRate, 0, 3);
    g->addWidget(label("lblDataNo", QStringLiteral("Data No."), txtDataNo), 0, 4);
    g->addWidget(txtDataNo, 0, 5);
    g->addWidget(label("lblAvgAll", QStringLiteral("Avg"), txtAvgAll), 0, 6);
    g->addWidget(txtAvgAll, 0, 7);

    txtMax = field("txtMax", 80);
    txtMaxTime = field("txtMaxTime", 150);
    txtMin = field("txtMin", 80);
    txtMinTime = field("txtMinTime", 150);
    auto *maxRow = new QHBoxLayout;
    maxRow->addWidget(txtMax);
    maxRow->addWidget(label("lblMaxAt", QStringLiteral("@")));
    maxRow->addWidget(txtMaxTime);
    maxRow->addStretch();
    auto *minRow = new QHBoxLayout;
    minRow->addWidget(txtMin);
    minRow->addWidget(label("lblMinAt", QStringLiteral("@")));
    minRow->addWidget(txtMinTime);
    minRow->addStretch();
    g->addWidget(label("lblMax", QStringLiteral("Maximum "), txtMax), 1, 0);
    g->addLayout(maxRow, 1, 1, 1, 3);
    g->addWidget(label("lblMin", QStringLiteral("Minimum"), txtMin), 1, 4);
    g->addLayout(minRow, 1, 5, 1, 3);

    // Shown once a Leq is computed, and when WAV recordings belong to the data set.
    pnlLeq = named(new QWidget, "pnlLeq");
    auto *leq = new QHBoxLayout(pnlLeq);
    leq->setContentsMargins(0, 0, 0, 0);
    edtLeq = field("edtLeq", 80, kUnknownLevel);
    frmLeq = label("frmLeq", QStringLiteral("Leq"), edtLeq);
    leq->addWidget(frmLeq);
    leq->addWidget(edtLeq);
    pnlLeq->setVisible(false);
    Label20 = label("Label20", QString());
    Label21 = label("Label21", QString());
    Label20->setVisible(false);
    Label21->setVisible(false);
    g->addWidget(pnlLeq, 0, 8);
    g->addWidget(Label20, 1, 8);
    g->addWidget(Label21, 1, 9);
    g->setColumnStretch(10, 1);

    return pnlGraphStatistic;
}

QWidget *TfrmGraph::createCursorPanel()
{
    pnlStatistic = named(new QWidget, "pnlStatistic");
    auto *g = new QGridLayout(pnlStatistic);
    g->setContentsMargins(4, 2, 4, 2);
    g->setHorizontalSpacing(6);
    g->setVerticalSpacing(2);
    txtCursorA = field("txtCursorA", 70);
    txtCursorATime = field("txtCursorATime", 150);
    txtCursorB = field("txtCursorB", 70);
    txtCursorBTime = field("txtCursorBTime", 150);
    txtMaxAB = field("txtMaxAB", 70);
    txtMaxABTime = field("txtMaxABTime", 150);
    txtMinAB = field("txtMinAB", 70);
    txtMinABTime = field("txtMinABTime", 150);
    txtAvgAB = field("txtAvgAB", 70);

    QLabel *lblCursorA = colouredLabel("lblCursorA", QStringLiteral("Cursor A"), Qt::blue);
    lblCursorA->setBuddy(txtCursorA);
    g->addWidget(lblCursorA, 0, 0);
    g->addWidget(txtCursorA, 0, 1);
    g->addWidget(txtCursorATime, 0, 2);
    QLabel *lblCursorB = colouredLabel("lblCursorB", QStringLiteral("Cursor B"), Qt::red);
    lblCursorB->setBuddy(txtCursorB);
    g->addWidget(lblCursorB, 1, 0);
    g->addWidget(txtCursorB, 1, 1);
    g->addWidget(txtCursorBTime, 1, 2);
    g->addWidget(label("lblMaxAB", QStringLiteral("Max.Between A and B"), txtMaxAB), 0, 3);
    g->addWidget(txtMaxAB, 0, 4);
    g->addWidget(txtMaxABTime, 0, 5);
    g->addWidget(label("lblMinAB", QStringLiteral("Min.Between A and B"), txtMinAB), 1, 3);
    g->addWidget(txtMinAB, 1, 4);
    g->addWidget(txtMinABTime, 1, 5);
    g->addWidget(label("lblAvgAB", QStringLiteral("Avg Between A and B"), txtAvgAB), 0, 6);
    g->addWidget(txtAvgAB, 0, 7);

    // The acoustic figures between the cursors, one row below.
    txtDurationAB = field("txtDurationAB", 90);
    txtLeqAB = field("txtLeqAB", 60);
    txtSELAB = field("txtSELAB", 60);
    txtL10AB = field("txtL10AB", 60);
    txtL50AB = field("txtL50AB", 60);
    txtL90AB = field("txtL90AB", 60);
    auto *acoustic = new QHBoxLayout;
    acoustic->setSpacing(4);
    auto add = [acoustic](QLabel *l, QLineEdit *f) {
        if (acoustic->count() > 0)
            acoustic->addSpacing(12);
        acoustic->addWidget(l);
        acoustic->addWidget(f);
    };
    add(label("lblDurationAB", QStringLiteral("Duration"), txtDurationAB), txtDurationAB);
    add(label("lblLeqAB", QStringLiteral("Leq"), txtLeqAB), txtLeqAB);
    add(label("lblSELAB", QStringLiteral("SEL"), txtSELAB), txtSELAB);
    add(label("lblL10AB", QStringLiteral("L10"), txtL10AB), txtL10AB);
    add(label("lblL50AB", QStringLiteral("L50"), txtL50AB), txtL50AB);
    add(label("lblL90AB", QStringLiteral("L90"), txtL90AB), txtL90AB);
    acoustic->addStretch();
    g->addLayout(acoustic, 2, 0, 1, 8);
    g->setColumnStretch(8, 1);
    return pnlStatistic;
}

QWidget *TfrmGraph::createDataSetPanel()
{
    pnlDataSets = named(new QWidget, "pnlDataSets");
    auto *v = new QVBoxLayout(pnlDataSets);
    v->setContentsMargins(0, 0, 0, 0);
    StaticText1 = label("StaticText1", QStringLiteral("Data Sets"));
    v->addWidget(StaticText1);
    Grid2 = named(new QTableWidget(1, kGridColumns), "Grid2");
    Grid2->verticalHeader()->setVisible(false);
    Grid2->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    Grid2->horizontalHeader()->setMinimumSectionSize(10);
    Grid2->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid2->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid2->viewport()->setCursor(Qt::PointingHandCursor);
    Grid2->setContextMenuPolicy(Qt::CustomContextMenu);
    v->addWidget(Grid2);
    PopupMenu1 = named(new QMenu(this), "PopupMenu1");
    ChangeDateTime1 = PopupMenu1->addAction(QStringLiteral("Change Date && Time"));
    ChangeDateTime1->setObjectName(QStringLiteral("ChangeDateTime1"));
    ChangeDateTime1->setEnabled(false); // only the DataLogger window's list holds data sets (DataLoggerView)
    connect(Grid2, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopupMenu1->popup(Grid2->viewport()->mapToGlobal(pos)); });
    pnlDataSets->setVisible(false);
    pnlDataSets->installEventFilter(this);
    return pnlDataSets;
}

QWidget *TfrmGraph::createChartPanel()
{
    pnlGraph = named(new QWidget, "pnlGraph");
    auto *v = new QVBoxLayout(pnlGraph);
    v->setContentsMargins(0, 0, 0, 0);
    PESGraph1 = named(new chart::PESGraph, "PESGraph1");
    v->addWidget(PESGraph1);
    connect(PESGraph1, &chart::PESGraph::customizeDlgClosed, this, &TfrmGraph::PESGraph1CustomizeDlg);
    connect(PESGraph1, &chart::PESGraph::zoomedIn, this, &TfrmGraph::PESGraph1ZoomIn);
    connect(PESGraph1, &chart::PESGraph::vertLineAnnotHotSpot, this, &TfrmGraph::PESGraph1VertLineAnnotHotSpot);
    connect(PESGraph1, &chart::PESGraph::mouseMoved, this, &TfrmGraph::PESGraph1MouseMove);
    connect(PESGraph1, &chart::PESGraph::mouseUp, this, &TfrmGraph::PESGraph1MouseUp);
    connect(PESGraph1, &chart::PESGraph::clicked, this, &TfrmGraph::PESGraph1Click);
    // The mouse readout floats over the chart's top-right corner; it shows only its text.
    Panel12 = named(new QLabel(pnlGraph), "Panel12");
    Panel12->setMinimumWidth(160);
    Panel12->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Panel12->setContentsMargins(0, 0, 18, 0); // clear of the scroll bar of a zoomed chart
    Panel12->setAttribute(Qt::WA_TransparentForMouseEvents);
    Panel12->raise();
    pnlGraph->installEventFilter(this);
    return pnlGraph;
}

void TfrmGraph::connectRateBox()
{
    connect(txtSamplingRate, &QComboBox::activated, this, &TfrmGraph::txtSamplingRateChange);
    if (QLineEdit *edit = txtSamplingRate->lineEdit())
        connect(edit, &QLineEdit::textEdited, this, &TfrmGraph::txtSamplingRateChange);
}

void TfrmGraph::FormCreate()
{
    for (int c = 0; c < kGridColumns; ++c) {
        Grid2->setHorizontalHeaderItem(c, new QTableWidgetItem(QString::fromLatin1(kGridHeader[c])));
        Grid2->setColumnWidth(c, kGridWidths[c]);
        Grid2->setItem(0, c, new QTableWidgetItem(QString()));
    }
}

void TfrmGraph::FormShow()
{
    ToolButton6->trigger();
    setAnnotationMode(AnnotationMode::Normal);
    // Same choice, new words in the user's number format: nothing for the handler to react to.
    const QSignalBlocker block(txtSamplingRate);
    const int index = txtSamplingRate->currentIndex();
    const QString shown = txtSamplingRate->currentText();
    const QStringList texts = rateEntryTexts();
    for (int i = 0; i < texts.size(); ++i)
        txtSamplingRate->setItemText(i, texts[i]);
    if (index < 0 && txtSamplingRate->isEditable())
        txtSamplingRate->setEditText(shown);
}

void TfrmGraph::makeRateDropDown()
{
    txtSamplingRate->setEditable(false);
    pnlSamplingRate->setEnabled(true);
}

void TfrmGraph::selectRateEntry(double rate)
{
    if (const auto entry = rateEntry(rate))
        txtSamplingRate->setCurrentIndex(*entry);
}

void TfrmGraph::setWavControlsVisible(bool visible)
{
    Button3->setVisible(visible);
    ToolBar1->findChild<QAction *>(QStringLiteral("MediaPlayer1Slot"))->setVisible(visible);
}

void TfrmGraph::FormActivate()
{
    // The mode is shared: another window may have changed it since this one was active.
    showAnnotationMode();
    emit GraphWindows::instance().graphActivated(this);
}

bool TfrmGraph::FormCloseQuery()
{
    const GraphKind kind = graphKind(windowTitle());
    const CloseQuestion question = closeQuestion(kind, graphState());
    if (question == CloseQuestion::None)
        return true;
    const QString text = question == CloseQuestion::SaveLoggerData ? ids(kTable, QStringLiteral("IDS_11"))
                                                                    : ids(kTable, QStringLiteral("IDS_13"));
    const auto button = confirm(this, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    const CloseAnswer answer = answerCloseQuestion(kind, answerOf(button), graphState());
    const auto &save = GraphWindows::instance().saveWindow;
    if (answer.save && !(save && save(this))) {
        saveFailed(kind, graphState());
        return false;
    }
    return answer.allow;
}

void TfrmGraph::FormClose()
{
    const GraphKind kind = graphKind(windowTitle());
    closeGraph(kind, graphState());
    GraphWindows &windows = GraphWindows::instance();
    // A reference is cleared only when it is this window: an older window of a kind closing
    // must not make the program lose the newer one.
    auto release = [this](QPointer<TfrmGraph> &ref) {
        if (ref == this)
            ref = nullptr;
    };
    switch (kind) {
    case GraphKind::DataLogger:
        release(windows.dataLogger);
        break;
    case GraphKind::RealTime:
        release(windows.realTime);
        emit windows.realTimeWindowClosed();
        break;
    case GraphKind::CalLeq:
        release(windows.calLeq);
        break;
    case GraphKind::Plain:
        break;
    }
}

void TfrmGraph::closeEvent(QCloseEvent *event)
{
    if (!mayClose()) {
        event->ignore();
        return;
    }
    FormClose();
    QMdiSubWindow::closeEvent(event);
}

bool TfrmGraph::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == pnlGraph && event->type() == QEvent::Resize)
        pnlGraphResize();
    // The data set list opens 441 pixels wide, or wider when its columns grew to fit longer
    // headings; the splitter changes it from then on.
    if (watched == pnlDataSets && event->type() == QEvent::Show && !m_dataSetsSized) {
        m_dataSetsSized = true;
        const int columns = Grid2->horizontalHeader()->length() + 2 * Grid2->frameWidth();
        const int width = std::max(kDataSetsWidth, columns);
        const int total = Splitter1->width();
        Splitter1->setSizes({width, std::max(total - width, 1)});
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

void TfrmGraph::pnlGraphResize()
{
    // The top-right corner of the chart: the legend takes its top-left.
    const QRect chart = PESGraph1->geometry();
    Panel12->move(chart.right() + 1 - Panel12->width(), chart.top());
    Panel12->raise();
}

void TfrmGraph::txtSamplingRateChange()
{
    const RateChange change = samplingRateChanged(txtSamplingRate->currentText(), graphState());
    if (!change.refused)
        return;
    if (change.entry)
        txtSamplingRate->setCurrentIndex(*change.entry);
    showMessage(this, ids(kTable, QStringLiteral("IDS_18")));
}

void TfrmGraph::ToolButton6Click()
{
    PESGraph1->setViewingStyle(chart::sgColor);
    PESGraph1->redraw();
}

void TfrmGraph::ToolButton7Click()
{
    PESGraph1->setViewingStyle(chart::sgMonochrome);
    PESGraph1->redraw();
}

void TfrmGraph::Button1Click() { PESGraph1->PEactions(chart::sgCustomize); }

void TfrmGraph::PESGraph1ZoomIn() { UndoZoom->setEnabled(true); }

void TfrmGraph::UndoZoomClick()
{
    PESGraph1->PEactions(chart::sgUndoZoom);
    PESGraph1->PEactions(chart::sgResetImage);
    UndoZoom->setEnabled(false);
}

void TfrmGraph::PESGraph1CustomizeDlg()
{
    if (PESGraph1->dialogResult() != 1 ||
        confirm(this, ids(kTable, QStringLiteral("IDS_19")), QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    const QString folder = templateFolder();
    if (!QDir().mkpath(folder)) {
        showMessage(this, ids(kTable, QStringLiteral("IDS_20")) + QDir::toNativeSeparators(folder) +
                              ids(kTable, QStringLiteral("IDS_21")));
        return;
    }
    QString error;
    if (!saveTemplate(*PESGraph1, &error))
        showMessage(this, error);
}

} // namespace ql708::graph

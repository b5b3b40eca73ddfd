// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/TfrmGraph.h"

#include "common/StringTable.h"
#include "widgets/LanguageDispatcher.h"
#include "widgets/MessageBoxes.h"
#include "chart/PESGraph.h"
#include "graph/ChartSetup.h"
#include "graph/GraphCloseRules.h"
#include "graph/GraphIcons.h"
#include "graph/GraphTexts.h"
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
#include <QStyle>
#include <QStyleOptionFrame>
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
constexpr int kFieldTextMargin = 4; // beside a field's text, each side
constexpr int kPairSpacing = 10;    // between one label and field pair and the next

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

// Samples of the widest texts a field shows: its width follows from the font and the locale,
// so that no figure is cut in either language.
const QString kLevelSample = QStringLiteral("888.8");
const QString kCountSample = QStringLiteral("8888888");
const QString kDurationSample = QStringLiteral("888888.8 s");

QString dateTimeSample()
{
    // Wide digits, and an afternoon for a clock that writes PM.
    return dateTimeText(toTDateTime(QDateTime(QDate(2088, 12, 28), QTime(20, 58, 58), Qt::UTC)));
}

QLineEdit *field(const char *name, const QString &sample, const QString &initial = QString())
{
    auto *e = named(new QLineEdit(initial), name);
    e->setReadOnly(true);
    const QFontMetrics m = e->fontMetrics();
    const int widest = std::max(m.horizontalAdvance(sample), m.horizontalAdvance(initial));
    QStyleOptionFrame frame;
    frame.initFrom(e);
    frame.lineWidth = e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, e);
    const QSize text(widest + 2 * kFieldTextMargin, m.height());
    e->setFixedWidth(e->style()->sizeFromContents(QStyle::CT_LineEdit, &frame, text, e).width());
    return e;
}

QHBoxLayout *panelRow()
{
    auto *row = new QHBoxLayout;
    row->setSpacing(4);
    return row;
}

// Ends a panel's row with the widgets that follow its figures, a little apart from them; the
// free room goes after them.
void finishRow(QVBoxLayout *rows, QHBoxLayout *row, std::initializer_list<QWidget *> last)
{
    row->addSpacing(kPairSpacing);
    for (QWidget *w : last)
        row->addWidget(w);
    row->addStretch(1);
    rows->addLayout(row);
}

// Label and field side by side, a little apart from the pair before them.
void addPair(QHBoxLayout *row, QLabel *label, QWidget *field)
{
    if (row->count() > 0)
        row->addSpacing(kPairSpacing);
    row->addWidget(label);
    row->addWidget(field);
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
    connect(&LanguageDispatcher::instance(), &LanguageDispatcher::languageChanged, this, &TfrmGraph::showOutOfRange);
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
    auto *rows = new QVBoxLayout(pnlGraphStatistic);
    rows->setContentsMargins(4, 2, 4, 2);
    rows->setSpacing(2);

    txtStartTime = field("txtStartTime", dateTimeSample());
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
    txtDataNo = field("txtDataNo", kCountSample, QStringLiteral("0"));
    txtAvgAll = field("txtAvgAll", kLevelSample, kUnknownLevel);

    // Shown once a Leq is computed, and when WAV recordings belong to the data set.
    pnlLeq = named(new QWidget, "pnlLeq");
    auto *leq = new QHBoxLayout(pnlLeq);
    leq->setContentsMargins(0, 0, 0, 0);
    edtLeq = field("edtLeq", kLevelSample, kUnknownLevel);
    frmLeq = label("frmLeq", QStringLiteral("Leq"), edtLeq);
    leq->addWidget(frmLeq);
    leq->addWidget(edtLeq);
    pnlLeq->setVisible(false);
    Label20 = label("Label20", QString());
    Label21 = label("Label21", QString());
    Label20->setVisible(false);
    Label21->setVisible(false);

    QHBoxLayout *top = panelRow();
    addPair(top, label("lblStartTime", QStringLiteral("Start Time"), txtStartTime), txtStartTime);
    addPair(top, label("lblSamplingRate", QStringLiteral("Sampling Rate"), txtSamplingRate), pnlSamplingRate);
    addPair(top, label("lblDataNo", QStringLiteral("Data No."), txtDataNo), txtDataNo);
    addPair(top, label("lblAvgAll", QStringLiteral("Avg"), txtAvgAll), txtAvgAll);
    finishRow(rows, top, {pnlLeq, Label20, Label21});

    txtMax = field("txtMax", kLevelSample);
    txtMaxTime = field("txtMaxTime", dateTimeSample());
    txtMin = field("txtMin", kLevelSample);
    txtMinTime = field("txtMinTime", dateTimeSample());
    lblOutOfRange = label("lblOutOfRange", QString());
    QHBoxLayout *extremes = panelRow();
    addPair(extremes, label("lblMax", QStringLiteral("Maximum "), txtMax), txtMax);
    extremes->addWidget(label("lblMaxAt", QStringLiteral("@")));
    extremes->addWidget(txtMaxTime);
    addPair(extremes, label("lblMin", QStringLiteral("Minimum"), txtMin), txtMin);
    extremes->addWidget(label("lblMinAt", QStringLiteral("@")));
    extremes->addWidget(txtMinTime);
    finishRow(rows, extremes, {lblOutOfRange});
    return pnlGraphStatistic;
}

QWidget *TfrmGraph::createCursorPanel()
{
    pnlStatistic = named(new QWidget, "pnlStatistic");
    auto *rows = new QVBoxLayout(pnlStatistic);
    rows->setContentsMargins(4, 2, 4, 2);
    rows->setSpacing(2);
    auto *g = new QGridLayout;
    g->setHorizontalSpacing(4);
    g->setVerticalSpacing(2);
    txtCursorA = field("txtCursorA", kLevelSample);
    txtCursorATime = field("txtCursorATime", dateTimeSample());
    txtCursorB = field("txtCursorB", kLevelSample);
    txtCursorBTime = field("txtCursorBTime", dateTimeSample());
    txtMaxAB = field("txtMaxAB", kLevelSample);
    txtMaxABTime = field("txtMaxABTime", dateTimeSample());
    txtMinAB = field("txtMinAB", kLevelSample);
    txtMinABTime = field("txtMinABTime", dateTimeSample());
    txtAvgAB = field("txtAvgAB", kLevelSample);
    txtDurationAB = field("txtDurationAB", kDurationSample);
    txtLeqAB = field("txtLeqAB", kLevelSample);
    txtSELAB = field("txtSELAB", kLevelSample);
    txtL10AB = field("txtL10AB", kLevelSample);
    txtL50AB = field("txtL50AB", kLevelSample);
    txtL90AB = field("txtL90AB", kLevelSample);

    // Two rows of a level and its time at the cursors and at the extremes between them, with
    // the Leq and SEL beside them; the rest of the figures between the cursors below.
    QLabel *lblCursorA = colouredLabel("lblCursorA", QStringLiteral("Cursor A"), Qt::blue);
    lblCursorA->setBuddy(txtCursorA);
    QLabel *lblCursorB = colouredLabel("lblCursorB", QStringLiteral("Cursor B"), Qt::red);
    lblCursorB->setBuddy(txtCursorB);
    const struct {
        QLabel *label;
        QLineEdit *level, *time;
    } timed[] = {{lblCursorA, txtCursorA, txtCursorATime},
                 {label("lblMaxAB", QStringLiteral("Max.Between A and B"), txtMaxAB), txtMaxAB, txtMaxABTime},
                 {label("lblLeqAB", QStringLiteral("Leq"), txtLeqAB), txtLeqAB, nullptr},
                 {lblCursorB, txtCursorB, txtCursorBTime},
                 {label("lblMinAB", QStringLiteral("Min.Between A and B"), txtMinAB), txtMinAB, txtMinABTime},
                 {label("lblSELAB", QStringLiteral("SEL"), txtSELAB), txtSELAB, nullptr}};
    // Each group takes a label, a level and a time column, and an empty one to set it apart.
    for (int i = 0; i < 6; ++i) {
        const int row = i / 3, column = i % 3 * 4;
        g->addWidget(timed[i].label, row, column);
        g->addWidget(timed[i].level, row, column + 1);
        if (timed[i].time)
            g->addWidget(timed[i].time, row, column + 2);
    }
    g->setColumnMinimumWidth(3, kPairSpacing);
    g->setColumnMinimumWidth(7, kPairSpacing);
    g->setColumnStretch(11, 1);
    rows->addLayout(g);

    lblOutOfRangeAB = label("lblOutOfRangeAB", QString());
    QHBoxLayout *figures = panelRow();
    addPair(figures, label("lblAvgAB", QStringLiteral("Avg Between A and B"), txtAvgAB), txtAvgAB);
    addPair(figures, label("lblDurationAB", QStringLiteral("Duration"), txtDurationAB), txtDurationAB);
    addPair(figures, label("lblL10AB", QStringLiteral("L10"), txtL10AB), txtL10AB);
    addPair(figures, label("lblL50AB", QStringLiteral("L50"), txtL50AB), txtL50AB);
    addPair(figures, label("lblL90AB", QStringLiteral("L90"), txtL90AB), txtL90AB);
    finishRow(rows, figures, {lblOutOfRangeAB});
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

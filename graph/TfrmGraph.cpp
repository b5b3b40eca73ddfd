// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/TfrmGraph.h"

#include "widgets/Contrast.h"

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

// The cursor's colour, made lighter where the desktop's windows are dark.
QLabel *colouredLabel(const char *name, const QString &text, const QColor &colour)
{
    QLabel *l = label(name, text);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, readableOn(colour, p.color(QPalette::Window)));
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
    layout->addWidget(m_ToolBar1);
    layout->addWidget(createStatisticPanel());
    m_Splitter1 = named(new QSplitter(Qt::Horizontal), "Splitter1");
    m_Splitter1->addWidget(createDataSetPanel());
    m_Splitter1->addWidget(createChartPanel());
    m_Splitter1->setStretchFactor(1, 1);
    m_Splitter1->setChildrenCollapsible(false);
    layout->addWidget(m_Splitter1, 1);
    layout->addWidget(createCursorPanel());
    setWidget(body);
    resize(800, 560);
    connectAnalysis();

    m_Timer1 = named(new QTimer(this), "Timer1");
    m_Timer1->setInterval(200);
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
    m_ToolBar1 = named(new QToolBar, "ToolBar1");
    m_ToolBar1->setIconSize(QSize(20, 20));
    m_ToolButton1 = toolAction(m_ToolBar1, "ToolButton1", QStringLiteral("Toggle Graph Statistic"),
                             graphIcon({}, QStringLiteral("Σ")));
    m_ToolButton2 = toolAction(m_ToolBar1, "ToolButton2", QStringLiteral("Toggle Line Cursor Statistic"),
                             graphIcon({}, QStringLiteral("⇹")));
    for (QAction *a : {m_ToolButton1, m_ToolButton2})
        a->setCheckable(true), a->setChecked(true);
    m_ToolBar1->addSeparator();
    m_ToolButton4 = toolAction(m_ToolBar1, "ToolButton4", QStringLiteral("Normal Cursor"), graphIcon({}, QStringLiteral("↖")));
    m_ToolButton5 = toolAction(m_ToolBar1, "ToolButton5", QStringLiteral("Draw A Cross On Graph"),
                             graphIcon({}, QStringLiteral("✕")));
    m_ToolButton9 = toolAction(m_ToolBar1, "ToolButton9", QStringLiteral("Text"), graphIcon({}, QStringLiteral("T")));
    auto *modes = new QActionGroup(m_ToolBar1);
    for (QAction *a : {m_ToolButton4, m_ToolButton5, m_ToolButton9})
        a->setCheckable(true), modes->addAction(a);
    m_ToolButton4->setChecked(true);
    m_ToolButton13 = toolAction(m_ToolBar1, "ToolButton13", QStringLiteral("Erase Annotation"),
                              graphIcon(QStringLiteral("edit-clear"), QStringLiteral("⌫")));
    m_ToolButton6 = toolAction(m_ToolBar1, "ToolButton6", QStringLiteral("Color"), graphIcon({}, QStringLiteral("C")));
    m_ToolButton7 = toolAction(m_ToolBar1, "ToolButton7", QStringLiteral("Monochrome"), graphIcon({}, QStringLiteral("M")));
    auto *styles = new QActionGroup(m_ToolBar1);
    for (QAction *a : {m_ToolButton6, m_ToolButton7})
        a->setCheckable(true), a->setVisible(false), styles->addAction(a);
    connect(m_ToolButton6, &QAction::triggered, this, &TfrmGraph::ToolButton6Click);
    connect(m_ToolButton7, &QAction::triggered, this, &TfrmGraph::ToolButton7Click);
    m_tbntSep3 = m_ToolBar1->addSeparator();
    m_tbntSep3->setObjectName(QStringLiteral("tbntSep3"));
    m_tbntClr = toolAction(m_ToolBar1, "tbntClr", QStringLiteral("Clear"));
    m_tbntSep3->setVisible(false);
    m_tbntClr->setVisible(false);
    m_ToolBar1->addSeparator();
    m_UndoZoom = toolAction(m_ToolBar1, "UndoZoom", QStringLiteral("Undo Zoom"));
    m_UndoZoom->setEnabled(false);
    connect(m_UndoZoom, &QAction::triggered, this, &TfrmGraph::UndoZoomClick);
    m_Button1 = toolAction(m_ToolBar1, "Button1", QStringLiteral("Graph Option"));
    m_Button1->setToolTip(QStringLiteral("Graph Customization"));
    connect(m_Button1, &QAction::triggered, this, &TfrmGraph::Button1Click);
    m_Button2 = toolAction(m_ToolBar1, "Button2", QStringLiteral("Export Statistic"));
    m_bunCalLEQ = toolAction(m_ToolBar1, "bunCalLEQ", QStringLiteral("CAL Leq"));
    m_btnIndicators = toolAction(m_ToolBar1, "btnIndicators", QStringLiteral("Indicators"));
    m_Button3 = toolAction(m_ToolBar1, "Button3", QStringLiteral("open wav"));

    // The player's buttons stay disabled until a WAV recording is open.
    m_MediaPlayer1 = named(new QWidget, "MediaPlayer1");
    auto *player = new QHBoxLayout(m_MediaPlayer1);
    player->setContentsMargins(0, 0, 0, 0);
    player->setSpacing(0);
    auto playerButton = [&](const char *name, const QString &theme, const QString &glyph) {
        auto *b = named(new QToolButton, name);
        b->setIcon(graphIcon(theme, glyph));
        b->setEnabled(false);
        player->addWidget(b);
        return b;
    };
    m_mpPlay = playerButton("mpPlay", QStringLiteral("media-playback-start"), QStringLiteral("▶"));
    m_mpPause = playerButton("mpPause", QStringLiteral("media-playback-pause"), QStringLiteral("❚❚"));
    m_mpStop = playerButton("mpStop", QStringLiteral("media-playback-stop"), QStringLiteral("■"));
    m_ToolBar1->addWidget(m_MediaPlayer1)->setObjectName(QStringLiteral("MediaPlayer1Slot"));
}

QWidget *TfrmGraph::createStatisticPanel()
{
    m_pnlGraphStatistic = named(new QWidget, "pnlGraphStatistic");
    auto *rows = new QVBoxLayout(m_pnlGraphStatistic);
    rows->setContentsMargins(4, 2, 4, 2);
    rows->setSpacing(2);

    m_txtStartTime = field("txtStartTime", dateTimeSample());
    m_pnlSamplingRate = named(new QWidget, "pnlSamplingRate");
    auto *rate = new QHBoxLayout(m_pnlSamplingRate);
    rate->setContentsMargins(0, 0, 0, 0);
    m_txtSamplingRate = named(new QComboBox, "txtSamplingRate");
    m_txtSamplingRate->setEditable(true);
    m_txtSamplingRate->addItems(rateEntryTexts(QLocale::c()));
    m_txtSamplingRate->setCurrentIndex(-1);
    m_txtSamplingRate->setFixedWidth(70);
    rate->addWidget(m_txtSamplingRate);
    rate->addWidget(label("lblSec", QStringLiteral("Sec")));
    m_pnlSamplingRate->setEnabled(false);
    connectRateBox();
    m_txtDataNo = field("txtDataNo", kCountSample, QStringLiteral("0"));
    m_txtAvgAll = field("txtAvgAll", kLevelSample, kUnknownLevel);

    // Shown once a Leq is computed, and when WAV recordings belong to the data set.
    m_pnlLeq = named(new QWidget, "pnlLeq");
    auto *leq = new QHBoxLayout(m_pnlLeq);
    leq->setContentsMargins(0, 0, 0, 0);
    m_edtLeq = field("edtLeq", kLevelSample, kUnknownLevel);
    m_frmLeq = label("frmLeq", QStringLiteral("Leq"), m_edtLeq);
    leq->addWidget(m_frmLeq);
    leq->addWidget(m_edtLeq);
    m_pnlLeq->setVisible(false);
    m_Label20 = label("Label20", QString());
    m_Label21 = label("Label21", QString());
    m_Label20->setVisible(false);
    m_Label21->setVisible(false);

    QHBoxLayout *top = panelRow();
    addPair(top, label("lblStartTime", QStringLiteral("Start Time"), m_txtStartTime), m_txtStartTime);
    addPair(top, label("lblSamplingRate", QStringLiteral("Sampling Rate"), m_txtSamplingRate), m_pnlSamplingRate);
    addPair(top, label("lblDataNo", QStringLiteral("Data No."), m_txtDataNo), m_txtDataNo);
    addPair(top, label("lblAvgAll", QStringLiteral("Avg"), m_txtAvgAll), m_txtAvgAll);
    finishRow(rows, top, {m_pnlLeq, m_Label20, m_Label21});

    m_txtMax = field("txtMax", kLevelSample);
    m_txtMaxTime = field("txtMaxTime", dateTimeSample());
    m_txtMin = field("txtMin", kLevelSample);
    m_txtMinTime = field("txtMinTime", dateTimeSample());
    m_lblOutOfRange = label("lblOutOfRange", QString());
    QHBoxLayout *extremes = panelRow();
    addPair(extremes, label("lblMax", QStringLiteral("Maximum "), m_txtMax), m_txtMax);
    extremes->addWidget(label("lblMaxAt", QStringLiteral("@")));
    extremes->addWidget(m_txtMaxTime);
    addPair(extremes, label("lblMin", QStringLiteral("Minimum"), m_txtMin), m_txtMin);
    extremes->addWidget(label("lblMinAt", QStringLiteral("@")));
    extremes->addWidget(m_txtMinTime);
    finishRow(rows, extremes, {m_lblOutOfRange});
    return m_pnlGraphStatistic;
}

QWidget *TfrmGraph::createCursorPanel()
{
    m_pnlStatistic = named(new QWidget, "pnlStatistic");
    auto *rows = new QVBoxLayout(m_pnlStatistic);
    rows->setContentsMargins(4, 2, 4, 2);
    rows->setSpacing(2);
    auto *g = new QGridLayout;
    g->setHorizontalSpacing(4);
    g->setVerticalSpacing(2);
    m_txtCursorA = field("txtCursorA", kLevelSample);
    m_txtCursorATime = field("txtCursorATime", dateTimeSample());
    m_txtCursorB = field("txtCursorB", kLevelSample);
    m_txtCursorBTime = field("txtCursorBTime", dateTimeSample());
    m_txtMaxAB = field("txtMaxAB", kLevelSample);
    m_txtMaxABTime = field("txtMaxABTime", dateTimeSample());
    m_txtMinAB = field("txtMinAB", kLevelSample);
    m_txtMinABTime = field("txtMinABTime", dateTimeSample());
    m_txtAvgAB = field("txtAvgAB", kLevelSample);
    m_txtDurationAB = field("txtDurationAB", kDurationSample);
    m_txtLeqAB = field("txtLeqAB", kLevelSample);
    m_txtSELAB = field("txtSELAB", kLevelSample);
    m_txtL10AB = field("txtL10AB", kLevelSample);
    m_txtL50AB = field("txtL50AB", kLevelSample);
    m_txtL90AB = field("txtL90AB", kLevelSample);

    // Two rows of a level and its time at the cursors and at the extremes between them, with
    // the Leq and SEL beside them; the rest of the figures between the cursors below.
    QLabel *lblCursorA = colouredLabel("lblCursorA", QStringLiteral("Cursor A"), Qt::blue);
    lblCursorA->setBuddy(m_txtCursorA);
    QLabel *lblCursorB = colouredLabel("lblCursorB", QStringLiteral("Cursor B"), Qt::red);
    lblCursorB->setBuddy(m_txtCursorB);
    const struct {
        QLabel *label;
        QLineEdit *level, *time;
    } timed[] = {{lblCursorA, m_txtCursorA, m_txtCursorATime},
                 {label("lblMaxAB", QStringLiteral("Max.Between A and B"), m_txtMaxAB), m_txtMaxAB, m_txtMaxABTime},
                 {label("lblLeqAB", QStringLiteral("Leq"), m_txtLeqAB), m_txtLeqAB, nullptr},
                 {lblCursorB, m_txtCursorB, m_txtCursorBTime},
                 {label("lblMinAB", QStringLiteral("Min.Between A and B"), m_txtMinAB), m_txtMinAB, m_txtMinABTime},
                 {label("lblSELAB", QStringLiteral("SEL"), m_txtSELAB), m_txtSELAB, nullptr}};
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

    m_lblOutOfRangeAB = label("lblOutOfRangeAB", QString());
    QHBoxLayout *figures = panelRow();
    addPair(figures, label("lblAvgAB", QStringLiteral("Avg Between A and B"), m_txtAvgAB), m_txtAvgAB);
    addPair(figures, label("lblDurationAB", QStringLiteral("Duration"), m_txtDurationAB), m_txtDurationAB);
    addPair(figures, label("lblL10AB", QStringLiteral("L10"), m_txtL10AB), m_txtL10AB);
    addPair(figures, label("lblL50AB", QStringLiteral("L50"), m_txtL50AB), m_txtL50AB);
    addPair(figures, label("lblL90AB", QStringLiteral("L90"), m_txtL90AB), m_txtL90AB);
    finishRow(rows, figures, {m_lblOutOfRangeAB});
    return m_pnlStatistic;
}

QWidget *TfrmGraph::createDataSetPanel()
{
    m_pnlDataSets = named(new QWidget, "pnlDataSets");
    auto *v = new QVBoxLayout(m_pnlDataSets);
    v->setContentsMargins(0, 0, 0, 0);
    m_StaticText1 = label("StaticText1", QStringLiteral("Data Sets"));
    v->addWidget(m_StaticText1);
    m_Grid2 = named(new QTableWidget(1, kGridColumns), "Grid2");
    m_Grid2->verticalHeader()->setVisible(false);
    m_Grid2->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_Grid2->horizontalHeader()->setMinimumSectionSize(10);
    m_Grid2->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_Grid2->setSelectionMode(QAbstractItemView::SingleSelection);
    m_Grid2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_Grid2->viewport()->setCursor(Qt::PointingHandCursor);
    m_Grid2->setContextMenuPolicy(Qt::CustomContextMenu);
    v->addWidget(m_Grid2);
    m_PopupMenu1 = named(new QMenu(this), "PopupMenu1");
    m_ChangeDateTime1 = m_PopupMenu1->addAction(QStringLiteral("Change Date && Time"));
    m_ChangeDateTime1->setObjectName(QStringLiteral("ChangeDateTime1"));
    m_ChangeDateTime1->setEnabled(false); // only the DataLogger window's list holds data sets (DataLoggerView)
    connect(m_Grid2, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_PopupMenu1->popup(m_Grid2->viewport()->mapToGlobal(pos)); });
    m_pnlDataSets->setVisible(false);
    m_pnlDataSets->installEventFilter(this);
    return m_pnlDataSets;
}

QWidget *TfrmGraph::createChartPanel()
{
    m_pnlGraph = named(new QWidget, "pnlGraph");
    auto *v = new QVBoxLayout(m_pnlGraph);
    v->setContentsMargins(0, 0, 0, 0);
    m_PESGraph1 = named(new chart::PESGraph, "PESGraph1");
    v->addWidget(m_PESGraph1);
    connect(m_PESGraph1, &chart::PESGraph::customizeDlgClosed, this, &TfrmGraph::PESGraph1CustomizeDlg);
    connect(m_PESGraph1, &chart::PESGraph::zoomedIn, this, &TfrmGraph::PESGraph1ZoomIn);
    connect(m_PESGraph1, &chart::PESGraph::vertLineAnnotHotSpot, this, &TfrmGraph::PESGraph1VertLineAnnotHotSpot);
    connect(m_PESGraph1, &chart::PESGraph::mouseMoved, this, &TfrmGraph::PESGraph1MouseMove);
    connect(m_PESGraph1, &chart::PESGraph::mouseUp, this, &TfrmGraph::PESGraph1MouseUp);
    connect(m_PESGraph1, &chart::PESGraph::clicked, this, &TfrmGraph::PESGraph1Click);
    // The mouse readout floats over the chart's top-right corner; it shows only its text.
    m_Panel12 = named(new QLabel(m_pnlGraph), "Panel12");
    m_Panel12->setMinimumWidth(160);
    m_Panel12->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_Panel12->setContentsMargins(0, 0, 18, 0); // clear of the scroll bar of a zoomed chart
    m_Panel12->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_Panel12->raise();
    m_pnlGraph->installEventFilter(this);
    return m_pnlGraph;
}

void TfrmGraph::connectRateBox()
{
    connect(m_txtSamplingRate, &QComboBox::activated, this, &TfrmGraph::txtSamplingRateChange);
    if (QLineEdit *edit = m_txtSamplingRate->lineEdit())
        connect(edit, &QLineEdit::textEdited, this, &TfrmGraph::txtSamplingRateChange);
}

void TfrmGraph::FormCreate()
{
    for (int c = 0; c < kGridColumns; ++c) {
        m_Grid2->setHorizontalHeaderItem(c, new QTableWidgetItem(QString::fromLatin1(kGridHeader[c])));
        m_Grid2->setColumnWidth(c, kGridWidths[c]);
        m_Grid2->setItem(0, c, new QTableWidgetItem(QString()));
    }
}

void TfrmGraph::FormShow()
{
    m_ToolButton6->trigger();
    setAnnotationMode(AnnotationMode::Normal);
    // Same choice, new words in the user's number format: nothing for the handler to react to.
    const QSignalBlocker block(m_txtSamplingRate);
    const int index = m_txtSamplingRate->currentIndex();
    const QString shown = m_txtSamplingRate->currentText();
    const QStringList texts = rateEntryTexts();
    for (int i = 0; i < texts.size(); ++i)
        m_txtSamplingRate->setItemText(i, texts[i]);
    if (index < 0 && m_txtSamplingRate->isEditable())
        m_txtSamplingRate->setEditText(shown);
}

void TfrmGraph::makeRateDropDown()
{
    m_txtSamplingRate->setEditable(false);
    m_pnlSamplingRate->setEnabled(true);
}

void TfrmGraph::selectRateEntry(double rate)
{
    if (const auto entry = rateEntry(rate))
        m_txtSamplingRate->setCurrentIndex(*entry);
}

void TfrmGraph::setWavControlsVisible(bool visible)
{
    m_Button3->setVisible(visible);
    m_ToolBar1->findChild<QAction *>(QStringLiteral("MediaPlayer1Slot"))->setVisible(visible);
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
    if (watched == m_pnlGraph && event->type() == QEvent::Resize)
        pnlGraphResize();
    // The data set list opens 441 pixels wide, or wider when its columns grew to fit longer
    // headings; the splitter changes it from then on.
    if (watched == m_pnlDataSets && event->type() == QEvent::Show && !m_dataSetsSized) {
        m_dataSetsSized = true;
        const int columns = m_Grid2->horizontalHeader()->length() + 2 * m_Grid2->frameWidth();
        const int width = std::max(kDataSetsWidth, columns);
        const int total = m_Splitter1->width();
        m_Splitter1->setSizes({width, std::max(total - width, 1)});
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

void TfrmGraph::pnlGraphResize()
{
    // The top-right corner of the chart: the legend takes its top-left.
    const QRect chart = m_PESGraph1->geometry();
    m_Panel12->move(chart.right() + 1 - m_Panel12->width(), chart.top());
    m_Panel12->raise();
}

void TfrmGraph::txtSamplingRateChange()
{
    const RateChange change = samplingRateChanged(m_txtSamplingRate->currentText(), graphState().realTime);
    if (!change.refused)
        return;
    if (change.entry)
        m_txtSamplingRate->setCurrentIndex(*change.entry);
    showMessage(this, ids(kTable, QStringLiteral("IDS_18")));
}

void TfrmGraph::ToolButton6Click()
{
    m_PESGraph1->setViewingStyle(chart::sgColor);
    m_PESGraph1->redraw();
}

void TfrmGraph::ToolButton7Click()
{
    m_PESGraph1->setViewingStyle(chart::sgMonochrome);
    m_PESGraph1->redraw();
}

void TfrmGraph::Button1Click() { m_PESGraph1->PEactions(chart::sgCustomize); }

void TfrmGraph::PESGraph1ZoomIn() { m_UndoZoom->setEnabled(true); }

void TfrmGraph::UndoZoomClick()
{
    m_PESGraph1->PEactions(chart::sgUndoZoom);
    m_PESGraph1->PEactions(chart::sgResetImage);
    m_UndoZoom->setEnabled(false);
}

void TfrmGraph::PESGraph1CustomizeDlg()
{
    if (m_PESGraph1->dialogResult() != 1 ||
        confirm(this, ids(kTable, QStringLiteral("IDS_19")), QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    const QString folder = templateFolder();
    if (!QDir().mkpath(folder)) {
        showMessage(this, ids(kTable, QStringLiteral("IDS_20")) + QDir::toNativeSeparators(folder) +
                              ids(kTable, QStringLiteral("IDS_21")));
        return;
    }
    QString error;
    if (!saveTemplate(*m_PESGraph1, &error))
        showMessage(this, error);
}

} // namespace ql708::graph

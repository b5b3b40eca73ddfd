// SPDX-License-Identifier: GPL-3.0-or-later
#include "leq/TfrmLEQ.h"

#include "common/NumberFormat.h"
#include "common/StringTable.h"
#include "graph/GraphTexts.h"
#include "graph/TfrmGraph.h"
#include "leq/LeqTableModel.h"
#include "widgets/LanguageDispatcher.h"
#include "widgets/MessageBoxes.h"
#include "widgets/Named.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace ql708::leq {

namespace {

const QString kTable = QStringLiteral("frmLEQ");
const QString kMainTable = QStringLiteral("frmMain");
const QString kGraphCaption = QStringLiteral("Leq");
constexpr int kColumnWidths[LeqTable::Columns] = {65, 75, 100, 75, 75};
constexpr int kSummaryFieldWidth = 60;

QLineEdit *field(const char *name, int width = 80)
{
    auto *e = named(new QLineEdit, name);
    e->setReadOnly(true);
    e->setFixedWidth(width);
    return e;
}

// A label that names a field: screen readers read the field by it.
QLabel *label(const char *name, const QString &text, QWidget *field)
{
    auto *l = named(new QLabel(text), name);
    l->setBuddy(field);
    return l;
}

QString levelText(std::optional<float> v) { return v ? formatLevel(*v) : QString(); }

} // namespace

TfrmLEQ::TfrmLEQ(MeterLink &link, QWidget *parent) : QMdiSubWindow(parent), m_run(link)
{
    setObjectName(QStringLiteral("TfrmLEQ"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_LEQGrid = named(new QTableView, "LEQGrid");
    m_model = new LeqTableModel(m_run.table(), this);
    m_LEQGrid->setModel(m_model);
    m_LEQGrid->verticalHeader()->hide();
    m_LEQGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_LEQGrid->verticalHeader()->setDefaultSectionSize(m_LEQGrid->fontMetrics().height() + 6);
    m_LEQGrid->horizontalHeader()->setStretchLastSection(false);
    m_LEQGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_LEQGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Scrolled by the pixel, the grid finds its bottom without counting rows: following the
    // newest second costs the same at the 86,400th row as at the first.
    m_LEQGrid->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);

    auto *body = new QWidget;
    auto *top = new QHBoxLayout;
    top->addWidget(createSetup());
    top->addWidget(createStatus());
    top->addStretch(1);
    m_lblLogError = named(new QLabel, "lblLogError");
    m_lblLogError->setWordWrap(true);
    m_lblLogError->hide();
    auto *layout = new QVBoxLayout(body);
    layout->addLayout(top);
    layout->addWidget(createSummary());
    layout->addWidget(m_lblLogError);
    layout->addWidget(m_LEQGrid, 1);
    setWidget(body);

    m_LEQTimer = named(new QTimer(this), "LEQTimer");
    m_LEQTimer->setInterval(LeqRun::kTickMs);
    connect(m_LEQTimer, &QTimer::timeout, this, &TfrmLEQ::LEQTimerTimer);

    LanguageDispatcher::instance().attach(this, kTable);
    connect(&LanguageDispatcher::instance(), &LanguageDispatcher::languageChanged, this, [this] {
        m_model->retranslate();
        showLogError();
    });
    m_cmbTimeSelect->setCurrentIndex(0);
    sizeColumns();
    resize(560, 520);
}

TfrmLEQ::~TfrmLEQ() = default;

QWidget *TfrmLEQ::createSetup()
{
    m_GroupBox1 = named(new QGroupBox(QStringLiteral("Setup")), "GroupBox1");
    m_cmbTimeSelect = named(new QComboBox, "cmbTimeSelect");
    m_cmbTimeSelect->setEditable(true);
    m_cmbTimeSelect->setInsertPolicy(QComboBox::NoInsert);
    m_btnLEQ = named(new QPushButton(QStringLiteral("Start")), "btnLEQ");
    m_Button1 = named(new QPushButton(QStringLiteral("Stop")), "Button1");
    m_Button2 = named(new QPushButton(QStringLiteral("Save")), "Button2");
    m_Button3 = named(new QPushButton(QStringLiteral("Graph")), "Button3");
    connect(m_btnLEQ, &QPushButton::clicked, this, &TfrmLEQ::btnLEQClick);
    connect(m_Button1, &QPushButton::clicked, this, &TfrmLEQ::Button1Click);
    connect(m_Button2, &QPushButton::clicked, this, &TfrmLEQ::saveRequested);
    connect(m_Button3, &QPushButton::clicked, this, &TfrmLEQ::Button3Click);
    auto *grid = new QGridLayout(m_GroupBox1);
    m_Label9 = label("Label9", QStringLiteral("duration"), m_cmbTimeSelect);
    grid->addWidget(m_Label9, 0, 0);
    grid->addWidget(m_cmbTimeSelect, 0, 1);
    auto *buttons = new QGridLayout;
    buttons->addWidget(m_btnLEQ, 0, 0);
    buttons->addWidget(m_Button1, 0, 1);
    buttons->addWidget(m_Button2, 1, 0);
    buttons->addWidget(m_Button3, 1, 1);
    grid->addLayout(buttons, 1, 0, 1, 2);
    return m_GroupBox1;
}

QWidget *TfrmLEQ::createStatus()
{
    m_GroupBox2 = named(new QGroupBox(QStringLiteral("Status")), "GroupBox2");
    m_edtTimeLeft = field("edtTimeLeft");
    m_edtLEQValue = field("edtLEQValue");
    m_edtLEQrate = field("edtLEQrate");
    m_Label2 = label("Label2", QStringLiteral("time left"), m_edtTimeLeft);
    m_Label3 = label("Label3", QStringLiteral("LEQ"), m_edtLEQValue);
    m_Label1 = label("Label1", QStringLiteral("sampling rate"), m_edtLEQrate);
    m_edtLEQrate->hide();
    m_Label1->hide();
    auto *grid = new QGridLayout(m_GroupBox2);
    grid->addWidget(m_Label2, 0, 0);
    grid->addWidget(m_edtTimeLeft, 0, 1);
    grid->addWidget(m_Label3, 1, 0);
    grid->addWidget(m_edtLEQValue, 1, 1);
    grid->addWidget(m_Label1, 2, 0);
    grid->addWidget(m_edtLEQrate, 2, 1);
    return m_GroupBox2;
}

QWidget *TfrmLEQ::createSummary()
{
    m_GroupBox3 = named(new QGroupBox(QStringLiteral("Summary")), "GroupBox3");
    m_edtLmax = field("edtLmax", kSummaryFieldWidth);
    m_edtLmin = field("edtLmin", kSummaryFieldWidth);
    m_edtL10 = field("edtL10", kSummaryFieldWidth);
    m_edtL50 = field("edtL50", kSummaryFieldWidth);
    m_edtL90 = field("edtL90", kSummaryFieldWidth);
    m_Label4 = label("Label4", QStringLiteral("Lmax"), m_edtLmax);
    m_Label5 = label("Label5", QStringLiteral("Lmin"), m_edtLmin);
    m_Label6 = label("Label6", QStringLiteral("L10"), m_edtL10);
    m_Label7 = label("Label7", QStringLiteral("L50"), m_edtL50);
    m_Label8 = label("Label8", QStringLiteral("L90"), m_edtL90);
    m_btnCopySummary = named(new QPushButton(QStringLiteral("Copy summary")), "btnCopySummary");
    connect(m_btnCopySummary, &QPushButton::clicked, this, &TfrmLEQ::btnCopySummaryClick);
    auto *grid = new QGridLayout(m_GroupBox3);
    const QList<QPair<QLabel *, QLineEdit *>> pairs = {
        {m_Label4, m_edtLmax}, {m_Label5, m_edtLmin}, {m_Label6, m_edtL10}, {m_Label7, m_edtL50}, {m_Label8, m_edtL90}};
    for (int i = 0; i < pairs.size(); ++i) {
        grid->addWidget(pairs[i].first, 0, i);
        grid->addWidget(pairs[i].second, 1, i);
    }
    grid->addWidget(m_btnCopySummary, 1, int(pairs.size()));
    grid->setColumnStretch(int(pairs.size()) + 1, 1);
    return m_GroupBox3;
}

// The laid-out widths, wider where the user's date or time format needs it.
void TfrmLEQ::sizeColumns()
{
    const TDateTime sample = toTDateTime(QDateTime(QDate(2024, 12, 28), QTime(23, 58, 58)));
    const int pad = 12;
    const QFontMetrics fm = m_LEQGrid->fontMetrics();
    const int needed[LeqTable::Columns] = {0, fm.horizontalAdvance(graph::dateText(sample)) + pad,
                                           fm.horizontalAdvance(graph::timeText(sample)) + pad, 0, 0};
    for (int c = 0; c < LeqTable::Columns; ++c)
        m_LEQGrid->setColumnWidth(c, std::max(kColumnWidths[c], needed[c]));
}

std::optional<int> TfrmLEQ::selectedDuration() const
{
    const int index = m_cmbTimeSelect->currentIndex();
    if (index < 0 || m_cmbTimeSelect->currentText() != m_cmbTimeSelect->itemText(index))
        return std::nullopt;
    return durationOfEntry(index);
}

QString TfrmLEQ::summary() const { return summaryText(summarize(m_run.table())); }

void TfrmLEQ::btnLEQClick()
{
    m_run.start(selectedDuration(), logPath());
    m_model->sync();
    showSummary();
    showLogError();
    m_LEQTimer->start();
    emit runningChanged(true);
}

void TfrmLEQ::Button1Click() { endRun(); }

void TfrmLEQ::endRun()
{
    const bool was = m_run.running() || m_LEQTimer->isActive();
    m_run.end();
    m_LEQTimer->stop();
    if (!was)
        return;
    showSummary();
    emit runningChanged(false);
}

void TfrmLEQ::LEQTimerTimer()
{
    switch (m_run.tick()) {
    case LeqRun::Tick::TooManyFailures:
        endRun();
        showMessage(this, ids(kMainTable, QStringLiteral("IDS_94")));
        return;
    case LeqRun::Tick::SecondCompleted:
        showSecond();
        break;
    case LeqRun::Tick::Idle:
    case LeqRun::Tick::ReadFailed:
    case LeqRun::Tick::FirstReading:
    case LeqRun::Tick::SameSecond:
        break;
    }
    if (!m_run.running())
        endRun();
}

void TfrmLEQ::showSecond()
{
    const LeqTable &t = m_run.table();
    m_model->sync();
    m_LEQGrid->scrollToBottom();
    if (t.hasLevels(t.rows() - 1)) {
        m_edtLEQValue->setText(formatLevel(m_run.runningLeq()));
        m_edtLEQrate->setText(QString::number(m_run.lastRate()) + QStringLiteral("/sec"));
    }
    m_edtTimeLeft->setText(timeLeftText(m_run.secondsLeft()));
    if (t.rows() >= m_nextSummaryRows || !m_run.running())
        showSummary();
    showLogError();
}

// The summary takes a pass over the table. It is shown anew once a second at first, then once
// per thousandth of the run so far (every 84 s at 24 hours), so that its cost per second does
// not grow with the run, and always when the run ends.
void TfrmLEQ::showSummary()
{
    const LeqSummary s = summarize(m_run.table());
    m_nextSummaryRows = s.seconds + std::max(1, s.seconds / 1024);
    const bool any = s.levels.count > 0;
    m_edtLmax->setText(any ? formatLevel(s.levels.max) : QString());
    m_edtLmin->setText(any ? formatLevel(s.levels.min) : QString());
    m_edtL10->setText(levelText(s.exceeded ? std::optional(s.exceeded->l10) : std::nullopt));
    m_edtL50->setText(levelText(s.exceeded ? std::optional(s.exceeded->l50) : std::nullopt));
    m_edtL90->setText(levelText(s.exceeded ? std::optional(s.exceeded->l90) : std::nullopt));
}

void TfrmLEQ::showLogError()
{
    const QString &error = m_run.logError();
    m_lblLogError->setVisible(!error.isEmpty());
    m_lblLogError->setText(error.isEmpty() ? QString() : ids(kTable, QStringLiteral("IDS_10")) + error);
}

void TfrmLEQ::btnCopySummaryClick() { QGuiApplication::clipboard()->setText(summary()); }

void TfrmLEQ::Button3Click()
{
    const LeqTable &t = m_run.table();
    if (t.empty()) {
        showMessage(this, ids(kTable, QStringLiteral("IDS_1")));
        return;
    }
    QMdiArea *area = mdiArea();
    if (!area)
        return;
    const int n = t.rows();
    auto *w = graph::TfrmGraph::create(area, kGraphCaption);
    // The graph belongs to this window and goes away with it.
    connect(this, &QObject::destroyed, w, &QObject::deleteLater);
    // Seconds without readings are gaps in both lines.
    w->showSplAndLeq(t.times().data(), n, t.splLevels().data(), n, t.leqLevels().data(), n);
    w->showSamplingRate(QStringLiteral("1"));
}

void TfrmLEQ::FormClose() { endRun(); }

void TfrmLEQ::closeEvent(QCloseEvent *event)
{
    FormClose();
    QMdiSubWindow::closeEvent(event);
}

} // namespace ql708::leq

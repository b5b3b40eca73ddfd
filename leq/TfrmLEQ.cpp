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

    LEQGrid = named(new QTableView, "LEQGrid");
    m_model = new LeqTableModel(m_run.table(), this);
    LEQGrid->setModel(m_model);
    LEQGrid->verticalHeader()->hide();
    LEQGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    LEQGrid->verticalHeader()->setDefaultSectionSize(LEQGrid->fontMetrics().height() + 6);
    LEQGrid->horizontalHeader()->setStretchLastSection(false);
    LEQGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    LEQGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Scrolled by the pixel, the grid finds its bottom without counting rows: following the
    // newest second costs the same at the 86,400th row as at the first.
    LEQGrid->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);

    auto *body = new QWidget;
    auto *top = new QHBoxLayout;
    top->addWidget(createSetup());
    top->addWidget(createStatus());
    top->addStretch(1);
    lblLogError = named(new QLabel, "lblLogError");
    lblLogError->setWordWrap(true);
    lblLogError->hide();
    auto *layout = new QVBoxLayout(body);
    layout->addLayout(top);
    layout->addWidget(createSummary());
    layout->addWidget(lblLogError);
    layout->addWidget(LEQGrid, 1);
    setWidget(body);

    LEQTimer = named(new QTimer(this), "LEQTimer");
    LEQTimer->setInterval(LeqRun::kTickMs);
    connect(LEQTimer, &QTimer::timeout, this, &TfrmLEQ::LEQTimerTimer);

    LanguageDispatcher::instance().attach(this, kTable);
    connect(&LanguageDispatcher::instance(), &LanguageDispatcher::languageChanged, this, [this] {
        m_model->retranslate();
        showLogError();
    });
    cmbTimeSelect->setCurrentIndex(0);
    sizeColumns();
    resize(560, 520);
}

TfrmLEQ::~TfrmLEQ() = default;

QWidget *TfrmLEQ::createSetup()
{
    GroupBox1 = named(new QGroupBox(QStringLiteral("Setup")), "GroupBox1");
    cmbTimeSelect = named(new QComboBox, "cmbTimeSelect");
    cmbTimeSelect->setEditable(true);
    cmbTimeSelect->setInsertPolicy(QComboBox::NoInsert);
    btnLEQ = named(new QPushButton(QStringLiteral("Start")), "btnLEQ");
    Button1 = named(new QPushButton(QStringLiteral("Stop")), "Button1");
    Button2 = named(new QPushButton(QStringLiteral("Save")), "Button2");
    Button3 = named(new QPushButton(QStringLiteral("Graph")), "Button3");
    connect(btnLEQ, &QPushButton::clicked, this, &TfrmLEQ::btnLEQClick);
    connect(Button1, &QPushButton::clicked, this, &TfrmLEQ::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TfrmLEQ::saveRequested);
    connect(Button3, &QPushButton::clicked, this, &TfrmLEQ::Button3Click);
    auto *grid = new QGridLayout(GroupBox1);
    Label9 = label("Label9", QStringLiteral("duration"), cmbTimeSelect);
    grid->addWidget(Label9, 0, 0);
    grid->addWidget(cmbTimeSelect, 0, 1);
    auto *buttons = new QGridLayout;
    buttons->addWidget(btnLEQ, 0, 0);
    buttons->addWidget(Button1, 0, 1);
    buttons->addWidget(Button2, 1, 0);
    buttons->addWidget(Button3, 1, 1);
    grid->addLayout(buttons, 1, 0, 1, 2);
    return GroupBox1;
}

QWidget *TfrmLEQ::createStatus()
{
    GroupBox2 = named(new QGroupBox(QStringLiteral("Status")), "GroupBox2");
    edtTimeLeft = field("edtTimeLeft");
    edtLEQValue = field("edtLEQValue");
    edtLEQrate = field("edtLEQrate");
    Label2 = label("Label2", QStringLiteral("time left"), edtTimeLeft);
    Label3 = label("Label3", QStringLiteral("LEQ"), edtLEQValue);
    Label1 = label("Label1", QStringLiteral("sampling rate"), edtLEQrate);
    edtLEQrate->hide();
    Label1->hide();
    auto *grid = new QGridLayout(GroupBox2);
    grid->addWidget(Label2, 0, 0);
    grid->addWidget(edtTimeLeft, 0, 1);
    grid->addWidget(Label3, 1, 0);
    grid->addWidget(edtLEQValue, 1, 1);
    grid->addWidget(Label1, 2, 0);
    grid->addWidget(edtLEQrate, 2, 1);
    return GroupBox2;
}

QWidget *TfrmLEQ::createSummary()
{
    GroupBox3 = named(new QGroupBox(QStringLiteral("Summary")), "GroupBox3");
    edtLmax = field("edtLmax", kSummaryFieldWidth);
    edtLmin = field("edtLmin", kSummaryFieldWidth);
    edtL10 = field("edtL10", kSummaryFieldWidth);
    edtL50 = field("edtL50", kSummaryFieldWidth);
    edtL90 = field("edtL90", kSummaryFieldWidth);
    Label4 = label("Label4", QStringLiteral("Lmax"), edtLmax);
    Label5 = label("Label5", QStringLiteral("Lmin"), edtLmin);
    Label6 = label("Label6", QStringLiteral("L10"), edtL10);
    Label7 = label("Label7", QStringLiteral("L50"), edtL50);
    Label8 = label("Label8", QStringLiteral("L90"), edtL90);
    btnCopySummary = named(new QPushButton(QStringLiteral("Copy summary")), "btnCopySummary");
    connect(btnCopySummary, &QPushButton::clicked, this, &TfrmLEQ::btnCopySummaryClick);
    auto *grid = new QGridLayout(GroupBox3);
    const QList<QPair<QLabel *, QLineEdit *>> pairs = {
        {Label4, edtLmax}, {Label5, edtLmin}, {Label6, edtL10}, {Label7, edtL50}, {Label8, edtL90}};
    for (int i = 0; i < pairs.size(); ++i) {
        grid->addWidget(pairs[i].first, 0, i);
        grid->addWidget(pairs[i].second, 1, i);
    }
    grid->addWidget(btnCopySummary, 1, int(pairs.size()));
    grid->setColumnStretch(int(pairs.size()) + 1, 1);
    return GroupBox3;
}

// The laid-out widths, wider where the user's date or time format needs it.
void TfrmLEQ::sizeColumns()
{
    const TDateTime sample = toTDateTime(QDateTime(QDate(2024, 12, 28), QTime(23, 58, 58)));
    const int pad = 12;
    const QFontMetrics fm = LEQGrid->fontMetrics();
    const int needed[LeqTable::Columns] = {0, fm.horizontalAdvance(graph::dateText(sample)) + pad,
                                           fm.horizontalAdvance(graph::timeText(sample)) + pad, 0, 0};
    for (int c = 0; c < LeqTable::Columns; ++c)
        LEQGrid->setColumnWidth(c, std::max(kColumnWidths[c], needed[c]));
}

std::optional<int> TfrmLEQ::selectedDuration() const
{
    const int index = cmbTimeSelect->currentIndex();
    if (index < 0 || cmbTimeSelect->currentText() != cmbTimeSelect->itemText(index))
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
    LEQTimer->start();
    emit runningChanged(true);
}

void TfrmLEQ::Button1Click() { endRun(); }

void TfrmLEQ::endRun()
{
    const bool was = m_run.running() || LEQTimer->isActive();
    m_run.end();
    LEQTimer->stop();
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
    LEQGrid->scrollToBottom();
    if (t.hasLevels(t.rows() - 1)) {
        edtLEQValue->setText(formatLevel(m_run.runningLeq()));
        edtLEQrate->setText(QString::number(m_run.lastRate()) + QStringLiteral("/sec"));
    }
    edtTimeLeft->setText(timeLeftText(m_run.secondsLeft()));
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
    edtLmax->setText(any ? formatLevel(s.levels.max) : QString());
    edtLmin->setText(any ? formatLevel(s.levels.min) : QString());
    edtL10->setText(levelText(s.exceeded ? std::optional(s.exceeded->l10) : std::nullopt));
    edtL50->setText(levelText(s.exceeded ? std::optional(s.exceeded->l50) : std::nullopt));
    edtL90->setText(levelText(s.exceeded ? std::optional(s.exceeded->l90) : std::nullopt));
}

void TfrmLEQ::showLogError()
{
    const QString &error = m_run.logError();
    lblLogError->setVisible(!error.isEmpty());
    lblLogError->setText(error.isEmpty() ? QString() : ids(kTable, QStringLiteral("IDS_10")) + error);
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

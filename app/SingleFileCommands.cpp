// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SingleFileCommands.h"

#include "widgets/FileDialog.h"
#include "app/TfrmMain.h"
#include "chart/ChartFile.h"
#include "chart/ChartState.h"
#include "chart/PESGraph.h"
#include "common/StringTable.h"
#include "data/TableText.h"
#include "graph/TfrmGraph.h"
#include "graph/TfrmList.h"
#include "output/TabularGraph.h"
#include "widgets/MessageBoxes.h"
#include "widgets/ModalRunner.h"
#include "widgets/ProgressPump.h"
#include "widgets/TfrmScope.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include <vector>

namespace ql708 {

namespace {

const QString kTable = QStringLiteral("frmMain");

QString text(const char *key) { return ids(kTable, QString::fromLatin1(key)); }

bool commaDecimals() { return QLocale().decimalPoint() == QLatin1String(","); }

// The save dialog's types for a chart; the last one writes ISO 8601 date-times.
QString graphSaveFilter() { return text(commaDecimals() ? "IDS_47" : "IDS_19") + QLatin1Char('|') + text("IDS_306"); }
int isoFilterIndex() { return commaDecimals() ? 2 : 3; }

QString shown(const QString &path) { return QDir::toNativeSeparators(path); }

} // namespace

SingleFileCommands::SingleFileCommands(TfrmMain &main) : QObject(&main), m_main(main) {}

void SingleFileCommands::failed(const char *key, const QString &path, const QString &reason)
{
    showMessage(&m_main, text(key) + QStringLiteral("\n%1\n%2").arg(shown(path), reason));
}

bool SingleFileCommands::SaveGraph(graph::TfrmGraph &window)
{
    int chosen = -1;
    const QString path =
        askSaveFileName(&m_main, dialogFolder(m_main.dataFolder()), graphSaveFilter(), QStringLiteral("ghf"), &chosen);
    if (path.isEmpty())
        return false;
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("ghf")) {
        QString error;
        if (chart::SaveChartFile(*window.PESGraph1(), path, &error))
            return true;
        showMessage(&m_main, text("IDS_301") + QLatin1Char('\n') + error);
        return false;
    }
    if (extension != QLatin1String("txt") && extension != QLatin1String("csv")) {
        showMessage(&m_main, text("IDS_307"));
        return false;
    }
    data::GraphTextFormat format;
    format.separator = extension == QLatin1String("csv") ? data::TextSeparator::Comma : data::TextSeparator::Tab;
    format.isoDateTimes = chosen == isoFilterIndex();
    return WriteGraphText(*window.PESGraph1(), path, format);
}

bool SingleFileCommands::WriteGraphText(const chart::PESGraph &chart, const QString &path,
                                        const data::GraphTextFormat &format)
{
    const chart::ChartModel &model = chart.model();
    const int count = model.subsets() > 0 ? model.points() : 0;
    const std::optional<data::SaveRange> range = askRange(count);
    if (!range)
        return false;
    // The points are copied: the window stays usable while the file is written, and showing
    // another data set there must not pull the points away from under the writer.
    const int first = range->from - 1, n = range->to - range->from + 1;
    const bool second = model.subsets() == 2;
    const std::vector<double> x(model.xData(0) + first, model.xData(0) + first + n);
    const std::vector<float> y(model.yData(0) + first, model.yData(0) + first + n);
    const std::vector<float> y2 = second ? std::vector<float>(model.yData(1) + first, model.yData(1) + first + n)
                                         : std::vector<float>();
    const data::GraphColumns columns{x.data(), y.data(), second ? y2.data() : nullptr, n};
    return writeWithProgress(path, n, [&](const data::TextProgress &progress) {
        return data::saveGraphText(path, columns, 0, n - 1, format, progress);
    });
}

bool SingleFileCommands::WriteTableText(graph::TfrmList &list) { return WriteTableText(list.table(), &list); }

bool SingleFileCommands::WriteTableText(const data::TextTable &table, QObject *owner)
{
    const QString filter = text(commaDecimals() ? "IDS_308" : "IDS_30");
    const QString path = askSaveFileName(&m_main, dialogFolder(m_main.dataFolder()), filter, QStringLiteral("txt"));
    if (path.isEmpty())
        return false;
    const std::optional<data::SaveRange> range = askRange(table.rowCount());
    if (!range)
        return false;
    const QPointer<QObject> alive(owner);
    return writeWithProgress(path, range->to - range->from + 1, [&](const data::TextProgress &progress) {
        // The window may be closed while the file is written: its table must outlive the writing.
        return data::saveTableText(path, table, range->from - 1, range->to - 1, data::separatorOfTableFile(path),
                                   QLocale(), [&](qint64 done) { return progress(done) && (!owner || alive); });
    });
}

std::optional<data::SaveRange> SingleFileCommands::askRange(int count)
{
    TfrmScope dialog(&m_main);
    dialog.useForRange(text("IDS_16"), QStringLiteral("1"), QString::number(count));
    if (runModal(dialog) != TfrmScope::OK)
        return std::nullopt;
    const data::SaveRange range =
        data::chooseSaveRange(dialog.radAll()->isChecked(), dialog.edtSelFrom()->text(), dialog.edtSelTo()->text(), count);
    if (range.problem == data::SaveRange::None)
        return range;
    showMessage(&m_main, text(range.problem == data::SaveRange::NotWhole ? "IDS_25" : "IDS_305"));
    return std::nullopt;
}

bool SingleFileCommands::writeWithProgress(const QString &path, int lines,
                                           const std::function<data::TextFileOutcome(const data::TextProgress &)> &write)
{
    // The progress window takes the focus; the window being saved gets it back.
    const QPointer<QMdiSubWindow> active = m_main.mdiArea()->activeSubWindow();
    data::TextFileOutcome outcome;
    {
        TfrmScope scope(&m_main);
        scope.useForProgress(text("IDS_26"), lines);
        scope.SText1()->setText(text("IDS_27"));
        scope.SText1()->show();
        scope.BitBtn2()->show();
        scope.showProgress();
        ProgressPump pump(scope);
        outcome = write([&pump](qint64 done) { return pump.step(done); });
    }
    if (active)
        m_main.mdiArea()->setActiveSubWindow(active);
    if (!outcome.ok && !outcome.cancelled)
        failed("IDS_301", path, outcome.error);
    return outcome.ok;
}

QString SingleFileCommands::OpenSingleFile()
{
    // Every type the command opens is listed first, so the file saved a moment ago shows.
    const bool comma = commaDecimals();
    const QString filter = text(comma ? "IDS_311" : "IDS_310") + QLatin1Char('|') + text(comma ? "IDS_47" : "IDS_19");
    const QString path = askOpenFileName(&m_main, dialogFolder(m_main.dataFolder()), filter, QStringLiteral("ghf"));
    return !path.isEmpty() && OpenSingleFile(path) ? path : QString();
}

bool SingleFileCommands::OpenSingleFile(const QString &path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("ghf"))
        return openGraphFile(path);
    if (extension == QLatin1String("txt") || extension == QLatin1String("csv"))
        return openTableFile(path);
    return false;
}

bool SingleFileCommands::openGraphFile(const QString &path)
{
    // The whole file is read and checked before a window opens: a bad file opens none.
    chart::ChartModel model;
    QString error;
    if (!chart::loadChartModelFile(model, path, &error)) {
        showMessage(&m_main, text("IDS_302") + QLatin1Char('\n') + error);
        return false;
    }
    QMdiArea *area = m_main.mdiArea();
    graph::TfrmGraph *w = graph::TfrmGraph::create(area, shown(path));
    w->PESGraph1()->setModel(std::move(model));
    w->setGeometry(0, 0, area->width(), area->height());
    w->RefreshStatistics();
    w->ResetCursors();
    w->PESGraph1()->PEactions(chart::sgReinitAndReset);
    return true;
}

bool SingleFileCommands::openTableFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        failed("IDS_302", path, file.errorString());
        return false;
    }
    auto *list = new graph::TfrmList;
    m_main.mdiArea()->addSubWindow(list);
    list->setWindowTitle(shown(path));
    connect(list, &graph::TfrmList::activated, &m_main, [this] { m_main.btnOutputToGraph()->setEnabled(true); });
    list->show();
    const QPointer<graph::TfrmList> alive(list);

    data::TextTable table;
    data::TextFileOutcome outcome;
    {
        TfrmScope scope(&m_main);
        scope.useForProgress(text("IDS_96"), 0); // the bar only shows that reading goes on
        scope.SText1()->setText(QStringLiteral("0"));
        scope.SText1()->show();
        scope.BitBtn2()->show();
        scope.showProgress();
        ProgressPump pump(scope);
        pump.show = [&scope](qint64 done) { scope.SText1()->setText(QString::number(done)); };
        outcome = data::readTableText(file, data::separatorOfTableFile(path), table,
                                      [&](qint64 done) { return pump.step(done) && alive; });
    }
    if (!alive)
        return false;
    list->setTable(std::move(table));
    m_main.mdiArea()->setActiveSubWindow(list);
    if (!outcome.ok && !outcome.cancelled)
        failed("IDS_302", path, outcome.error);
    else if (outcome.truncated)
        showMessage(&m_main, text("IDS_309") + QString::number(list->table().rowCount()));
    return outcome.ok;
}

void SingleFileCommands::btnOutputToGraphClick()
{
    if (auto *list = qobject_cast<graph::TfrmList *>(m_main.mdiArea()->activeSubWindow()))
        output::OutputTabularToGraph(*list, *m_main.mdiArea());
}

} // namespace ql708

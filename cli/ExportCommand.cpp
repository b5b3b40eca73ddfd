// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ExportCommand.h"

#include "chart/ChartState.h"
#include "cli/SetsCommand.h"
#include "common/Printable.h"
#include "data/DataSetList.h"
#include "data/GraphText.h"

#include <QFileInfo>
#include <QIODevice>

namespace ql708::cli {

namespace {

// Whole lines written to the output stream (the writer never splits a line between writes).
class StreamDevice : public QIODevice {
public:
    explicit StreamDevice(QTextStream &stream) : m_stream(stream) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        m_stream << QString::fromUtf8(data, size);
        return m_stream.status() == QTextStream::Ok ? size : -1; // a full disk ends the export
    }

private:
    QTextStream &m_stream;
};

int fail(QTextStream &err, const QString &message, int status = kExitFailed)
{
    err << "ql708-cli: " << message << '\n';
    return status;
}

std::optional<data::GraphTextFormat> formatOf(const std::optional<QString> &name, const std::optional<QString> &out)
{
    data::GraphTextFormat f;
    const QString chosen = name.value_or(out && QFileInfo(*out).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0
                                             ? QStringLiteral("csv")
                                             : QStringLiteral("txt"));
    if (chosen == QLatin1String("txt"))
        return f;
    f.separator = data::TextSeparator::Comma;
    if (chosen == QLatin1String("csv"))
        return f;
    f.isoDateTimes = true;
    if (chosen == QLatin1String("iso"))
        return f;
    return std::nullopt;
}

int write(const data::GraphColumns &columns, const data::GraphTextFormat &format, const std::optional<QString> &out,
          CliContext &context)
{
    if (!out) {
        StreamDevice device(context.out);
        data::writeGraphText(device, columns, 0, columns.count - 1, format);
        return kExitOk; // a failed write is the output's, said once everything ran
    }
    const data::TextFileOutcome o = data::saveGraphText(*out, columns, 0, columns.count - 1, format);
    if (!o.ok)
        return fail(context.err, QStringLiteral("cannot write %1: %2").arg(printable(*out), o.error));
    context.out << printable(*out) << ": " << o.lines << " lines\n";
    return kExitOk;
}

int exportSet(const QString &path, qint64 set, const data::GraphTextFormat &format, const std::optional<QString> &out,
              CliContext &context)
{
    data::DataSetList sets;
    int status = kExitOk;
    const std::optional<int> i = readSet(path, set, sets, context.err, status);
    if (!i)
        return status;
    const std::size_t offset = sets.offsetOf(*i);
    return write({sets.times.data() + offset, sets.levels.data() + offset, nullptr, sets.pointCounts[size_t(*i)]},
                 format, out, context);
}

int exportChart(const QString &path, const data::GraphTextFormat &format, const std::optional<QString> &out,
                CliContext &context)
{
    chart::ChartModel model;
    QString error;
    if (!chart::loadChartModelFile(model, path, &error))
        return fail(context.err, printable(error));
    data::GraphColumns columns;
    if (model.subsets() > 0)
        columns = {model.xData(0), model.yData(0), model.subsets() == 2 ? model.yData(1) : nullptr, model.points()};
    return write(columns, format, out, context);
}

} // namespace

int runExport(CliArgs &args, CliContext &context)
{
    const std::optional<QString> path = args.word(QStringLiteral("FILE.rec or FILE.ghf"));
    const std::optional<qint64> set = args.number(QStringLiteral("--set"), 1, std::numeric_limits<int>::max());
    const std::optional<QString> formatName = args.value(QStringLiteral("--format"));
    std::optional<QString> out = args.value(QStringLiteral("-o"));
    if (!args.finish())
        return kExitUsage;
    if (out && isStandardOutput(*out))
        out.reset();
    const std::optional<data::GraphTextFormat> format = formatOf(formatName, out);
    if (!format)
        return fail(context.err, QStringLiteral("export: --format is txt, csv or iso, not \"%1\"").arg(printable(*formatName)), kExitUsage);
    const QString type = QFileInfo(*path).suffix().toLower();
    if (type == QLatin1String("rec")) {
        if (!set)
            return fail(context.err, QStringLiteral("export: --set N is needed for a collection file"), kExitUsage);
        return exportSet(*path, *set, *format, out, context);
    }
    if (type == QLatin1String("ghf")) {
        if (set)
            return fail(context.err, QStringLiteral("export: --set is for collection files (.rec) only"), kExitUsage);
        return exportChart(*path, *format, out, context);
    }
    return fail(context.err, QStringLiteral("export: %1 is neither a .rec nor a .ghf file").arg(printable(*path)), kExitUsage);
}

} // namespace ql708::cli

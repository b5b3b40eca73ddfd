// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/SetsCommand.h"

#include "cli/JsonOutput.h"
#include "common/Printable.h"
#include "data/CollectionFile.h"
#include "data/DataSetText.h"
#include "data/MemoryImage.h"

namespace ql708::cli {

namespace {

QString level(double v) { return QString::number(v, 'f', 1); }

// A figure of a set with measured levels; empty for one without.
QString figure(const LevelSummary &s, double v) { return s.count > 0 ? level(v) : QString(); }

} // namespace

QStringList setsTable(const data::DataSetList &sets)
{
    QStringList lines{QStringLiteral("set\tdate\ttime\trate\tpoints\tweighting\tresponse\trange\twave\tmax\tmin\taverage\tout of range")};
    for (int i = 0; i < sets.count(); ++i) {
        const QDateTime start = fromTDateTime(sets.startTimes[i]);
        const std::uint8_t flags = sets.modeFlags[i];
        const LevelSummary &levels = sets.summaries[i];
        const QStringList fields{
            QString::number(i + 1),
            start.date().toString(QStringLiteral("yyyy-MM-dd")),
            start.time().toString(QStringLiteral("HH:mm:ss")),
            data::rateText(sets.rates[i]),
            QString::number(sets.pointCounts[i]),
            data::weightingText(flags),
            data::responseText(flags),
            data::rangeText(flags),
            printable(sets.waveNames[i]), // the file's own bytes: no escape sequence reaches the terminal
            figure(levels, levels.max),
            figure(levels, levels.min),
            figure(levels, levels.mean),
            QString::number(levels.outOfRange)};
        lines << fields.join(QLatin1Char('\t'));
    }
    return lines;
}

std::optional<int> readSet(const QString &path, qint64 set, data::DataSetList &sets, QTextStream &err, int &status)
{
    QByteArray image;
    QString error;
    status = kExitFailed;
    if (!data::readCollection(path, image, &error)) {
        err << "ql708-cli: cannot read " << printable(path) << ": " << error << '\n';
        return std::nullopt;
    }
    const int result = data::ParseMemoryImage(image, data::lastAddressOf(image), sets);
    if (!data::parse_result::accepted(result, sets)) {
        err << "ql708-cli: " << printable(path) << " holds no data sets that can be read (result " << result << ").\n";
        status = kExitNoDataSets;
        return std::nullopt;
    }
    if (set > sets.count()) {
        err << "ql708-cli: " << printable(path) << " holds " << sets.count() << " data sets; there is no set " << set << ".\n";
        return std::nullopt;
    }
    status = kExitOk;
    return int(set - 1);
}

int setsExitStatus(int parseResult, const data::DataSetList &sets)
{
    return data::parse_result::accepted(parseResult, sets) ? kExitOk : kExitNoDataSets;
}

int runSets(CliArgs &args, CliContext &context)
{
    const bool json = args.flag(QStringLiteral("--json"));
    const std::optional<QString> path = args.word(QStringLiteral("FILE.rec"));
    if (!args.finish())
        return kExitUsage;
    QByteArray image;
    QString error;
    if (!data::readCollection(*path, image, &error)) {
        context.err << "ql708-cli: cannot read " << printable(*path) << ": " << error << '\n';
        return kExitFailed;
    }
    data::DataSetList sets;
    const int result = data::ParseMemoryImage(image, data::lastAddressOf(image), sets);
    if (!data::parse_result::accepted(result, sets))
        sets = {};
    if (json) {
        context.out << setsJson(*path, result, sets);
        return setsExitStatus(result, sets);
    }
    for (const QString &line : setsTable(sets))
        context.out << line << '\n';
    context.out << "result\t" << result << '\n';
    return setsExitStatus(result, sets);
}

} // namespace ql708::cli

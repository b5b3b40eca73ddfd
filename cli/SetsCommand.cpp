#include "cli/SetsCommand.h"

#include "data/CollectionFile.h"
#include "data/DataSetText.h"
#include "data/MemoryImage.h"

#include <cstdio>

namespace ql708 {

namespace {

QString level(double v) { return QString::number(v, 'f', 1); }

} // namespace

QStringList setsTable(const data::DataSetList &sets)
{
    QStringList lines{QStringLiteral("set\tdate\ttime\trate\tpoints\tweighting\tresponse\trange\twave\tmax\tmin\taverage")};
    for (int i = 0; i < sets.count(); ++i) {
        const QDateTime start = fromTDateTime(sets.startTimes[i]);
        const std::uint8_t flags = sets.modeFlags[i];
        const std::size_t offset = sets.offsetOf(i);
        const bool hasPoints = sets.pointCounts[i] > 0;
        const QStringList fields{
            QString::number(i + 1),
            start.date().toString(QStringLiteral("yyyy-MM-dd")),
            start.time().toString(QStringLiteral("HH:mm:ss")),
            data::rateText(sets.rates[i]),
            QString::number(sets.pointCounts[i]),
            data::weightingText(flags),
            data::responseText(flags),
            data::rangeText(flags),
            sets.waveNames[i],
            hasPoints ? level(sets.levels[offset + sets.maxIndexes[i]]) : QString(),
            hasPoints ? level(sets.levels[offset + sets.minIndexes[i]]) : QString(),
            level(sets.averages[i])};
        lines << fields.join(QLatin1Char('\t'));
    }
    return lines;
}

int setsExitStatus(int parseResult) { return data::parse_result::accepted(parseResult) ? 0 : 3; }

int runSetsCommand(const QStringList &args)
{
    if (args.size() != 1) {
        std::fprintf(stderr, "Usage: ql708-cli sets FILE.rec\n");
        return 2;
    }
    QByteArray image;
    QString error;
    if (!data::readCollection(args[0], image, &error)) {
        std::fprintf(stderr, "ql708-cli: cannot read %s: %s\n", qPrintable(args[0]), qPrintable(error));
        return 1;
    }
    data::DataSetList sets;
    const int result = data::ParseMemoryImage(image, data::lastAddressOf(image), sets);
    if (!data::parse_result::accepted(result))
        sets = {};
    for (const QString &line : setsTable(sets))
        std::printf("%s\n", qPrintable(line));
    std::printf("result\t%d\n", result);
    return setsExitStatus(result);
}

} // namespace ql708

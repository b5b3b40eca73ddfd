// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ReportCommand.h"

#include "cli/SetsCommand.h"
#include "common/Printable.h"
#include "common/SaveFile.h"
#include "common/StringTable.h"
#include "data/DataSetList.h"
#include "output/WindowPrint.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>

#include <limits>

namespace ql708::cli {

namespace {

// The page of the program's printer printing to a PDF file.
bool printPage(QIODevice &device, const QString &path, const data::DataSetList &sets, int set)
{
    const std::unique_ptr<QPrinter> printer = output::makePrinter();
    QPdfWriter writer(&device);
    writer.setResolution(printer->resolution());
    writer.setPageLayout(printer->pageLayout());
    return output::printDataSet(writer, QFileInfo(path).fileName(), sets, set);
}

} // namespace

int runReport(CliArgs &args, CliContext &context)
{
    const std::optional<QString> path = args.word(QStringLiteral("FILE.rec"));
    const std::optional<qint64> set = args.number(QStringLiteral("--set"), 1, std::numeric_limits<int>::max());
    const std::optional<QString> out = args.requiredValue(QStringLiteral("-o"), QStringLiteral("OUT.pdf"));
    const QString language = args.value(QStringLiteral("--language")).value_or(QStringLiteral("fr"));
    if (!set)
        args.fail(QStringLiteral("--set N is needed"));
    if (language != QLatin1String("fr") && language != QLatin1String("en"))
        args.fail(QStringLiteral("--language is fr or en, not \"%1\"").arg(language));
    if (!args.finish())
        return kExitUsage;
    setActiveLanguage(language == QLatin1String("en") ? Language::English : Language::French);
    data::DataSetList sets;
    int status = kExitOk;
    const std::optional<int> i = readSet(*path, *set, sets, context.err, status);
    if (!i)
        return status;
    if (isStandardOutput(*out)) {
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        QString error;
        if (!printPage(pdf, *path, sets, *i) || !writeStandardOutput(context, pdf.data(), error)) {
            context.err << "ql708-cli: cannot write the report to the standard output" << (error.isEmpty() ? "" : ": ")
                        << error << '\n';
            return kExitFailed;
        }
        return kExitOk;
    }
    // Written whole or not at all.
    SaveFile file(*out);
    const bool printed = file.open() && printPage(file.device(), *path, sets, *i);
    if (!printed || !file.commit()) {
        // A page that could not be drawn was not committed: its reason is the device's.
        const QString reason = file.reason().isEmpty() ? file.device().errorString() : file.reason();
        context.err << "ql708-cli: cannot write " << printable(QDir::toNativeSeparators(*out)) << ": " << reason << '\n';
        return kExitFailed;
    }
    context.out << printable(*out) << ": set " << *set << '\n';
    return kExitOk;
}

} // namespace ql708::cli

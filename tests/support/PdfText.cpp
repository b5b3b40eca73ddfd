// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/PdfText.h"

#include <QProcess>
#include <QRegularExpression>

namespace ql708::test {

namespace {

QString run(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QStringList pageRange(int page)
{
    return page > 0 ? QStringList{QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page)}
                    : QStringList();
}

} // namespace

int pdfPages(const QString &path)
{
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = pages.match(run(QStringLiteral("pdfinfo"), {path}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QSizeF pdfPageSize(const QString &path)
{
    static const QRegularExpression size(QStringLiteral("^Page size:\\s+([\\d.]+) x ([\\d.]+) pts"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = size.match(run(QStringLiteral("pdfinfo"), {path}));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

QString pdfText(const QString &path, int page)
{
    return run(QStringLiteral("pdftotext"), pageRange(page) + QStringList{QStringLiteral("-layout"), path, QStringLiteral("-")});
}

QList<PdfWord> pdfWords(const QString &path, int page)
{
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<PdfWord> out;
    const QString html = run(QStringLiteral("pdftotext"), pageRange(page) + QStringList{QStringLiteral("-bbox"), path, QStringLiteral("-")});
    for (const QRegularExpressionMatch &m : word.globalMatch(html)) {
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        out.append({m.captured(5), QRectF(topLeft, bottomRight)});
    }
    return out;
}

int pdfImages(const QString &path)
{
    // A heading, a rule, then one line per image.
    const QStringList lines = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return lines.size() < 2 ? -1 : int(lines.size()) - 2;
}

} // namespace ql708::test

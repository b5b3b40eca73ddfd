// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliArgs.h"

#include "common/NumberFormat.h"

#include <QRegularExpression>

namespace ql708::cli {

namespace {
const QString kEndOfOptions = QStringLiteral("--");
} // namespace

CliArgs::CliArgs(QStringList words)
{
    const qsizetype end = words.indexOf(kEndOfOptions);
    if (end >= 0) {
        m_after = words.mid(end + 1);
        words.resize(end);
    }
    m_words = std::move(words);
}

bool CliArgs::asksForHelp(const QStringList &words)
{
    for (const QString &w : words) {
        if (w == kEndOfOptions)
            return false;
        if (w == QLatin1String("--help") || w == QLatin1String("-h"))
            return true;
    }
    return false;
}

void CliArgs::fail(const QString &message)
{
    if (m_error.isEmpty())
        m_error = message;
}

bool CliArgs::flag(const QString &name)
{
    return m_words.removeAll(name) > 0;
}

std::optional<QString> CliArgs::value(const QString &name)
{
    std::optional<QString> found;
    const QString joined = name + QLatin1Char('=');
    for (int i = 0; i < m_words.size();) {
        if (m_words[i].startsWith(joined)) {
            found = m_words.takeAt(i).mid(joined.size());
        } else if (m_words[i] == name) {
            m_words.removeAt(i);
            if (i < m_words.size())
                found = m_words.takeAt(i);
            else
                fail(QStringLiteral("%1 needs a value").arg(name));
        } else {
            ++i;
        }
    }
    return found;
}

std::optional<double> CliArgs::decimal(const QString &name, double min, double max)
{
    const std::optional<QString> text = value(name);
    if (!text)
        return std::nullopt;
    double v = 0.0;
    if (!parseDecimal(*text, v, QLocale::c()) || v < min || v > max) {
        fail(QStringLiteral("%1 takes a number from %2 to %3, not \"%4\"").arg(name).arg(min).arg(max).arg(*text));
        return std::nullopt;
    }
    return v;
}

std::optional<qint64> CliArgs::number(const QString &name, qint64 min, qint64 max)
{
    const std::optional<QString> text = value(name);
    if (!text)
        return std::nullopt;
    static const QRegularExpression wholeNumber(QStringLiteral("^[+-]?[0-9]+$"));
    if (!wholeNumber.match(*text).hasMatch()) {
        fail(QStringLiteral("%1 takes a whole number, not \"%2\"").arg(name, *text));
        return std::nullopt;
    }
    bool ok = false;
    const qint64 n = text->toLongLong(&ok);
    // Digits that do not fit the type are too large or too small all the same.
    if ((!ok && !text->startsWith(QLatin1Char('-'))) || (ok && n > max)) {
        fail(QStringLiteral("%1 %2 is too large; the largest is %3").arg(name, *text).arg(max));
        return std::nullopt;
    }
    if (!ok || n < min) {
        fail(QStringLiteral("%1 %2 is too small; the smallest is %3").arg(name, *text).arg(min));
        return std::nullopt;
    }
    return n;
}

std::optional<QString> CliArgs::requiredValue(const QString &name, const QString &what)
{
    std::optional<QString> found = value(name);
    if (!found)
        fail(QStringLiteral("%1 %2 is needed").arg(name, what));
    return found;
}

std::optional<QString> CliArgs::word(const QString &what)
{
    // A lone "-" is a word: the standard output or input where a command takes it.
    for (int i = 0; i < m_words.size(); ++i)
        if (!m_words[i].startsWith(QLatin1Char('-')) || m_words[i] == QLatin1String("-"))
            return m_words.takeAt(i);
    if (!m_after.isEmpty())
        return m_after.takeFirst();
    fail(QStringLiteral("%1 is needed").arg(what));
    return std::nullopt;
}

bool CliArgs::finish()
{
    if (!m_words.isEmpty())
        fail(m_words.first().startsWith(QLatin1Char('-'))
                 ? QStringLiteral("unknown option: %1").arg(m_words.first())
                 : QStringLiteral("unexpected word: %1").arg(m_words.first()));
    else if (!m_after.isEmpty())
        fail(QStringLiteral("unexpected word: %1").arg(m_after.first()));
    return m_error.isEmpty();
}

} // namespace ql708::cli

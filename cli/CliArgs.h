// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace ql708::cli {

// The words that follow a subcommand's name. The command takes the options it knows; a word
// left over, a missing value or a value out of bounds is a fault, and the first fault is kept
// as a message that names what the user typed. "--" ends the options: every word after it is
// a word, even one that starts with '-' (a file named "-x.rec").
class CliArgs {
public:
    explicit CliArgs(QStringList words);

    // Whether the words before "--" ask for the command's usage (--help or -h).
    static bool asksForHelp(const QStringList &words);

    // Whether the flag is given.
    bool flag(const QString &name);
    // The value of "--name VALUE" or "--name=VALUE"; the last one given counts.
    std::optional<QString> value(const QString &name);
    // The value as a whole number from min to max.
    std::optional<qint64> number(const QString &name, qint64 min, qint64 max);
    // The value as a number from min to max, "." for the decimals in every locale.
    std::optional<double> decimal(const QString &name, double min, double max);
    // The value of an option the command cannot do without; a fault when it is not given.
    std::optional<QString> requiredValue(const QString &name, const QString &what);
    // The first word that is no option, taken out of the words; a fault naming what when none.
    std::optional<QString> word(const QString &what);
    // Once the command took every option it knows: true when nothing was wrong or left over.
    bool finish();

    const QString &error() const { return m_error; }
    // Records a fault the command found in what it took; the first one is kept.
    void fail(const QString &message);

private:
    QStringList m_words; // the options and words before "--"
    QStringList m_after; // the words after it
    QString m_error;
};

} // namespace ql708::cli

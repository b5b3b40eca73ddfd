// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/OptionHelp.h"

#include <QStringList>

namespace ql708 {

namespace {

constexpr int kHelpColumn = 22;

// The shell code that completes as the option's completion kind says, then returns.
QString completeAs(const QString &kind)
{
    if (kind.startsWith(QLatin1String("file:"))) {
        const QString extension = kind.mid(5);
        return extension.isEmpty() ? QStringLiteral("_filedir; return")
                                   : QStringLiteral("_filedir '%1'; return").arg(extension);
    }
    if (kind == QLatin1String("dir"))
        return QStringLiteral("_filedir -d; return");
    if (kind.startsWith(QLatin1String("words:")))
        return QStringLiteral("COMPREPLY=($(compgen -W '%1' -- \"$cur\")); return").arg(kind.mid(6));
    return QStringLiteral("return");
}

bool isOption(const OptionHelp &o) { return o.name[0] == '-'; }

// "--help, -h" names two.
QStringList namesOf(const OptionHelp &o) { return QString::fromLatin1(o.name).split(QStringLiteral(", ")); }

// Completes cur as an option of the list, as the value of the option before it, or as a word.
QString optionsOrWords(const std::vector<OptionHelp> &options, const QString &indent)
{
    QStringList names;
    QString values, words;
    for (const OptionHelp &o : options) {
        if (!isOption(o)) {
            if (words.isEmpty())
                words = indent + completeAs(QString::fromLatin1(o.completes)) + QLatin1Char('\n');
            continue;
        }
        names << namesOf(o);
        if (o.value)
            values += indent + QStringLiteral("    ") + namesOf(o).join(QLatin1Char('|')) + QStringLiteral(") ") +
                      completeAs(QString::fromLatin1(o.completes)) + QStringLiteral(" ;;\n");
    }
    QString out;
    if (!values.isEmpty())
        out += indent + QStringLiteral("case $prev in\n") + values + indent + QStringLiteral("esac\n");
    out += indent + QStringLiteral("if [[ $cur == -* ]]; then\n") + indent +
           QStringLiteral("    COMPREPLY=($(compgen -W '%1' -- \"$cur\")); return\n").arg(names.join(QLatin1Char(' '))) +
           indent + QStringLiteral("fi\n");
    return out + words;
}

} // namespace

QString optionHelpLine(const OptionHelp &o)
{
    const QString left = o.value ? QStringLiteral("%1 %2").arg(QLatin1String(o.name), QLatin1String(o.value))
                                 : QString::fromLatin1(o.name);
    const QString help = QString::fromUtf8(o.help).replace(QLatin1Char('\n'),
                                                           QLatin1Char('\n') + QString(kHelpColumn, QLatin1Char(' ')));
    return QStringLiteral("  ") + left.leftJustified(kHelpColumn - 3) + QLatin1Char(' ') + help + QLatin1Char('\n');
}

QString bashCompletion(const QString &program, const std::vector<OptionHelp> &options,
                       const std::vector<CompletionCommand> &commands)
{
    const QString function = QStringLiteral("_") + QString(program).replace(QLatin1Char('-'), QLatin1Char('_'));
    QString s = QStringLiteral("# bash completion for %1, made by %1 --bash-completion from its option tables\n"
                               "%2()\n{\n    local cur prev words cword\n    _init_completion || return\n")
                    .arg(program, function);
    if (commands.empty()) {
        s += optionsOrWords(options, QStringLiteral("    "));
    } else {
        QStringList first;
        for (const CompletionCommand &c : commands)
            first << c.name;
        for (const OptionHelp &o : options)
            first << namesOf(o);
        s += QStringLiteral("    if ((cword == 1)); then\n"
                            "        COMPREPLY=($(compgen -W '%1' -- \"$cur\")); return\n    fi\n"
                            "    case ${words[1]} in\n")
                 .arg(first.join(QLatin1Char(' ')));
        for (const CompletionCommand &c : commands)
            s += QStringLiteral("    %1)\n").arg(c.name) + optionsOrWords(c.options, QStringLiteral("        ")) +
                 QStringLiteral("        ;;\n");
        s += QStringLiteral("    esac\n");
    }
    return s + QStringLiteral("} &&\n    complete -F %1 %2\n").arg(function, program);
}

} // namespace ql708

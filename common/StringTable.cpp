// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/StringTable.h"

#include <QFile>
#include <QMap>
#include <QSet>
#include <QtGlobal>

namespace ql708 {

namespace {

Language g_language = Language::French;

void defaultErrorHandler(const QString &message)
{
#ifdef NDEBUG
    qCritical("string table: %s", qPrintable(message));
#else
    qFatal("string table: %s", qPrintable(message));
#endif
}

StringTableErrorHandler &errorHandler()
{
    static StringTableErrorHandler handler = defaultErrorHandler;
    return handler;
}

void reportError(const QString &message) { errorHandler()(message); }

QString indexKey(const QString &section, const QString &name) { return section + QLatin1Char('\t') + name; }

} // namespace

Language activeLanguage() { return g_language; }
void setActiveLanguage(Language lang) { g_language = lang; }

StringTableErrorHandler setStringTableErrorHandler(StringTableErrorHandler handler)
{
    StringTableErrorHandler previous = errorHandler();
    errorHandler() = handler ? std::move(handler) : defaultErrorHandler;
    return previous;
}

const QStringList &StringTable::sections()
{
    static const QStringList names = {
        QStringLiteral("caption"), QStringLiteral("hint"), QStringLiteral("font"),
        QStringLiteral("charset"), QStringLiteral("list"), QStringLiteral("other"),
        QStringLiteral("dialog"),  QStringLiteral("string")};
    return names;
}

bool StringTable::parse(const QString &source, QList<StringEntry> &out, QString *error)
{
    auto fail = [error](int line, const QString &why) {
        if (error)
            *error = QStringLiteral("line %1: %2").arg(line).arg(why);
        return false;
    };
    QSet<QString> seen;
    const QStringList lines = source.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() != 4 || f[0].isEmpty() || f[1].isEmpty())
            return fail(i + 1, QStringLiteral("expected 4 tab-separated fields"));
        if (!sections().contains(f[0]))
            return fail(i + 1, QStringLiteral("unknown section %1").arg(f[0]));
        if (seen.contains(indexKey(f[0], f[1])))
            return fail(i + 1, QStringLiteral("%1 %2 given twice").arg(f[0], f[1]));
        seen.insert(indexKey(f[0], f[1]));
        out.append({f[0], f[1], f[2], f[3]});
    }
    return true;
}

const StringTable &StringTable::of(const QString &window)
{
    static QMap<QString, StringTable> tables;
    auto it = tables.find(window);
    if (it != tables.end())
        return *it;
    StringTable t;
    t.m_window = window;
    QFile f(QStringLiteral(":/strings/%1.tsv").arg(window));
    QString error = QStringLiteral("no such table");
    if (!f.open(QIODevice::ReadOnly) || !parse(QString::fromUtf8(f.readAll()), t.m_entries, &error)) {
        t.m_entries.clear();
        reportError(window + QStringLiteral(": ") + error);
    }
    for (int i = 0; i < t.m_entries.size(); ++i)
        t.m_index.insert(indexKey(t.m_entries[i].section, t.m_entries[i].name), i);
    return *tables.insert(window, t);
}

const StringEntry *StringTable::find(const QString &section, const QString &name) const
{
    const auto it = m_index.constFind(indexKey(section, name));
    return it == m_index.constEnd() ? nullptr : &m_entries[*it];
}

QString StringTable::sectionText(const QString &section, const QString &name, Language lang) const
{
    if (const StringEntry *e = find(section, name))
        return e->text(lang);
    reportError(QStringLiteral("%1 has no %2 %3").arg(m_window, section, name));
    return name;
}

QString StringTable::text(const QString &key) const { return text(key, activeLanguage()); }

QString StringTable::text(const QString &key, Language lang) const
{
    return sectionText(QStringLiteral("string"), key, lang);
}

QString ids(const QString &window, const QString &key) { return StringTable::of(window).text(key); }

QStringList listItems(const QString &text) { return text.split(QLatin1String("\\n")); }

} // namespace ql708

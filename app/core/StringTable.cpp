#include "app/core/StringTable.h"

#include <QFile>
#include <QMap>

namespace ql708 {

namespace {
Language g_language = Language::French;
} // namespace

Language activeLanguage() { return g_language; }
void setActiveLanguage(Language lang) { g_language = lang; }

bool StringTable::parse(const QString &source, QList<StringEntry> &out, QString *error)
{
    const QStringList lines = source.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() != 4 || f[0].isEmpty() || f[1].isEmpty()) {
            if (error)
                *error = QStringLiteral("line %1: expected 4 tab-separated fields").arg(i + 1);
            return false;
        }
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
    const bool ok = f.open(QIODevice::ReadOnly) &&
                    parse(QString::fromUtf8(f.readAll()), t.m_entries, &error);
    Q_ASSERT_X(ok, "StringTable", qPrintable(window + QStringLiteral(": ") + error));
    if (!ok)
        t.m_entries.clear();
    for (int i = 0; i < t.m_entries.size(); ++i)
        if (t.m_entries[i].section == QLatin1String("string"))
            t.m_strings.insert(t.m_entries[i].name, i);
    return *tables.insert(window, t);
}

QString StringTable::text(const QString &key) const { return text(key, activeLanguage()); }

QString StringTable::text(const QString &key, Language lang) const
{
    const auto it = m_strings.constFind(key);
    Q_ASSERT_X(it != m_strings.constEnd(), "StringTable",
               qPrintable(m_window + QStringLiteral(" has no ") + key));
    if (it == m_strings.constEnd())
        return {};
    return m_entries[*it].text(lang);
}

QString ids(const QString &window, const QString &key) { return StringTable::of(window).text(key); }

} // namespace ql708

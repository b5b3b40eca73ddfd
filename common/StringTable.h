// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <functional>

namespace ql708 {

enum class Language { English = 1, French = 2 };

Language activeLanguage();
// Sets the one language of the whole program (widgets follow through the dispatcher).
void setActiveLanguage(Language lang);

// One entry of a window's table: which property of which control, in both languages.
struct StringEntry {
    QString section; // caption, hint, font, charset, list, other, dialog, string
    QString name;    // control name, "control.Property" for "other", the IDS_ key for strings
    QString english;
    QString french;
    const QString &text(Language lang) const { return lang == Language::English ? english : french; }
};

// Called when code asks for a text that no table holds, or a table cannot be read: a
// programming error. The default handler logs it and, in debug builds, aborts; tests
// install one that fails the test.
using StringTableErrorHandler = std::function<void(const QString &message)>;
// Installs a handler (an empty one restores the default) and returns the previous one.
StringTableErrorHandler setStringTableErrorHandler(StringTableErrorHandler handler);

// A window's texts in English and French, read from the tables compiled into the program
// (resource ":/strings/<window>.tsv"). Each window has its own table: keys are local to it.
class StringTable {
public:
    static const QStringList &sections();

    // The table of a window ("frmMain", "frmGraph", ...), loaded once.
    static const StringTable &of(const QString &window);

    // Parses table text: one entry a line, section TAB name TAB English TAB French;
    // blank lines and lines starting with '#' are skipped. Returns false on a malformed
    // line, an unknown section or an entry given twice.
    static bool parse(const QString &source, QList<StringEntry> &out, QString *error = nullptr);

    // The text of a strings-section key in the active language, as stored.
    // A missing key is reported to the error handler and gives the key itself.
    QString text(const QString &key) const;
    QString text(const QString &key, Language lang) const;
    // The text of any section's entry, e.g. ("dialog", "Confirm"); missing: as for text().
    QString sectionText(const QString &section, const QString &name, Language lang) const;
    const StringEntry *find(const QString &section, const QString &name) const;

    const QString &window() const { return m_window; }
    const QList<StringEntry> &entries() const { return m_entries; }

private:
    QString m_window;
    QList<StringEntry> m_entries;
    QHash<QString, int> m_index; // section + '\t' + name -> entry
};

// Shorthand for StringTable::of(window).text(key).
QString ids(const QString &window, const QString &key);

// The items of a "list" entry: one text holds them all, separated by the two characters
// backslash and n.
QStringList listItems(const QString &text);

} // namespace ql708

#pragma once

#include <QHash>
#include <QList>
#include <QString>

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

// A window's texts in English and French, read from the tables compiled into the program.
// Each window has its own table: keys are local to it.
class StringTable {
public:
    // The table of a window ("frmMain", "frmGraph", ...), loaded once.
    static const StringTable &of(const QString &window);

    // Parses table text: one entry a line, section TAB name TAB English TAB French;
    // blank lines and lines starting with '#' are skipped. Returns false on a malformed line.
    static bool parse(const QString &source, QList<StringEntry> &out, QString *error = nullptr);

    // The text of a strings-section key in the active language, as stored.
    // A missing key is a programming error: fatal in debug builds, empty text otherwise.
    QString text(const QString &key) const;
    QString text(const QString &key, Language lang) const;
    bool hasString(const QString &key) const { return m_strings.contains(key); }

    const QString &window() const { return m_window; }
    const QList<StringEntry> &entries() const { return m_entries; }

private:
    QString m_window;
    QList<StringEntry> m_entries;
    QHash<QString, int> m_strings;
};

// Shorthand for StringTable::of(window).text(key).
QString ids(const QString &window, const QString &key);

} // namespace ql708

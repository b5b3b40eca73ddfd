// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/StringTable.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

using namespace ql708;

namespace {

struct Fetch {
    QString where; // file:line
    QString table;
    QString key;
};

int lineOf(const QString &text, qsizetype pos) { return int(text.left(pos).count(QLatin1Char('\n'))) + 1; }

// Every IDS_ key a source file fetches, with the table it is fetched from. A key fetched
// through ids(...) or StringTable::of(...).text(...) names its table there, as a literal or as
// a name bound to one in the file; any other key belongs to the one table the file names.
// Keys whose table cannot be told are reported as problems.
QList<Fetch> fetchesIn(const QString &file, const QString &text, QStringList &problems)
{
    static const QRegularExpression binding(
        QStringLiteral(R"re((\w+)\s*[=({]\s*(?:QStringLiteral|QLatin1String|QString::fromLatin1|QString)?\s*\(?\s*"(frm\w+)")re"));
    static const QRegularExpression call(QStringLiteral(
        R"re(\b(?:ids|StringTable::of)\s*\(\s*(?:(?:QStringLiteral|QLatin1String|QString)\s*\(\s*)?("frm\w+"|\w+)\s*\)?\s*(?:,|\)?\s*\.\s*text\s*\()\s*(?:(?:QStringLiteral|QLatin1String|QString)\s*\(\s*)?"(IDS_\d+)")re"));
    static const QRegularExpression keyLiteral(QStringLiteral(R"re("(IDS_\d+)")re"));
    static const QRegularExpression tableLiteral(QStringLiteral(R"re("(frm\w+)")re"));

    QHash<QString, QString> bound;
    for (const auto &m : binding.globalMatch(text))
        bound.insert(m.captured(1), m.captured(2));
    QSet<QString> named;
    for (const auto &m : tableLiteral.globalMatch(text))
        named.insert(m.captured(1));

    QList<Fetch> out;
    QSet<qsizetype> placed;
    for (const auto &m : call.globalMatch(text)) {
        const QString arg = m.captured(1);
        const QString table = arg.startsWith(QLatin1Char('"')) ? arg.mid(1, arg.size() - 2) : bound.value(arg);
        const QString where = QStringLiteral("%1:%2").arg(file).arg(lineOf(text, m.capturedStart(2)));
        if (table.isEmpty())
            problems << where + QStringLiteral(": table name %1 not bound in the file").arg(arg);
        else
            out.append({where, table, m.captured(2)});
        placed.insert(m.capturedStart(2));
    }
    for (const auto &m : keyLiteral.globalMatch(text)) {
        if (placed.contains(m.capturedStart(1)))
            continue;
        const QString where = QStringLiteral("%1:%2").arg(file).arg(lineOf(text, m.capturedStart(1)));
        if (named.size() == 1)
            out.append({where, *named.cbegin(), m.captured(1)});
        else
            problems << where + QStringLiteral(": cannot tell which table %1 is fetched from").arg(m.captured(1));
    }
    return out;
}

// Source files of the program and of other tests; build trees and this folder (which asks
// for missing keys on purpose) are left out.
QStringList sourceFiles(const QString &root)
{
    QStringList files;
    QDirIterator it(root, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    const QDir base(root);
    while (it.hasNext()) {
        const QString rel = base.relativeFilePath(it.next());
        const QString top = rel.section(QLatin1Char('/'), 0, 0);
        if (top.startsWith(QLatin1String("build")) || top.startsWith(QLatin1Char('.')) ||
            rel.startsWith(QLatin1String("tests/app_strings/")))
            continue;
        files << rel;
    }
    return files;
}

QStringList tableNames()
{
    QStringList names;
    for (const QString &f : QDir(QStringLiteral(":/strings")).entryList({QStringLiteral("*.tsv")}))
        names << f.chopped(4);
    return names;
}

} // namespace

class tst_StringTables : public QObject {
    Q_OBJECT
    QStringList m_errors;

private slots:
    void initTestCase()
    {
        setStringTableErrorHandler([this](const QString &m) { m_errors << m; });
    }
    void init() { setActiveLanguage(Language::French); }
    void cleanup()
    {
        QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(QLatin1Char('\n'))));
    }

    void keysAreLocalToTheirWindow()
    {
        const QString mainText = ids(QStringLiteral("frmMain"), QStringLiteral("IDS_11"));
        const QString graphText = ids(QStringLiteral("frmGraph"), QStringLiteral("IDS_11"));
        QCOMPARE_NE(mainText, graphText);
        setActiveLanguage(Language::English);
        QCOMPARE(ids(QStringLiteral("frmMain"), QStringLiteral("IDS_11")),
                 QStringLiteral("Do you want to save the Real-Time graph ?"));
        QCOMPARE(ids(QStringLiteral("frmGraph"), QStringLiteral("IDS_11")), QStringLiteral("Save DataLogger Data ?"));
    }

    void textsAreReturnedAsStored()
    {
        setActiveLanguage(Language::English);
        QCOMPARE(ids(QStringLiteral("frmMain"), QStringLiteral("IDS_12")), QStringLiteral(" is not valid.\\n"));
        QCOMPARE(ids(QStringLiteral("frmMain"), QStringLiteral("IDS_78")),
                 QStringLiteral("There was error,please try again!   error code="));
    }

    void everyTableIsComplete_data()
    {
        QTest::addColumn<QString>("table");
        const QStringList names = tableNames();
        QVERIFY(names.contains(QStringLiteral("frmMain")) && names.contains(QStringLiteral("frmGraph")));
        for (const QString &n : names)
            QTest::newRow(qPrintable(n)) << n;
    }
    void everyTableIsComplete()
    {
        QFETCH(QString, table);
        const StringTable &t = StringTable::of(table);
        QVERIFY(!t.entries().isEmpty());
        for (const StringEntry &e : t.entries()) {
            const QString what = e.section + QLatin1Char(' ') + e.name;
            // Control texts may leave one language as it is; messages and box captions may not.
            const bool fetched = e.section == QLatin1String("string") || e.section == QLatin1String("dialog");
            QVERIFY2(!e.english.isEmpty() || !e.french.isEmpty(), qPrintable(what));
            QVERIFY2(!fetched || (!e.english.isEmpty() && !e.french.isEmpty()), qPrintable(what));
            if (fetched)
                QVERIFY2(e.section == QLatin1String("dialog") || QRegularExpression(QStringLiteral("^IDS_\\d+$")).match(e.name).hasMatch(),
                         qPrintable(what));
        }
    }

    // French texts once lost letters to question marks and misspelt "réel"; file filters lost
    // their patterns.
    void frenchTextsAreWhole()
    {
        static const QRegularExpression lostLetter(QStringLiteral("\\S\\?|\\?\\S"));
        for (const QString &name : tableNames()) {
            for (const StringEntry &e : StringTable::of(name).entries()) {
                const QString what = name + QLatin1Char(' ') + e.name + QStringLiteral(": ") + e.french;
                QVERIFY2(!lostLetter.match(e.french).hasMatch(), qPrintable(what));
                QVERIFY2(!e.french.contains(QStringLiteral("réél")), qPrintable(what));
                if (!e.english.contains(QLatin1Char('|')))
                    continue;
                const QStringList en = e.english.split(QLatin1Char('|')), fr = e.french.split(QLatin1Char('|'));
                QCOMPARE(fr.size(), en.size());
                for (int i = 1; i < en.size(); i += 2)
                    QVERIFY2(fr[i] == en[i].trimmed(), qPrintable(what));
            }
        }
        const StringTable &main = StringTable::of(QStringLiteral("frmMain"));
        const QString loading = main.text(QStringLiteral("IDS_76"), Language::French);
        QCOMPARE_NE(main.text(QStringLiteral("IDS_79"), Language::French), loading);
        QCOMPARE_NE(main.text(QStringLiteral("IDS_93"), Language::French), loading);
        QCOMPARE(main.sectionText(QStringLiteral("dialog"), QStringLiteral("No To All"), Language::French),
                 QStringLiteral("N&on pour tout"));
    }

    void everyFetchedKeyExists()
    {
        const QString root = QStringLiteral(QL708_SOURCE_DIR);
        QStringList problems;
        QList<Fetch> fetches;
        for (const QString &rel : sourceFiles(root)) {
            QFile f(root + QLatin1Char('/') + rel);
            QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(rel));
            fetches += fetchesIn(rel, QString::fromUtf8(f.readAll()), problems);
        }
        const QStringList tables = tableNames();
        for (const Fetch &fe : std::as_const(fetches)) {
            if (!tables.contains(fe.table))
                problems << fe.where + QStringLiteral(": no table ") + fe.table;
            else if (!StringTable::of(fe.table).find(QStringLiteral("string"), fe.key))
                problems << fe.where + QStringLiteral(": %1 has no %2").arg(fe.table, fe.key);
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
        // The main window's connection texts prove the scan reads the code at all.
        QVERIFY(std::any_of(fetches.cbegin(), fetches.cend(), [](const Fetch &fe) {
            return fe.table == QLatin1String("frmMain") && fe.key == QLatin1String("IDS_87");
        }));
    }

    void scanFindsEveryFormOfFetch_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("found"); // table/key, ...
        QTest::addColumn<int>("problems");
        QTest::newRow("literal") << R"(ids(QStringLiteral("frmA"), QStringLiteral("IDS_1"));)" << "frmA/IDS_1" << 0;
        QTest::newRow("bound name") << "const QString kT = QStringLiteral(\"frmB\");\n"
                                       "x = ids(kT, QStringLiteral(\"IDS_2\")); y = StringTable::of(kT).text(QStringLiteral(\"IDS_3\"));"
                                    << "frmB/IDS_2,frmB/IDS_3" << 0;
        QTest::newRow("of literal")
            << R"(StringTable::of(QStringLiteral("frmC")).text(QStringLiteral("IDS_4"), lang);)" << "frmC/IDS_4" << 0;
        QTest::newRow("helper of one table")
            << "QString tr(const char *k) { return ids(QStringLiteral(\"frmD\"), QString::fromLatin1(k)); }\n"
               "tr(\"IDS_5\");"
            << "frmD/IDS_5" << 0;
        QTest::newRow("two tables, helper") << "a(\"frmE\"); b(\"frmF\"); tr(\"IDS_6\");" << "" << 1;
        QTest::newRow("unbound name") << R"(ids(table, QStringLiteral("IDS_7"));)" << "" << 1;
    }
    void scanFindsEveryFormOfFetch()
    {
        QFETCH(QString, code);
        QFETCH(QString, found);
        QFETCH(int, problems);
        QStringList reported;
        QStringList got;
        for (const Fetch &fe : fetchesIn(QStringLiteral("x.cpp"), code, reported))
            got << fe.table + QLatin1Char('/') + fe.key;
        QCOMPARE(got.join(QLatin1Char(',')), found);
        QCOMPARE(reported.size(), problems);
    }

    void parseRejectsBrokenTables_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("entries");
        QTest::newRow("good, CRLF, comments") << "# c\r\n\r\ncaption\tA\tx\ty\r\nstring\tIDS_1\t\tz\r\n" << true << 2;
        QTest::newRow("three fields") << "caption\tA\tx\n" << false << 0;
        QTest::newRow("five fields") << "caption\tA\tx\ty\tz\n" << false << 0;
        QTest::newRow("no name") << "caption\t\tx\ty\n" << false << 0;
        QTest::newRow("unknown section") << "caption\tA\tx\ty\ntitle\tB\tx\ty\n" << false << 1;
        QTest::newRow("given twice") << "string\tIDS_1\tx\ty\nstring\tIDS_1\tu\tv\n" << false << 1;
    }
    void parseRejectsBrokenTables()
    {
        QFETCH(QString, source);
        QFETCH(bool, ok);
        QFETCH(int, entries);
        QList<StringEntry> out;
        QString error;
        QCOMPARE(StringTable::parse(source, out, &error), ok);
        QCOMPARE(out.size(), entries);
        QCOMPARE(error.isEmpty(), ok);
    }

    void missingKeysAndTablesAreReported()
    {
        QCOMPARE(ids(QStringLiteral("frmMain"), QStringLiteral("IDS_99999")), QStringLiteral("IDS_99999"));
        QCOMPARE(m_errors.size(), 1);
        QVERIFY(m_errors[0].contains(QLatin1String("frmMain")) && m_errors[0].contains(QLatin1String("IDS_99999")));
        QVERIFY(StringTable::of(QStringLiteral("frmNoSuchWindow")).entries().isEmpty());
        QCOMPARE(m_errors.size(), 2);
        m_errors.clear();
    }

    void listItemsSplitAtBackslashN()
    {
        QCOMPARE(listItems(QStringLiteral("a\\nb c\\n\\nd")), (QStringList{"a", "b c", "", "d"}));
        const StringEntry *e = StringTable::of(QStringLiteral("frmLEQ")).find(QStringLiteral("list"), QStringLiteral("cmbTimeSelect"));
        QVERIFY(e);
        QCOMPARE(listItems(e->english).size(), 10);
        QCOMPARE(listItems(e->french).size(), 10);
    }
};

QTEST_GUILESS_MAIN(tst_StringTables)
#include "tst_StringTables.moc"

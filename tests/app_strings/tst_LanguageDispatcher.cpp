// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TfrmAbout.h"
#include "app/TfrmMain.h"
#include "common/Paths.h"
#include "graph/TfrmAnnoEdit.h"
#include "graph/TfrmDateTime.h"
#include "graph/TfrmDelAnno.h"
#include "graph/TfrmGraph.h"
#include "graph/TfrmIndicators.h"
#include "graph/TfrmList.h"
#include "leq/TfrmLEQ.h"
#include "meter/TfrmSetup.h"
#include "panel/TfrmPanel.h"
#include "realtime/TfrmSetupRealTime.h"
#include "widgets/LanguageDispatcher.h"
#include "widgets/MessageBoxes.h"
#include "widgets/ModalRunner.h"
#include "widgets/TfrmOpenSave.h"
#include "widgets/TfrmScope.h"
#include "tests/support/ScriptedLink.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QVBoxLayout>
#include <QtTest>
#include <functional>
#include <memory>

using namespace ql708;

namespace {

// The window of the test table (tables/testWindow.tsv), one control of every kind.
struct TestWindow : QWidget {
    QPushButton *btnA = add<QPushButton>("btnA");
    QLabel *lblEnglishOnly = add<QLabel>("lblEnglishOnly");
    QLabel *lblFrenchOnly = add<QLabel>("lblFrenchOnly");
    QGroupBox *grpBox = add<QGroupBox>("grpBox");
    QComboBox *cmbItems = add<QComboBox>("cmbItems");
    QListWidget *lstItems = add<QListWidget>("lstItems");
    QTableWidget *gridHead = add<QTableWidget>("gridHead");
    QLineEdit *edtValue = add<QLineEdit>("edtValue");
    QAction *actItem = nullptr;

    TestWindow()
    {
        setObjectName(QStringLiteral("testWindow"));
        auto *menu = new QMenu(this);
        actItem = menu->addAction(QString());
        actItem->setObjectName(QStringLiteral("actItem"));
        cmbItems->addItems({"1", "2", "3"});
        cmbItems->setCurrentIndex(1);
        lstItems->addItems({"1", "2"});
        gridHead->setColumnCount(2); // fewer columns than the list has
        lblEnglishOnly->setText(QStringLiteral("as laid out"));
        lblFrenchOnly->setText(QStringLiteral("as laid out"));
    }
    template <class W> W *add(const char *name)
    {
        auto *w = new W(this);
        w->setObjectName(QString::fromLatin1(name));
        return w;
    }
};

QString captionOf(QObject *o)
{
    if (auto *a = qobject_cast<QAction *>(o))
        return a->text();
    if (auto *m = qobject_cast<QMenu *>(o))
        return m->title();
    return qobject_cast<QWidget *>(o)->windowTitle();
}

// The words a caption entry puts on a control, as the control shows them.
QString shownCaption(QObject *o)
{
    if (auto *b = qobject_cast<QAbstractButton *>(o))
        return b->text();
    if (auto *l = qobject_cast<QLabel *>(o))
        return l->text();
    if (auto *g = qobject_cast<QGroupBox *>(o))
        return g->title();
    return captionOf(o);
}

QString shownHint(QObject *o)
{
    if (auto *a = qobject_cast<QAction *>(o))
        return a->toolTip();
    return qobject_cast<QWidget *>(o)->toolTip();
}

// Every window and dialog with a table of its own, as it is right after it opens.
using WindowMaker = std::function<QWidget *(MeterLink &)>;
QMap<QString, WindowMaker> windowsByTable()
{
    return {
        {QStringLiteral("frmAbout"), [](MeterLink &) { return new TfrmAbout; }},
        {QStringLiteral("frmAnnoEdit"), [](MeterLink &) { return new graph::TfrmAnnoEdit; }},
        {QStringLiteral("frmDateTime"), [](MeterLink &) { return new graph::TfrmDateTime; }},
        {QStringLiteral("frmDelAnno"), [](MeterLink &) { return new graph::TfrmDelAnno({}, {}); }},
        {QStringLiteral("frmGraph"), [](MeterLink &) { return new graph::TfrmGraph; }},
        {QStringLiteral("frmIndicators"), [](MeterLink &) { return new graph::TfrmIndicators; }},
        {QStringLiteral("frmLEQ"), [](MeterLink &m) { return new leq::TfrmLEQ(m); }},
        {QStringLiteral("frmList"), [](MeterLink &) { return new graph::TfrmList; }},
        {QStringLiteral("frmMain"), [](MeterLink &m) { return new TfrmMain(m.hid()); }},
        {QStringLiteral("frmOpenSave"), [](MeterLink &) { return new TfrmOpenSave; }},
        {QStringLiteral("frmPanel"), [](MeterLink &) { return new TfrmPanel; }},
        {QStringLiteral("frmScope"), [](MeterLink &) { return new TfrmScope; }},
        {QStringLiteral("frmSetup"), [](MeterLink &m) { return new TfrmSetup(m); }},
        {QStringLiteral("frmSetupRealTime"), [](MeterLink &) { return new realtime::TfrmSetupRealTime; }},
    };
}

// The entries of a table that name a control rather than a text the code fetches.
bool namesAControl(const StringEntry &e)
{
    return e.section != QLatin1String("string") && e.section != QLatin1String("dialog");
}

} // namespace

class tst_LanguageDispatcher : public QObject {
    Q_OBJECT
    QStringList m_errors;
    QTemporaryDir m_root;

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        paths::setTestRoot(m_root.path());
        setStringTableErrorHandler([this](const QString &m) { m_errors << m; });
    }
    void init() { LanguageDispatcher::instance().setLanguage(Language::French); }
    void cleanup()
    {
        setModalHandler({});
        QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(QLatin1Char('\n'))));
    }

    void everySectionReachesItsControl()
    {
        TestWindow w;
        LanguageDispatcher::instance().attach(&w, QStringLiteral("testWindow"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Fenêtre de test"));
        QCOMPARE(w.btnA->text(), QStringLiteral("Alpha-fr"));
        QCOMPARE(w.btnA->toolTip(), QStringLiteral("Appuyer sur A"));
        QCOMPARE(w.grpBox->title(), QStringLiteral("Groupe"));
        QCOMPARE(w.actItem->text(), QStringLiteral("Élément"));
        QCOMPARE(w.font().families().value(0), platformFontFamily(QStringLiteral("Tahoma")));
        QCOMPARE(w.property("fontCharset").toString(), QStringLiteral("ANSI_CHARSET"));
        QCOMPARE(w.edtValue->text(), QStringLiteral("tapé"));
        QCOMPARE(w.edtValue->placeholderText(), QStringLiteral("vide"));
        QCOMPARE(w.lstItems->item(1)->text(), QStringLiteral("vert"));
        QCOMPARE(w.gridHead->columnCount(), 2);
        QCOMPARE(w.gridHead->horizontalHeaderItem(1)->text(), QStringLiteral("b-fr"));

        // A list changes its words, not the choice, and tells no handler about it.
        QSignalSpy changed(w.cmbItems, &QComboBox::currentIndexChanged);
        LanguageDispatcher::instance().setLanguage(Language::English);
        QCOMPARE(w.cmbItems->currentText(), QStringLiteral("two"));
        QCOMPARE(changed.size(), 0);
        QCOMPARE(w.font().families().value(0), platformFontFamily(QStringLiteral("MS Sans Serif")));
        QCOMPARE(w.btnA->toolTip(), QStringLiteral("Press A"));
    }

    void emptyTextLeavesPropertyUnchanged()
    {
        TestWindow w;
        LanguageDispatcher::instance().attach(&w, QStringLiteral("testWindow"));
        QCOMPARE(w.lblEnglishOnly->text(), QStringLiteral("as laid out"));
        QCOMPARE(w.lblFrenchOnly->text(), QStringLiteral("Français seulement"));
        w.lblEnglishOnly->setText(QStringLiteral("set at run time"));
        LanguageDispatcher::instance().setLanguage(Language::French);
        QCOMPARE(w.lblEnglishOnly->text(), QStringLiteral("set at run time"));
        LanguageDispatcher::instance().setLanguage(Language::English);
        QCOMPARE(w.lblEnglishOnly->text(), QStringLiteral("English only"));
        QCOMPARE(w.lblFrenchOnly->text(), QStringLiteral("Français seulement"));
        QCOMPARE(w.edtValue->placeholderText(), QStringLiteral("vide"));
    }

    // A dialog the window owns and an MDI child have their own tables.
    void otherWindowsKeepTheirControls()
    {
        TestWindow w;
        auto *dialog = new QDialog(&w);
        auto *dialogButton = new QPushButton(QStringLiteral("mine"), dialog);
        dialogButton->setObjectName(QStringLiteral("btnA"));
        auto *mdi = new QMdiArea(&w);
        auto *child = new QLabel(QStringLiteral("mine"));
        child->setObjectName(QStringLiteral("lblFrenchOnly"));
        mdi->addSubWindow(child);
        LanguageDispatcher::instance().attach(&w, QStringLiteral("testWindow"));
        QCOMPARE(dialogButton->text(), QStringLiteral("mine"));
        QCOMPARE(child->text(), QStringLiteral("mine"));
        QCOMPARE(w.btnA->text(), QStringLiteral("Alpha-fr"));
    }

    void windowAttachedAfterSwitchUsesActiveLanguage()
    {
        LanguageDispatcher::instance().setLanguage(Language::English);
        auto *about = new TfrmAbout;
        QCOMPARE(about->windowTitle(), QStringLiteral("About Sondrix For Sound Level Meter"));
        TestWindow w;
        LanguageDispatcher::instance().attach(&w, QStringLiteral("testWindow"));
        QCOMPARE(w.btnA->text(), QStringLiteral("Alpha"));
        LanguageDispatcher::instance().setLanguage(Language::French);
        QCOMPARE(about->windowTitle(), QStringLiteral("À propos de Sondrix pour sonomètre"));
        QCOMPARE(about->Label3()->text(), QStringLiteral("Logiciel Sonomètre"));
        delete about;
        LanguageDispatcher::instance().setLanguage(Language::English); // a closed window is dropped
    }

    void mainWindowSwitchesBackAndForth()
    {
        test::ScriptedLink link;
        TfrmMain main(link);
        const StringTable &table = StringTable::of(QStringLiteral("frmMain"));
        auto checkCaptions = [&](Language lang) {
            for (const StringEntry &e : table.entries()) {
                if (e.section != QLatin1String("caption") && e.section != QLatin1String("hint"))
                    continue;
                QObject *o = e.name == main.objectName() ? &main : main.findChild<QObject *>(e.name);
                QVERIFY2(o, qPrintable(e.name));
                const QString shown = e.section == QLatin1String("hint") ? qobject_cast<QAction *>(o)->toolTip()
                                                                          : captionOf(o);
                QVERIFY2(shown == e.text(lang), qPrintable(e.name + QStringLiteral(": ") + shown));
            }
        };
        checkCaptions(Language::French);
        QCOMPARE(main.statusBar()->font().families().value(0), platformFontFamily(QStringLiteral("Tahoma")));

        main.setWindowTitle(QStringLiteral("changed at run time"));
        main.English1Click();
        checkCaptions(Language::English);
        QVERIFY(main.English1()->isChecked() && !main.French1()->isChecked());
        QCOMPARE(main.statusBar()->font().families().value(0),
                 platformFontFamily(QStringLiteral("Microsoft JhengHei UI")));
        QCOMPARE(main.findChild<QToolBar *>(QStringLiteral("Panel1"))->font().families().value(0),
                 platformFontFamily(QStringLiteral("MS Sans Serif")));

        main.setWindowTitle(QStringLiteral("changed again"));
        main.French1Click();
        checkCaptions(Language::French);
        QCOMPARE(main.windowTitle(), QStringLiteral("QL708"));
        QVERIFY(main.French1()->isChecked() && !main.English1()->isChecked());
    }

    // A table entry whose control was renamed is skipped without a word: every window is
    // held against its table, in both languages, so the renaming fails here instead.
    void everyWindowMatchesItsTable_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<Language>("lang");
        const QMap<QString, WindowMaker> windows = windowsByTable();
        for (const QString &f : QDir(QStringLiteral(":/strings")).entryList({QStringLiteral("*.tsv")})) {
            const QString table = f.chopped(4);
            if (table == QLatin1String("testWindow"))
                continue;
            const QList<StringEntry> &entries = StringTable::of(table).entries();
            const bool forControls = std::any_of(entries.cbegin(), entries.cend(), namesAControl);
            // A table of texts only (printed pages) belongs to no window.
            QVERIFY2(!forControls || windows.contains(table), qPrintable(table + QStringLiteral(" has no window here")));
            if (!forControls)
                continue;
            for (Language lang : {Language::English, Language::French})
                QTest::addRow("%s %s", qPrintable(table), lang == Language::English ? "en" : "fr") << table << lang;
        }
        QVERIFY(windows.contains(QStringLiteral("frmGraph")) && windows.contains(QStringLiteral("frmMain")));
    }
    void everyWindowMatchesItsTable()
    {
        QFETCH(QString, table);
        QFETCH(Language, lang);
        LanguageDispatcher::instance().setLanguage(lang);
        test::ScriptedLink hid;
        MeterLink meter(hid);
        const std::unique_ptr<QWidget> window(windowsByTable().value(table)(meter));
        QStringList wrong;
        for (const StringEntry &e : StringTable::of(table).entries()) {
            if (!namesAControl(e))
                continue;
            const bool other = e.section == QLatin1String("other");
            const QString name = other ? e.name.section(QLatin1Char('.'), 0, 0) : e.name;
            QObject *o = findTableControl(window.get(), name);
            const QString what = e.section + QLatin1Char(' ') + e.name;
            if (!o) {
                wrong << what + QStringLiteral(": no such control");
                continue;
            }
            const QString text = e.text(lang);
            QString shown = text;
            if (other)
                shown = o->property(e.name.section(QLatin1Char('.'), 1).toLatin1().constData()).toString();
            else if (e.section == QLatin1String("caption"))
                shown = shownCaption(o);
            else if (e.section == QLatin1String("hint"))
                shown = shownHint(o);
            // An empty text leaves the control as it is laid out.
            if (!text.isEmpty() && shown != text)
                wrong << what + QStringLiteral(": shows \"%1\", not \"%2\"").arg(shown, text);
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
    }

    void fontsFallBackToWhatTheSystemHas()
    {
        const QStringList available = QFontDatabase::families();
        const QString general = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
        for (const char *requested : {"MS Sans Serif", "Tahoma", "Microsoft JhengHei UI", "No Such Font 1234"}) {
            const QString family = platformFontFamily(QString::fromLatin1(requested));
            QVERIFY2(available.contains(family, Qt::CaseInsensitive) || family == general, qPrintable(family));
        }
        if (!available.isEmpty())
            QCOMPARE(platformFontFamily(available.first()), available.first());
    }

    void messageBoxesFollowTheLanguage_data()
    {
        QTest::addColumn<Language>("lang");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("buttons"); // Yes, No, Cancel, OK
        QTest::newRow("English") << Language::English << "Confirm" << QStringList{"&Yes", "&No", "Cancel", "OK"};
        QTest::newRow("French") << Language::French << "Confirmer" << QStringList{"&Oui", "&Non", "Annuler", "OK"};
    }
    void messageBoxesFollowTheLanguage()
    {
        QFETCH(Language, lang);
        QFETCH(QString, title);
        QFETCH(QStringList, buttons);
        LanguageDispatcher::instance().setLanguage(lang);
        QStringList seen;
        setModalHandler([&](QDialog &d) {
            auto &box = static_cast<QMessageBox &>(d);
            seen << box.windowTitle() << box.text();
            for (auto b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel, QMessageBox::Ok})
                if (box.button(b))
                    seen << box.button(b)->text();
            return int(QMessageBox::No);
        });
        const QString text = ids(QStringLiteral("frmMain"), QStringLiteral("IDS_10"));
        QCOMPARE(confirm(nullptr, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel), QMessageBox::No);
        QCOMPARE(seen.mid(0, 1), QStringList{title});
        QVERIFY(seen[1].endsWith(QLatin1Char('\n')) && !seen[1].contains(QLatin1String("\\n")));
        QCOMPARE(seen.mid(2), buttons.mid(0, 3));
        seen.clear();
        showMessage(nullptr, QStringLiteral("x"));
        QCOMPARE(seen, (QStringList{"QL708", "x", buttons[3]}));
    }

    void confirmAnswersOnlyWithOfferedButtons_data()
    {
        QTest::addColumn<int>("offered");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("expected");
        const int yn = QMessageBox::Yes | QMessageBox::No;
        const int ync = yn | QMessageBox::Cancel;
        QTest::newRow("yes") << yn << int(QMessageBox::Yes) << int(QMessageBox::Yes);
        QTest::newRow("closed, no cancel") << yn << 0 << int(QMessageBox::No);
        QTest::newRow("closed, cancel") << ync << 0 << int(QMessageBox::Cancel);
        QTest::newRow("not offered") << yn << int(QMessageBox::Cancel) << int(QMessageBox::No);
    }
    void confirmAnswersOnlyWithOfferedButtons()
    {
        QFETCH(int, offered);
        QFETCH(int, result);
        QFETCH(int, expected);
        setModalHandler([&](QDialog &) { return result; });
        QCOMPARE(int(confirm(nullptr, QStringLiteral("?"), QMessageBox::StandardButtons(offered))), expected);
    }
};

QTEST_MAIN(tst_LanguageDispatcher)
#include "tst_LanguageDispatcher.moc"

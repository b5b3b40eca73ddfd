// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TfrmMain.h"
#include "common/Paths.h"
#include "common/Settings.h"
#include "graph/GraphState.h"
#include "graph/GraphWindows.h"
#include "graph/TfrmGraph.h"
#include "common/StringTable.h"
#include "widgets/CloseQuery.h"
#include "widgets/LanguageDispatcher.h"
#include "widgets/ModalRunner.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScriptedLink.h"
#include "tests/data/ImageBuilder.h"
#include "graph/TfrmList.h"
#include "widgets/ToolIcons.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QScreen>
#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMessageBox>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

using namespace ql708;

namespace {

// A child window with unsaved work: it asks before it closes, and may refuse.
class Child : public QWidget, public CloseQuery {
public:
    bool refuse = false;
    int asked = 0;
    bool closed = false;

    bool FormCloseQuery() override
    {
        ++asked;
        return !refuse;
    }

protected:
    void closeEvent(QCloseEvent *e) override
    {
        if (!mayClose())
            return e->ignore();
        closed = true;
        e->accept();
    }
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { paths::setTestRoot({}); }
    void startsWithRateAndOffConnection();
    void pollShowsConnectionAndLoss();
    void exitAsksChildrenAndSavesRate_data();
    void exitAsksChildrenAndSavesRate();
    void graphWindowStaysWhenAnotherChildRefuses();
    void toolBarButtonsAreNamedByTheirHints();
    void filesFromOutside();
    void languageAndLayoutRemembered();
    void everyWindowShowsTheProgramIcon();
    void keyboardShortcutsAndAccelerators();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestMainWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    paths::setTestRoot(m_dir->path());
}

void TestMainWindow::startsWithRateAndOffConnection()
{
    test::FakeClock clock;
    test::ScriptedLink hid;
    TfrmMain w(hid);
    QCOMPARE(w.realTimeRate(), 0.2f);
    w.FormShow();
    QCOMPARE(w.statusText(1), QStringLiteral("Off Connection"));
    QVERIFY(w.MainTimer()->isActive());
    QCOMPARE(w.MainTimer()->interval(), 500);
    QVERIFY(!w.Setup1()->isVisible());
    QCOMPARE(w.dataFolder(), m_dir->path() + "/Documents/QL708/");
    QVERIFY(!w.Run1()->isEnabled());
    QVERIFY(!w.btnOutputToGraph()->isEnabled());
}

void TestMainWindow::pollShowsConnectionAndLoss()
{
    test::ScriptedLink hid;
    hid.answerLikeMeter();
    TfrmMain w(hid);
    w.MainTimerTimer();
    const QString connected = w.statusText(1);
    QVERIFY(!connected.isEmpty() && connected != QStringLiteral("Off Connection"));
    QVERIFY(w.meter().meterConnected());
    hid.devicePresent = false;
    for (int i = 0; i < 5; ++i)
        w.MainTimerTimer();
    QVERIFY(!w.meter().meterConnected());
    QVERIFY(w.statusText(1) != connected);
}

void TestMainWindow::exitAsksChildrenAndSavesRate_data()
{
    QTest::addColumn<QList<bool>>("refusals"); // one per child, in creation order
    QTest::newRow("child closes") << QList<bool>{false};
    QTest::newRow("child refuses") << QList<bool>{true};
    QTest::newRow("two children close") << QList<bool>{false, false};
    QTest::newRow("second refuses: the first stays open") << QList<bool>{false, true};
}

void TestMainWindow::exitAsksChildrenAndSavesRate()
{
    QFETCH(QList<bool>, refusals);
    test::ScriptedLink hid;
    TfrmMain w(hid);
    w.show();
    QList<QPointer<Child>> children;
    for (bool refuse : refusals) {
        auto *child = new Child;
        child->refuse = refuse;
        w.mdiArea()->addSubWindow(child)->show();
        children.append(child);
    }
    w.setRealTimeRate(5.0f);
    w.Exit1()->trigger();
    const bool refused = refusals.contains(true);
    for (const QPointer<Child> &child : children) {
        QVERIFY(child);
        QCOMPARE(child->asked, 1); // asked once, never again on the close that follows
        QCOMPARE(child->closed, !refused);
    }
    QCOMPARE(w.isVisible(), refused);
    QCOMPARE(settings::readRealTimeRate(), refused ? 0.2f : 5.0f);
    if (refused) { // a yes given before the refusal no longer holds
        children[0]->parentWidget()->close();
        QCOMPARE(children[0]->asked, 2);
    }
}

void TestMainWindow::graphWindowStaysWhenAnotherChildRefuses()
{
    test::FakeClock clock;
    test::ScriptedLink hid;
    TfrmMain w(hid);
    w.show();
    w.FormShow();
    graph::graphState().realTime.realTimeUnsaved = true;
    auto *child = new Child;
    child->refuse = true;
    w.mdiArea()->addSubWindow(child)->show();
    int questions = 0;
    setModalHandler([&](QDialog &) {
        ++questions;
        return int(QMessageBox::No);
    });
    w.Exit1()->trigger();
    setModalHandler({});
    QCOMPARE(questions, 1); // the real-time window asked about its points, then the child refused
    QCOMPARE(child->asked, 1);
    QVERIFY(graph::GraphWindows::instance().realTime);
    QVERIFY(graph::GraphWindows::instance().realTime->isVisible());
    QVERIFY(w.isVisible());
}

void TestMainWindow::toolBarButtonsAreNamedByTheirHints()
{
    test::ScriptedLink hid;
    TfrmMain w(hid);
    const StringTable &table = StringTable::of(QStringLiteral("frmMain"));
    QCOMPARE(w.Panel1()->actions().size(), 8);
    for (Language lang : {Language::English, Language::French}) {
        LanguageDispatcher::instance().setLanguage(lang);
        for (QAction *a : w.Panel1()->actions()) {
            QAccessibleInterface *button = QAccessible::queryAccessibleInterface(w.Panel1()->widgetForAction(a));
            QVERIFY(button);
            QCOMPARE(button->role(), QAccessible::Button);
            QCOMPARE(button->text(QAccessible::Name), table.sectionText(QStringLiteral("hint"), a->objectName(), lang));
        }
    }
}

namespace {
void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}
} // namespace

// Files from the command line, a drop and the recent list open as Open opens them; the list
// keeps the latest first and greys a file that went away.
void TestMainWindow::filesFromOutside()
{
    test::FakeClock clock;
    test::ScriptedLink hid;
    TfrmMain w(hid);
    w.resize(1000, 700);
    w.show();
    w.FormShow();
    const QString rec = m_dir->path() + "/site.rec", csv = m_dir->path() + "/table.csv";
    writeFile(rec, test::buildImage({test::steadyRecord(3)}));
    writeFile(csv, "time,level\r\n1,2\r\n");
    QStringList messages;
    setModalHandler([&](QDialog &d) {
        messages << d.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))->text();
        return int(QMessageBox::Ok);
    });
    w.openFiles({rec, m_dir->path() + "/missing.rec"});
    QVERIFY(graph::GraphWindows::instance().dataLogger);
    QCOMPARE(messages.size(), 1); // the missing file, told
    QVERIFY2(messages[0].contains("missing.rec"), qPrintable(messages[0]));

    // A drop opens the same way, once the drop is over.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(csv), QUrl::fromLocalFile(m_dir->path() + "/notes.doc")});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &drop);
    QTRY_VERIFY(!w.findChildren<graph::TfrmList *>().isEmpty());
    QCOMPARE(w.findChildren<graph::TfrmList *>().first()->windowTitle(), QDir::toNativeSeparators(csv));
    setModalHandler({});

    QCOMPARE(settings::readRecentFiles(), (QStringList{csv, rec}));
    QVERIFY(QFile::remove(csv));
    emit w.File1()->aboutToShow();
    const QList<QAction *> items = w.RecentFiles1()->actions();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items[0]->text(), QStringLiteral("&1 table.csv"));
    QVERIFY(!items[0]->isEnabled()); // gone: greyed
    QVERIFY(items[1]->isEnabled());
    QCOMPARE(items[1]->toolTip(), QDir::toNativeSeparators(rec));
    items[1]->trigger();
    QCOMPARE(settings::readRecentFiles().first(), rec);
    // A screen reader names the list, an item of File, in the language in force.
    for (const auto &[language, name] : {std::pair{Language::English, "Open Recent"}, {Language::French, "Ouvrir un fichier récent"}}) {
        LanguageDispatcher::instance().setLanguage(language);
        QAccessibleInterface *file = QAccessible::queryAccessibleInterface(w.File1());
        QVERIFY(file);
        QStringList names;
        for (int i = 0; i < file->childCount(); ++i)
            names << file->child(i)->text(QAccessible::Name);
        QVERIFY2(names.contains(QString::fromUtf8(name)), qPrintable(names.join('|')));
    }
    // A drop of files the program does not open is refused at once.
    QMimeData other;
    other.setUrls({QUrl::fromLocalFile(m_dir->path() + "/notes.doc")});
    QDragEnterEvent refused(QPoint(50, 50), Qt::CopyAction, &other, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &refused);
    QVERIFY(!refused.isAccepted());
}

// The language chosen, the window's place and size survive a restart; the first start is French.
void TestMainWindow::languageAndLayoutRemembered()
{
    test::FakeClock clock;
    test::ScriptedLink hid;
    QCOMPARE(settings::readLanguage(), Language::French);
    QRect placed;
    {
        TfrmMain w(hid);
        w.showAsRemembered();
        QVERIFY(w.isMaximized() || w.size() == QGuiApplication::primaryScreen()->availableGeometry().size());
        w.showNormal();
        w.setGeometry(40, 60, 900, 640);
        placed = w.geometry();
        w.English1Click();
        QVERIFY(w.close());
    }
    QCOMPARE(settings::readLanguage(), Language::English);
    TfrmMain again(hid);
    again.showAsRemembered();
    QCOMPARE(again.geometry().size(), placed.size());
    again.French1Click();
    QCOMPARE(settings::readLanguage(), Language::French);
    LanguageDispatcher::instance().setLanguage(Language::French);
}

void TestMainWindow::everyWindowShowsTheProgramIcon()
{
    test::FakeClock clock;
    test::ScriptedLink hid;
    TfrmMain w(hid);
    w.show();
    w.FormShow();
    const QIcon icon = programIcon();
    const QImage drawn = icon.pixmap(32, 32).toImage();
    QVERIFY(!drawn.isNull()); // the SVG plugin draws it
    QVERIFY(drawn.pixelColor(16, 16).alpha() > 0 || drawn.pixelColor(8, 8).alpha() > 0);
    QCOMPARE(QApplication::windowIcon().cacheKey(), icon.cacheKey());
    QCOMPARE(w.windowIcon().cacheKey(), icon.cacheKey());
    const QList<QMdiSubWindow *> children = w.mdiArea()->subWindowList();
    QVERIFY(children.size() >= 2); // the front panel and the real-time graph
    for (const QMdiSubWindow *c : children)
        QVERIFY2(c->windowIcon().cacheKey() == icon.cacheKey(), qPrintable(c->windowTitle()));
}

// Run, Stop, Load Data and LEQ have shortcuts of their own, none taken twice; each menu opens
// with a letter of its own in both languages.
void TestMainWindow::keyboardShortcutsAndAccelerators()
{
    test::FakeClock clock;
    test::ScriptedLink hid;
    TfrmMain w(hid);
    QCOMPARE(w.Run1()->shortcut(), QKeySequence(Qt::Key_F5));
    QCOMPARE(w.Stop1()->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F5));
    QCOMPARE(w.LoadData1()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
    QCOMPARE(w.LEQ1()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    QHash<QKeySequence, QString> taken;
    for (const QAction *a : w.findChildren<QAction *>()) {
        if (a->shortcut().isEmpty())
            continue;
        QVERIFY2(!taken.contains(a->shortcut()), qPrintable(a->objectName() + " and " + taken.value(a->shortcut())));
        taken.insert(a->shortcut(), a->objectName());
    }
    for (const Language language : {Language::English, Language::French}) {
        LanguageDispatcher::instance().setLanguage(language);
        QSet<QChar> letters;
        for (const QAction *a : w.menuBar()->actions()) {
            if (!a->isVisible())
                continue;
            const QString t = a->text();
            const qsizetype amp = t.indexOf('&');
            QVERIFY2(amp >= 0 && amp + 1 < t.size(), qPrintable(t));
            QVERIFY2(!letters.contains(t[amp + 1].toLower()), qPrintable(t));
            letters.insert(t[amp + 1].toLower());
        }
        QVERIFY(letters.size() >= 7);
    }
    LanguageDispatcher::instance().setLanguage(Language::French);
}

QTEST_MAIN(TestMainWindow)
#include "tst_MainWindow.moc"

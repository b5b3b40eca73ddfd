// SPDX-License-Identifier: GPL-3.0-or-later
#include "realtime/TfrmSetupRealTime.h"
#include "common/Paths.h"
#include "widgets/LanguageDispatcher.h"
#include "widgets/ModalRunner.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace ql708;
using realtime::TfrmSetupRealTime;

class TestTfrmSetupRealTime : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void periodFollowsTheFields();
    void boxTextSelectsItsEntry_data();
    void boxTextSelectsItsEntry();
    void controlsAreNamedInBothLanguages();
    void dailyFilesFolderField();
    void typedFolder_data();
    void typedFolder();
};

void TestTfrmSetupRealTime::periodFollowsTheFields()
{
    TfrmSetupRealTime d;
    d.setUp(QStringLiteral("2.0"), 2.0f);
    QCOMPARE(d.edtRealTimeNo()->text(), QStringLiteral("2000"));
    QCOMPARE(d.edtPeriod()->text(), QStringLiteral("1:6:40"));
    QVERIFY(d.edtPeriod()->isReadOnly());
    d.edtRealTimeNo()->setText(QStringLiteral(" 2000 "));
    QCOMPARE(d.edtPeriod()->text(), QStringLiteral("1:06:40"));
    d.txtRate()->setCurrentIndex(1);
    QCOMPARE(d.edtPeriod()->text(), QStringLiteral("0:33:20"));
    d.edtRealTimeNo()->setText(QStringLiteral("abc"));
    QCOMPARE(d.edtPeriod()->text(), QStringLiteral("0:00:00"));
    d.edtRealTimeNo()->setText(QStringLiteral("3600"));
    QCOMPARE(d.edtPeriod()->text(), QStringLiteral("1:00:00"));
    // A typed rate counts as it is typed; one that is no number leaves the period as it was.
    d.txtRate()->setEditText(QStringLiteral("0.25"));
    QCOMPARE(d.edtPeriod()->text(), QStringLiteral("0:15:00"));
    d.txtRate()->setEditText(QStringLiteral("fast"));
    QCOMPARE(d.edtPeriod()->text(), QStringLiteral("0:15:00"));
}

void TestTfrmSetupRealTime::boxTextSelectsItsEntry_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("firstEntry");
    QTest::addColumn<QString>("period");
    QTest::newRow("0.5") << "en_US" << "0.5" << 0 << "0.5" << "0:16:40";
    QTest::newRow("30.0") << "en_US" << "30.0" << 6 << "0.5" << "16:40:0";
    QTest::newRow("French 2,0") << "fr_FR" << "2,0" << 2 << "0,5" << "1:6:40";
}

void TestTfrmSetupRealTime::boxTextSelectsItsEntry()
{
    QFETCH(QString, locale);
    QFETCH(QString, boxText);
    QLocale::setDefault(QLocale(locale));
    TfrmSetupRealTime d;
    d.setUp(boxText, 0.2f);
    QTEST(d.txtRate()->itemText(0), "firstEntry");
    QCOMPARE(d.txtRate()->count(), 7);
    QCOMPARE(d.txtRate()->currentText(), boxText);
    QTEST(d.txtRate()->currentIndex(), "entry");
    // Setting up is not a change by the user: no leading zeros. The period is the one at the
    // rate shown, which Start takes, not at the 0.2 s the list cannot show.
    QTEST(d.edtPeriod()->text(), "period");
}

void TestTfrmSetupRealTime::controlsAreNamedInBothLanguages()
{
    TfrmSetupRealTime d;
    QStringList english;
    for (Language lang : {Language::English, Language::French}) {
        LanguageDispatcher::instance().setLanguage(lang);
        // The rate list is named by its label as the desktop's screen readers take it: the
        // label's relation (its own name is the rate it shows).
        QAccessibleInterface *rate = QAccessible::queryAccessibleInterface(d.txtRate());
        const auto labels = rate->relations(QAccessible::Label);
        QVERIFY(std::any_of(labels.begin(), labels.end(), [&](const auto &r) {
            return r.first->text(QAccessible::Name) == d.Label3()->text();
        }));
        const QList<std::pair<QWidget *, QString>> named = {
            {d.edtRealTimeNo(), d.Label1()->text()}, {d.Label3(), d.Label3()->text()},
            {d.edtPeriod(), d.Label4()->text()},     {d.btnOpenSingleSet(), d.btnOpenSingleSet()->text()},
            {d.Button1(), d.Button1()->text()},      {d.Label2(), d.Label2()->text()},
            {d.Label5(), d.Label5()->text()},        {d.Label6(), d.Label6()->text()},
            {d.chkDailyFiles(), d.chkDailyFiles()->text()}, {d.edtDailyFolder(), d.lblDailyFolder()->text()},
            {d.btnBrowseFolder(), d.btnBrowseFolder()->text()}, {d.lblDailyFilesNote(), d.lblDailyFilesNote()->text()}};
        QStringList names;
        for (const auto &[widget, name] : named) {
            const QString got = QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
            QVERIFY2(!got.isEmpty(), qPrintable(widget->objectName()));
            QCOMPARE(got, name);
            names << got;
        }
        names << d.windowTitle();
        if (lang == Language::English) {
            english = names;
            QCOMPARE(d.windowTitle(), QStringLiteral("Real-Time Setup"));
            QCOMPARE(d.Label1()->text(), QStringLiteral("Real-Time data no to be recorded"));
        } else {
            QCOMPARE(d.Button1()->text(), QStringLiteral("Annuler"));
            QCOMPARE(d.lblDailyFolder()->text(), QStringLiteral("Dossier"));
            QVERIFY(names[0] != english[0] && names.last() != english.last());
        }
    }
}

// The folder starts as the data folder's monitor/; its field and Browse are on with the box only,
// and Browse starts at the folder typed and puts the one picked in the field.
void TestTfrmSetupRealTime::dailyFilesFolderField()
{
    QTemporaryDir root;
    paths::setTestRoot(root.path());
    TfrmSetupRealTime d;
    QCOMPARE(d.dailyFiles().on, false);
    QCOMPARE(d.dailyFiles().folder, QDir::cleanPath(paths::dataFolder() + QStringLiteral("/monitor")));
    QVERIFY(!d.edtDailyFolder()->isEnabled() && !d.btnBrowseFolder()->isEnabled());
    d.chkDailyFiles()->click();
    QVERIFY(d.edtDailyFolder()->isEnabled() && d.btnBrowseFolder()->isEnabled());

    const QString picked = root.filePath(QStringLiteral("picked"));
    QVERIFY(QDir().mkpath(picked));
    d.edtDailyFolder()->setText(root.path() + QStringLiteral("/typed"));
    QString startedAt;
    bool folders = false;
    setModalHandler([&](QDialog &dialog) {
        auto &files = static_cast<QFileDialog &>(dialog);
        startedAt = files.directory().absolutePath();
        folders = files.fileMode() == QFileDialog::Directory;
        files.selectFile(picked);
        return int(QDialog::Accepted);
    });
    d.btnBrowseFolder()->click();
    setModalHandler({});
    QVERIFY(folders);
    QCOMPARE(startedAt, root.path()); // the typed folder does not exist yet
    QCOMPARE(d.dailyFiles().folder, picked);
    QCOMPARE(d.dailyFiles().on, true);
    paths::setTestRoot({});
}

void TestTfrmSetupRealTime::typedFolder_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("folder"); // DATA: the data folder
    QTest::newRow("blanks around it") << "  /srv/noise  " << "/srv/noise";
    QTest::newRow("relative: in the data folder") << "site/mon" << "DATA/site/mon";
    QTest::newRow("home") << "~/mon/" << QDir::homePath() + "/mon";
    QTest::newRow("dots") << "/srv/a/../b" << "/srv/b";
    QTest::newRow("blanks only: none") << "   " << "";
}

void TestTfrmSetupRealTime::typedFolder()
{
    QFETCH(QString, typed);
    QFETCH(QString, folder);
    QTemporaryDir root;
    paths::setTestRoot(root.path());
    folder = QDir::cleanPath(folder.replace(QStringLiteral("DATA"), paths::dataFolder()));
    QCOMPARE(realtime::dailyFilesFolder(typed), folder);
    paths::setTestRoot({});
}

QTEST_MAIN(TestTfrmSetupRealTime)
#include "tst_TfrmSetupRealTime.moc"

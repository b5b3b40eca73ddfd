// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/LanguageDispatcher.h"
#include "widgets/ModalRunner.h"
#include "widgets/TfrmScope.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

using namespace ql708;

namespace {

QString accessibleName(QWidget *w)
{
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Name) : QString();
}

} // namespace

class TestTfrmScope : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { setModalHandler({}); }
    void rangeUseAnswersOkOrCancel_data();
    void rangeUseAnswersOkOrCancel();
    void progressCancelKeepsTheWindowOpen_data();
    void progressCancelKeepsTheWindowOpen();
    void namesFollowTheLanguage();
};

void TestTfrmScope::rangeUseAnswersOkOrCancel_data()
{
    QTest::addColumn<bool>("ok");
    QTest::newRow("OK") << true;
    QTest::newRow("Cancel") << false;
}

void TestTfrmScope::rangeUseAnswersOkOrCancel()
{
    QFETCH(bool, ok);
    TfrmScope scope;
    scope.useForRange(QStringLiteral("Save File"), QStringLiteral("1"), QStringLiteral("15"));
    QVERIFY(!scope.Progress1()->isVisibleTo(&scope));
    setModalHandler([&](QDialog &d) {
        auto &s = static_cast<TfrmScope &>(d);
        s.edtSelFrom()->setText(QStringLiteral("20"));
        (ok ? s.BitBtn1() : s.BitBtn2())->click();
        return d.result();
    });
    QCOMPARE(runModal(scope), ok ? int(TfrmScope::OK) : int(TfrmScope::Cancel));
    QCOMPARE(scope.windowTitle(), QStringLiteral("Save File"));
    QCOMPARE(scope.edtSelTo()->text(), QStringLiteral("15"));
}

void TestTfrmScope::progressCancelKeepsTheWindowOpen_data()
{
    QTest::addColumn<bool>("cancelShown");
    QTest::newRow("with Cancel") << true;
    QTest::newRow("without Cancel") << false;
}

void TestTfrmScope::progressCancelKeepsTheWindowOpen()
{
    QFETCH(bool, cancelShown);
    TfrmScope scope;
    scope.useForProgress(QStringLiteral("Data Retriving Progress"), 288);
    scope.BitBtn2()->setVisible(cancelShown);
    scope.showProgress();
    QCOMPARE(scope.Progress1()->maximum(), 288);
    QVERIFY(!scope.GroupBox1()->isVisible());
    QVERIFY(scope.testAttribute(Qt::WA_WState_Visible));
    QTest::keyClick(&scope, Qt::Key_Escape);
    scope.close();
    QCOMPARE(scope.cancelled(), cancelShown);
    QVERIFY(scope.isVisible()); // only the command that showed it closes it
}

void TestTfrmScope::namesFollowTheLanguage()
{
    TfrmScope scope;
    scope.useForRange(QStringLiteral("x"), QString(), QString());
    scope.useForProgress(QStringLiteral("x"), 1);
    for (Language lang : {Language::English, Language::French}) {
        LanguageDispatcher::instance().setLanguage(lang);
        const bool en = lang == Language::English;
        QCOMPARE(scope.SText1()->text(), en ? QStringLiteral("bytes received") : QStringLiteral("octets reçus"));
        QCOMPARE(accessibleName(scope.edtSelFrom()), en ? QStringLiteral("from") : QStringLiteral("de"));
        QCOMPARE(accessibleName(scope.Progress1()), en ? QStringLiteral("Progress") : QStringLiteral("Progression"));
        QCOMPARE(accessibleName(scope.BitBtn2()), en ? QStringLiteral("Cancel") : QStringLiteral("Annuler"));
    }
}

QTEST_MAIN(TestTfrmScope)
#include "tst_TfrmScope.moc"

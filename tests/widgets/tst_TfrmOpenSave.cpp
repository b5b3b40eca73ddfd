// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/LanguageDispatcher.h"
#include "widgets/ModalRunner.h"
#include "widgets/TfrmOpenSave.h"

#include <QAccessible>
#include <QPushButton>
#include <QTest>

using namespace ql708;

class TestTfrmOpenSave : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { setModalHandler({}); }
    void buttonsGiveTheirResult_data();
    void buttonsGiveTheirResult();
    void captionsAndNames();
};

void TestTfrmOpenSave::buttonsGiveTheirResult_data()
{
    QTest::addColumn<int>("button"); // 0, 1, 2 in order; 3 closes the window
    QTest::addColumn<int>("result");
    QTest::newRow("collection") << 0 << 1;
    QTest::newRow("single set") << 1 << 7;
    QTest::newRow("Cancel") << 2 << 2;
    QTest::newRow("closed") << 3 << 2;
}

void TestTfrmOpenSave::buttonsGiveTheirResult()
{
    QFETCH(int, button);
    TfrmOpenSave chooser;
    setModalHandler([&](QDialog &d) {
        auto &c = static_cast<TfrmOpenSave &>(d);
        QPushButton *const buttons[] = {c.btnOpenSets(), c.btnOpenSingleSet(), c.Button1()};
        d.show();
        if (button == 3)
            d.close();
        else
            buttons[button]->click();
        return d.result();
    });
    QTEST(runModal(chooser), "result");
}

void TestTfrmOpenSave::captionsAndNames()
{
    TfrmOpenSave chooser;
    LanguageDispatcher::instance().setLanguage(Language::English);
    QCOMPARE(chooser.btnOpenSingleSet()->text(), QStringLiteral("Save single selected  data set to a  file"));
    LanguageDispatcher::instance().setLanguage(Language::French);
    QCOMPARE(chooser.Button1()->text(), QStringLiteral("Annuler"));
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(chooser.btnOpenSets());
    QCOMPARE(i->text(QAccessible::Name), chooser.btnOpenSets()->text());
}

QTEST_MAIN(TestTfrmOpenSave)
#include "tst_TfrmOpenSave.moc"

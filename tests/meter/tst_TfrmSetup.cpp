// SPDX-License-Identifier: GPL-3.0-or-later
#include "meter/TfrmSetup.h"
#include "meter/sim/SimulatedMeter.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FaultyLink.h"
#include "widgets/ModalRunner.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace ql708;

namespace {

QString accessibleName(QWidget *w)
{
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Name) : QString();
}

void type(QLineEdit *e, const QString &text)
{
    e->selectAll();
    e->del();
    e->home(false);
    QTest::keyClicks(e, text);
}

} // namespace

class TestTfrmSetup : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void everyControlIsNamed();
    void commandsReachTheMeter();
    void incompleteIntervalField();
    void failuresAreShown_data();
    void failuresAreShown();

private:
    std::unique_ptr<test::FakeClock> m_clock;
    std::unique_ptr<SimulatedMeter> m_sim;
    std::unique_ptr<test::FaultyLink> m_link;
    std::unique_ptr<MeterLink> m_meter;
    std::unique_ptr<TfrmSetup> m_form;
    QStringList m_messages;
    QList<bool> m_pollSwitches;
};

void TestTfrmSetup::init()
{
    QLocale::setDefault(QLocale::c());
    m_clock = std::make_unique<test::FakeClock>();
    m_sim = std::make_unique<SimulatedMeter>();
    m_link = std::make_unique<test::FaultyLink>(*m_sim);
    m_meter = std::make_unique<MeterLink>(*m_link);
    m_pollSwitches.clear();
    m_meter->setPollTimerSwitch([this](bool on) { m_pollSwitches << on; });
    m_form = std::make_unique<TfrmSetup>(*m_meter);
    m_form->show();
    m_messages.clear();
    setModalHandler([this](QDialog &d) {
        if (auto *box = qobject_cast<QMessageBox *>(&d))
            m_messages << box->text();
        return int(QMessageBox::Ok);
    });
}

void TestTfrmSetup::cleanup()
{
    setModalHandler({});
    m_form.reset();
    m_meter.reset();
    m_link.reset();
    m_sim.reset();
    m_clock.reset();
}

void TestTfrmSetup::everyControlIsNamed()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Data Logger Setup"));
    const QList<QWidget *> controls = m_form->findChildren<QWidget *>();
    int checked = 0;
    for (QWidget *w : controls) {
        if (!qobject_cast<QPushButton *>(w) && !qobject_cast<QLineEdit *>(w) && !qobject_cast<QLabel *>(w))
            continue;
        QVERIFY2(!accessibleName(w).trimmed().isEmpty(), qPrintable(w->objectName()));
        ++checked;
    }
    QVERIFY(checked > 30);
    QCOMPARE(accessibleName(m_form->Button1()), QStringLiteral("Adjust Meter Time To Computer Time"));
    QCOMPARE(accessibleName(m_form->txtVer()), QStringLiteral("FirmWare Version:"));
    QCOMPARE(accessibleName(m_form->edtInt2()), QStringLiteral("seconds"));
    QCOMPARE(accessibleName(m_form->txtQuick_REC_NUM()), QStringLiteral("NUM"));
    QCOMPARE(accessibleName(m_form->txtWData()), QStringLiteral("byte to write"));
    QCOMPARE(m_form->edtInt1()->text(), QStringLiteral("00"));
    QCOMPARE(m_form->edtInt2()->text(), QStringLiteral("02"));
}

void TestTfrmSetup::commandsReachTheMeter()
{
    type(m_form->edtInt1(), QStringLiteral("01"));
    type(m_form->edtInt2(), QStringLiteral("00"));
    m_form->Button2()->click();
    QCOMPARE(m_sim->recordingInterval(), 60);

    m_form->Button4()->click();
    QCOMPARE(m_form->txtInt()->text(), QStringLiteral("60"));
    QCOMPARE(m_form->txtSN()->text(), QStringLiteral("SIM-000708"));
    QCOMPARE(m_form->txtVer()->text(), QStringLiteral("1.05"));
    QCOMPARE(m_form->txtMeterTime()->text(), QStringLiteral("03/05/2024   14:07:09"));

    m_form->Button1()->click();

    m_form->txtRAddress()->setText(QStringLiteral("15"));
    m_form->Button7()->click();
    QCOMPARE(m_form->txtRData()->text(), QStringLiteral("60"));

    m_form->txtWAddress()->setText(QStringLiteral("300"));
    m_form->txtWData()->setText(QStringLiteral("258")); // the low eight bits go
    m_form->Button6()->click();
    QCOMPARE(m_sim->memory().at(300), char(2));

    m_form->Button10()->click();
    QCOMPARE(m_form->lblQUICKRECOK()->text(), QStringLiteral("OK"));
    QCOMPARE(m_form->lblQUICKRECOK()->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    QCOMPARE(m_sim->setCount(), 1);

    m_form->Button3()->click();
    QCOMPARE(m_sim->setCount(), 0);

    QCOMPARE(m_messages, (QStringList{"Recording Interval Setup Successfully ", "read data successfully",
                                      "Meter time updated successfully \n", "erase memory successfully"}));
    // Every command that stopped the poll started it again; the byte commands left it alone.
    QCOMPARE(m_pollSwitches, (QList<bool>{false, true, false, true, false, true, false, true, false, true}));
}

void TestTfrmSetup::incompleteIntervalField()
{
    type(m_form->edtInt2(), QStringLiteral("5"));
    QVERIFY(!m_form->edtInt2()->hasAcceptableInput());
    m_form->Button2()->click();
    QCOMPARE(m_messages, QStringList{"Invalid Input"});
    QCOMPARE(m_sim->recordingInterval(), 2);
    QVERIFY(m_link->frames.isEmpty());
}

void TestTfrmSetup::failuresAreShown_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("quickResult");
    QTest::addColumn<bool>("pollStopped");
    QTest::newRow("write byte, no device") << "Button6" << "no device" << QStringList{"Error Code=703"} << "" << false;
    QTest::newRow("read byte, no device") << "Button7" << "no device" << QStringList{"Error Code=703"} << "" << false;
    QTest::newRow("write byte, bad address") << "Button6" << "address -1" << QStringList{"address to write must be a whole number from 0 to 16777215"} << "" << false;
    QTest::newRow("quick recording, writes fail") << "Button10" << "writes" << QStringList{} << "Fail" << true;
    QTest::newRow("quick recording, no number") << "Button10" << "NUM x" << QStringList{"invalid integer"} << "" << false;
    QTest::newRow("quick recording, no points") << "Button10" << "NUM 0" << QStringList{"NUM must be a whole number from 1 to 127987"} << "" << false;
    QTest::newRow("erase while recording") << "Button3" << "recording" << QStringList{"The meter is recording data, please stop recording before erasing data."} << "" << false;
    QTest::newRow("erase, no reply") << "Button3" << "reads" << QStringList{} << "" << true;
    QTest::newRow("information, no serial") << "Button4" << "serial" << QStringList{"can not read serail number"} << "" << true;
}

void TestTfrmSetup::failuresAreShown()
{
    QFETCH(QString, button);
    QFETCH(QString, fault);
    QFETCH(QStringList, messages);
    QFETCH(QString, quickResult);
    QFETCH(bool, pollStopped);
    if (fault == QLatin1String("recording")) {
        m_meter->keyExchange(MeterCommand('w'));
        m_meter->tick(true);
        m_meter->tick(true);
        QVERIFY(m_meter->meterRecording());
        m_link->frames.clear();
    }
    m_link->failAllOpens = fault == QLatin1String("no device");
    m_link->failAllWrites = fault == QLatin1String("writes");
    m_link->failAllReads = fault == QLatin1String("reads");
    m_link->failSerial = fault == QLatin1String("serial");
    if (fault.startsWith(QLatin1String("NUM ")))
        m_form->txtQuick_REC_NUM()->setText(fault.mid(4));
    if (fault.startsWith(QLatin1String("address ")))
        m_form->txtWAddress()->setText(fault.mid(8));
    const int sets = m_sim->setCount();

    m_form->findChild<QPushButton *>(button)->click();
    QCOMPARE(m_messages, messages);
    QCOMPARE(m_form->lblQUICKRECOK()->text(), quickResult);
    if (!quickResult.isEmpty())
        QCOMPARE(m_form->lblQUICKRECOK()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(m_pollSwitches, pollStopped ? (QList<bool>{false, true}) : QList<bool>{});
    if (button == QLatin1String("Button3") && fault == QLatin1String("recording")) {
        QCOMPARE(m_sim->setCount(), sets);
        QVERIFY(m_link->frames.isEmpty());
    }
}

QTEST_MAIN(TestTfrmSetup)
#include "tst_TfrmSetup.moc"

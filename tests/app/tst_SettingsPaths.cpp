// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Paths.h"
#include "common/Settings.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace ql708;

class TestSettingsPaths : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { paths::setTestRoot({}); }
    void rateRoundTrip();
    void foreignRateCountsAsMissing_data();
    void foreignRateCountsAsMissing();
    void dataFolderFallbacks();
    void recentFiles();
    void languageRemembered();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSettingsPaths::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    paths::setTestRoot(m_dir->path());
}

void TestSettingsPaths::rateRoundTrip()
{
    QCOMPARE(settings::readRealTimeRate(), 0.2f);
    settings::writeRealTimeRate(2.5f);
    QCOMPARE(settings::readRealTimeRate(), 2.5f);
    settings::writeRealTimeRate(86400.0f);
    QCOMPARE(settings::readRealTimeRate(), 86400.0f);
    settings::writeRealTimeRate(2.5f);
    QSettings raw(paths::settingsFile(), QSettings::IniFormat);
    const QByteArray bytes = raw.value("RealTimeRate").toByteArray();
    QCOMPARE(bytes.size(), 8);
    QCOMPARE(qFromLittleEndian<double>(bytes.constData()), 2.5);
}

void TestSettingsPaths::foreignRateCountsAsMissing_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::newRow("text") << QVariant(QStringLiteral("1.5"));
    QTest::newRow("integer") << QVariant(7);
    QTest::newRow("short bytes") << QVariant(QByteArray("\x01\x02\x03\x04", 4));
    QTest::newRow("nan") << QVariant(QByteArray("\x00\x00\x00\x00\x00\x00\xf8\x7f", 8));
    auto stored = [](double rate) {
        QByteArray bytes(8, '\0');
        qToLittleEndian<double>(rate, bytes.data());
        return QVariant(bytes);
    };
    QTest::newRow("1e300, beyond a float") << stored(1e300);
    QTest::newRow("more than a day") << stored(86401.0);
    QTest::newRow("zero") << stored(0.0);
    QTest::newRow("negative") << stored(-2.0);
}

void TestSettingsPaths::foreignRateCountsAsMissing()
{
    QFETCH(QVariant, stored);
    {
        QSettings raw(paths::settingsFile(), QSettings::IniFormat);
        raw.setValue("RealTimeRate", stored);
    }
    QCOMPARE(settings::readRealTimeRate(), 0.2f);
}

void TestSettingsPaths::dataFolderFallbacks()
{
    const QString docs = m_dir->path() + "/Documents";
    QCOMPARE(paths::dataFolder(), docs + "/QL708/");
    QVERIFY(QDir(docs + "/QL708").exists());

    // A file where the folder should be: the documents folder itself is used.
    QDir(docs + "/QL708").removeRecursively();
    QFile blocker(docs + "/QL708");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QCOMPARE(paths::dataFolder(), docs + "/");

    paths::setTestRoot(m_dir->path(), false);
    QCOMPARE(paths::dataFolder(), QString());
}

// The latest first, each once, at most eight, as absolute paths; the store's own order kept
// across a restart (a fresh read).
void TestSettingsPaths::recentFiles()
{
    QVERIFY(settings::readRecentFiles().isEmpty());
    const QString dir = m_dir->path();
    for (int i = 1; i <= 9; ++i)
        settings::addRecentFile(dir + QStringLiteral("/%1.rec").arg(i));
    QStringList files = settings::readRecentFiles();
    QCOMPARE(files.size(), 8);
    QCOMPARE(files.first(), dir + "/9.rec");
    QCOMPARE(files.last(), dir + "/2.rec");
    files = settings::addRecentFile(dir + "/sub/../5.rec"); // the same file by another path
    QCOMPARE(files.size(), 8);
    QCOMPARE(files.first(), dir + "/5.rec");
    QCOMPARE(files.count(dir + "/5.rec"), 1);
    QCOMPARE(settings::readRecentFiles(), files);
}

void TestSettingsPaths::languageRemembered()
{
    QCOMPARE(settings::readLanguage(), Language::French); // the first start
    settings::writeLanguage(Language::English);
    QCOMPARE(settings::readLanguage(), Language::English);
    settings::writeLanguage(Language::French);
    QCOMPARE(settings::readLanguage(), Language::French);
    QSettings(paths::settingsFile(), QSettings::IniFormat).setValue("Language", "de");
    QCOMPARE(settings::readLanguage(), Language::French);
}

QTEST_GUILESS_MAIN(TestSettingsPaths)
#include "tst_SettingsPaths.moc"

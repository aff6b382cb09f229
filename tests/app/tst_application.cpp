#include "app/application.h"

#include "testsandbox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

using appinstaller::Application;

class TestApplication : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void chooseLanguage_data();
    void chooseLanguage();
    void lastFileInNameOrderWins();
    void invalidCatalogueTranslatesNothing();
    void emptyDirectoryInstallsNothing();

private:
    QList<QTranslator *> m_installed;
};

void TestApplication::cleanup()
{
    for (QTranslator *translator : qAsConst(m_installed)) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    m_installed.clear();
}

void TestApplication::chooseLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");

    QTest::newRow("Chinese (China)") << "zh_CN" << "c-chinese";
    QTest::newRow("Chinese (Taiwan)") << "zh_TW" << "c-chinese";
    QTest::newRow("English") << "en_US" << "B-english";
    QTest::newRow("German") << "de_DE" << "B-english";
    QTest::newRow("Japanese") << "ja_JP" << "B-english";
}

void TestApplication::chooseLanguage()
{
    QFETCH(QString, locale);
    QFETCH(QString, expected);

    m_installed = Application::installTranslations(QStringLiteral(CATALOGUE_FIXTURES), QLocale(locale));
    QCOMPARE(QCoreApplication::translate("Probe", "Key"), expected);

    // The other language's catalogue is never loaded, so its own key stays untranslated.
    const bool chinese = expected == QLatin1String("c-chinese");
    QCOMPARE(QCoreApplication::translate("Probe", "Onlyc_zh"),
             chinese ? QStringLiteral("c-chinese") : QStringLiteral("Onlyc_zh"));
    QCOMPARE(QCoreApplication::translate("Probe", "Onlya_en"),
             chinese ? QStringLiteral("Onlya_en") : QStringLiteral("a-english"));
}

void TestApplication::lastFileInNameOrderWins()
{
    m_installed = Application::installTranslations(QStringLiteral(CATALOGUE_FIXTURES), QLocale(QLocale::English));
    QCOMPARE(m_installed.size(), 2);
    QCOMPARE(QFileInfo(m_installed.at(0)->filePath()).fileName(), QStringLiteral("a_en.qm"));
    QCOMPARE(QFileInfo(m_installed.at(1)->filePath()).fileName(), QStringLiteral("B_en.qm"));
    // Name order ignores case: a_en.qm comes before B_en.qm and is installed first,
    // so B_en.qm, installed last, is consulted first.
    QCOMPARE(QCoreApplication::translate("Probe", "Key"), QStringLiteral("B-english"));
}

void TestApplication::invalidCatalogueTranslatesNothing()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString &name : {QStringLiteral("a_en.qm"), QStringLiteral("B_en.qm")})
        QVERIFY(QFile::copy(QStringLiteral(CATALOGUE_FIXTURES "/") + name, dir.filePath(name)));
    QFile junk(dir.filePath(QStringLiteral("z_en.qm")));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("not a catalogue");
    junk.close();
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("zz_en.qm")));

    m_installed = Application::installTranslations(dir.path(), QLocale(QLocale::English));
    QCOMPARE(m_installed.size(), 4);
    QCOMPARE(QCoreApplication::translate("Probe", "Key"), QStringLiteral("B-english"));
}

void TestApplication::emptyDirectoryInstallsNothing()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    m_installed = Application::installTranslations(dir.path(), QLocale(QLocale::English));
    QVERIFY(m_installed.isEmpty());
    m_installed = Application::installTranslations(dir.filePath(QStringLiteral("missing")), QLocale(QLocale::Chinese));
    QVERIFY(m_installed.isEmpty());
    QCOMPARE(QCoreApplication::translate("Probe", "Key"), QStringLiteral("Key"));
}

UNINSTALL_TEST_MAIN(TestApplication)
#include "tst_application.moc"

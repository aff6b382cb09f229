#include "testsandbox.h"

#include <QDir>
#include <QTranslator>

namespace {

QString catalogueDirectory()
{
    return qEnvironmentVariable("UNINSTALL_BIN_DIR") + QStringLiteral("/translations");
}

} // namespace

// The compiled catalogues as the program finds them: one per language, each
// giving every text the program and the widget library show.
class TestCatalogues : public QObject
{
    Q_OBJECT

private slots:
    void oneCataloguePerLanguage()
    {
        const QDir directory(catalogueDirectory());
        QCOMPARE(directory.entryList({QStringLiteral("*_en.qm")}), QStringList{QStringLiteral("uninstall_en.qm")});
        QCOMPARE(directory.entryList({QStringLiteral("*_zh.qm")}), QStringList{QStringLiteral("uninstall_zh.qm")});
    }

    void everyTextIsTranslated_data()
    {
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("keyIsWording");

        const struct
        {
            const char *context;
            const char *key;
            bool keyIsWording;
        } texts[] = {
            {"QObject", "TheClientIsRunningPrnptTrdtT", false},
            {"QObject", "DetermineTheUninstalfYANYiIa", false},
            {"QObject", "ThisSoftwareIsNotCurmXqDCfI", false},
            {"QObject", "BeganToUnloadWkJrSaJaAq", false},
            {"QObject", "DeleteShortcutULXVgdVTs", false},
            {"QObject", "ClearTheRegistryeuyqTkYHjj", false},
            {"QObject", "Uninstalled", false},
            {"QObject", "UninstallIncompleteHvRqYwNd", false},
            {"appinstaller::CustomTitleWidget", "VuzarRevuvazereved", false},
            {"MainWindowUI", "MainWindowUI", false},
            {"UnInstallCompletedUI", "Uninstalled", false},
            {"UnInstallCompletedUI", "Completed", false},
            {"appinstaller::UnInstallCompletedPage", "NotEverythingWasRemovedGhYtRb", false},
            {"appinstaller::UnInstallCompletedPage", "CouldNotBeRemovedPwLzQa", false},
            {"appinstaller::UnInstallCompletedPage", "LeftInPlaceForSafetyJcXd", false},
            {"appinstaller::UnInstallCompletedPage", "InstallLocationNotRecordedTzMq", false},
            {"appinstaller::UnInstallCompletedPage", "AndMoreEntriesRnBfKs", false},
            // The widget library's own texts are plain English words already.
            {"VexiloControl::CModalTipDialog", "Warning", true},
            {"VexiloControl::CModalTipDialog", "Confirm", true},
            {"VexiloControl::CModalTipDialog", "Information", true},
            {"VexiloControl::CModalTipDialog", "Error", true},
            {"VexiloControl::CModalTipDialog", "OK", true},
            {"VexiloControl::CModalTipDialog", "Cancel", true},
        };
        for (const char *catalogue : {"uninstall_en.qm", "uninstall_zh.qm"}) {
            for (const auto &text : texts) {
                QTest::addRow("%s %s %s", catalogue, text.context, text.key)
                    << QString::fromLatin1(catalogue) << QString::fromLatin1(text.context)
                    << QString::fromLatin1(text.key) << text.keyIsWording;
            }
        }
    }

    void everyTextIsTranslated()
    {
        QFETCH(QString, catalogue);
        QFETCH(QString, context);
        QFETCH(QString, key);
        QFETCH(bool, keyIsWording);

        QTranslator translator;
        QVERIFY(translator.load(catalogue, catalogueDirectory()));
        const QString text =
            translator.translate(context.toLatin1().constData(), key.toLatin1().constData());

        QVERIFY2(!text.trimmed().isEmpty(), "no translation");
        const bool english = catalogue.endsWith(QLatin1String("_en.qm"));
        if (!(english && keyIsWording))
            QVERIFY2(text != key, qPrintable(text));
    }

    // The count of entries not listed goes into its text; a catalogue without the
    // place for it would drop the number.
    void countOfUnlistedEntriesHasItsPlace_data()
    {
        QTest::addColumn<QString>("catalogue");
        QTest::newRow("English") << QStringLiteral("uninstall_en.qm");
        QTest::newRow("Chinese") << QStringLiteral("uninstall_zh.qm");
    }

    void countOfUnlistedEntriesHasItsPlace()
    {
        QFETCH(QString, catalogue);
        QTranslator translator;
        QVERIFY(translator.load(catalogue, catalogueDirectory()));
        const QString text = translator.translate("appinstaller::UnInstallCompletedPage", "AndMoreEntriesRnBfKs");
        QVERIFY2(text.contains(QLatin1String("%1")), qPrintable(text));
        QVERIFY(text.arg(37).contains(QLatin1String("37")));
    }

    void chineseCatalogueIsChinese()
    {
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral("uninstall_zh.qm"), catalogueDirectory()));
        QCOMPARE(translator.language(), QStringLiteral("zh_CN"));
        const QString title = translator.translate("UnInstallCompletedUI", "Completed");
        QVERIFY(!title.isEmpty());
        for (const QChar character : title)
            QVERIFY(character.script() == QChar::Script_Han);
    }
};

UNINSTALL_TEST_MAIN(TestCatalogues)
#include "tst_catalogues.moc"

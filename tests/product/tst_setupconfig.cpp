#include "product/setupconfig.h"

#include "testsandbox.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QVariantMap>

using appinstaller::SetupComponent;
using appinstaller::SetupConfig;

namespace {

QByteArray description(const QByteArray &body)
{
    return QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<AppConfig>\n") + body
           + QByteArrayLiteral("\n</AppConfig>\n");
}

// Every field of the record under one name, so that a row can state only the
// fields it is about; components read as "name=filePath".
QVariantMap fieldsOf(const SetupConfig &config)
{
    QStringList components;
    const QList<SetupComponent> list = config.components();
    for (const SetupComponent &component : list)
        components << component.name + QLatin1Char('=') + component.filePath;

    return {
        {QStringLiteral("guid"), QString::fromStdString(config.guid())},
        {QStringLiteral("programName"), QString::fromStdString(config.programName())},
        {QStringLiteral("softwareNameEN"), QString::fromStdString(config.softwareNameEN())},
        {QStringLiteral("softwareNameCH"), QString::fromLocal8Bit(config.softwareNameCH().c_str())},
        {QStringLiteral("installPath"), QString::fromStdString(config.installPath())},
        {QStringLiteral("version"), QString::fromStdString(config.version())},
        {QStringLiteral("companyName"), QString::fromStdString(config.companyName())},
        {QStringLiteral("legalCopyright"), QString::fromStdString(config.legalCopyright())},
        {QStringLiteral("settingFile"), QString::fromStdString(config.settingFile())},
        {QStringLiteral("translator"), config.translator()},
        {QStringLiteral("versionType"), config.versionType()},
        {QStringLiteral("components"), components},
    };
}

QString shown(const QVariant &value)
{
    return value.type() == QVariant::StringList ? value.toStringList().join(QLatin1Char('|')) : value.toString();
}

const QString kDefaultName = QStringLiteral("Raruz Evereruzozive");

} // namespace

class TestSetupConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void readsDescription_data();
    void readsDescription();
    void softwareNameCHUsesLocalEncoding();
    void instanceIsCreatedOnce();

private:
    QString writeDescription(const QByteArray &content);

    QTemporaryDir m_dir;
    QTextCodec *m_localeCodec = nullptr;
};

void TestSetupConfig::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_localeCodec = QTextCodec::codecForLocale();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
}

void TestSetupConfig::cleanupTestCase()
{
    QTextCodec::setCodecForLocale(m_localeCodec);
}

QString TestSetupConfig::writeDescription(const QByteArray &content)
{
    QString path = m_dir.filePath(QStringLiteral("AppConfig.xml"));
    QFile::remove(path);
    if (content.isNull())
        return path;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return QString();
    return path;
}

void TestSetupConfig::readsDescription_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QVariantMap>("expected");

    QTest::newRow("missing file")
        << QByteArray()
        << QVariantMap{{QStringLiteral("guid"), QString()},
                       {QStringLiteral("programName"), QString()},
                       {QStringLiteral("softwareNameEN"), QString()},
                       {QStringLiteral("softwareNameCH"), QString()},
                       {QStringLiteral("installPath"), QString()},
                       {QStringLiteral("version"), QString()},
                       {QStringLiteral("translator"), 0},
                       {QStringLiteral("versionType"), 0},
                       {QStringLiteral("components"), QStringList()}};

    QTest::newRow("full description")
        << description("<GUID>{6F1A2B3C-0000-4D5E-8F90-ABCDEF012345}</GUID>"
                       "<Translator>3</Translator><VersionType>2</VersionType>"
                       "<SoftwareNameEN>Viewer</SoftwareNameEN><SoftwareNameCH>Viewer CH</SoftwareNameCH>"
                       "<SettingFile>setting.ini</SettingFile><Version>4.1.0</Version>"
                       "<CompanyName>Maker</CompanyName><LegalCopyright>(c) Maker</LegalCopyright>"
                       "<InstallPath>E:\\Tools\\</InstallPath><ProgramName>Viewer.exe</ProgramName>"
                       "<Components><Core><Name>core</Name><FilePath>core.dll</FilePath></Core></Components>")
        << QVariantMap{{QStringLiteral("guid"), QStringLiteral("{6F1A2B3C-0000-4D5E-8F90-ABCDEF012345}")},
                       {QStringLiteral("translator"), 3},
                       {QStringLiteral("versionType"), 2},
                       {QStringLiteral("softwareNameEN"), QStringLiteral("Viewer")},
                       {QStringLiteral("softwareNameCH"), QStringLiteral("Viewer CH")},
                       {QStringLiteral("settingFile"), QStringLiteral("setting.ini")},
                       {QStringLiteral("version"), QStringLiteral("4.1.0")},
                       {QStringLiteral("companyName"), QStringLiteral("Maker")},
                       {QStringLiteral("legalCopyright"), QStringLiteral("(c) Maker")},
                       {QStringLiteral("installPath"), QStringLiteral("E:\\Tools\\Viewer")},
                       {QStringLiteral("programName"), QStringLiteral("Viewer.exe")},
                       {QStringLiteral("components"), QStringList{QStringLiteral("core=core.dll")}}};

    QTest::newRow("malformed XML")
        << QByteArray("<AppConfig><GUID>{A}</GUID><ProgramName>Viewer.exe</Broken>")
        << QVariantMap{{QStringLiteral("softwareNameEN"), kDefaultName},
                       {QStringLiteral("installPath"), QStringLiteral("C:\\Program Files\\") + kDefaultName},
                       {QStringLiteral("translator"), 0},
                       {QStringLiteral("components"), QStringList()}};

    QTest::newRow("CDATA GUID")
        << description("<GUID><![CDATA[{C0FFEE}]]></GUID>")
        << QVariantMap{{QStringLiteral("guid"), QStringLiteral("{C0FFEE}")}};

    QTest::newRow("comment before the text")
        << description("<GUID><!-- written by the installer -->{C1}</GUID>")
        << QVariantMap{{QStringLiteral("guid"), QStringLiteral("{C1}")}};

    QTest::newRow("child element before the text")
        << description("<GUID><Part>inner</Part>{C2}</GUID>")
        << QVariantMap{{QStringLiteral("guid"), QStringLiteral("{C2}")}};

    QTest::newRow("nested elements")
        << description("<Product><Identity><GUID>{C3}</GUID></Identity></Product>")
        << QVariantMap{{QStringLiteral("guid"), QStringLiteral("{C3}")}};

    QTest::newRow("white space only")
        << description("<GUID>  \n\t </GUID><SoftwareNameEN>   </SoftwareNameEN>")
        << QVariantMap{{QStringLiteral("guid"), QString()},
                       {QStringLiteral("softwareNameEN"), kDefaultName}};

    QTest::newRow("text kept untrimmed")
        << description("<ProgramName>  Viewer.exe </ProgramName>")
        << QVariantMap{{QStringLiteral("programName"), QStringLiteral("  Viewer.exe ")}};

    QTest::newRow("components")
        << description("<Components>loose text"
                       "<First><Name>one</Name><FilePath>bin\\one.dll</FilePath></First>"
                       "<!-- no file for the second -->"
                       "<Second><Name>two</Name></Second>more text"
                       "<Third><FilePath>bin\\three.dll</FilePath><Name>three</Name></Third>"
                       "</Components>")
        << QVariantMap{{QStringLiteral("components"),
                        QStringList{QStringLiteral("one=bin\\one.dll"), QStringLiteral("two="),
                                    QStringLiteral("three=bin\\three.dll")}}};

    QTest::newRow("default name")
        << description("<GUID>{C4}</GUID>")
        << QVariantMap{{QStringLiteral("softwareNameEN"), kDefaultName},
                       {QStringLiteral("installPath"), QStringLiteral("C:\\Program Files\\") + kDefaultName}};

    QTest::newRow("empty name element")
        << description("<SoftwareNameEN/>")
        << QVariantMap{{QStringLiteral("softwareNameEN"), kDefaultName}};

    QTest::newRow("install path joined")
        << description("<InstallPath>D:\\Apps\\</InstallPath><SoftwareNameEN>Viewer</SoftwareNameEN>")
        << QVariantMap{{QStringLiteral("installPath"), QStringLiteral("D:\\Apps\\Viewer")}};

    QTest::newRow("install path missing")
        << description("<SoftwareNameEN>Viewer</SoftwareNameEN>")
        << QVariantMap{{QStringLiteral("installPath"), QStringLiteral("C:\\Program Files\\Viewer")}};

    QTest::newRow("install path empty")
        << description("<InstallPath></InstallPath><SoftwareNameEN>Viewer</SoftwareNameEN>")
        << QVariantMap{{QStringLiteral("installPath"), QStringLiteral("C:\\Program Files\\Viewer")}};

    QTest::newRow("earlier Version wins")
        << description("<Components><Core><Name>core</Name><Version>2.0</Version></Core></Components>"
                       "<Version>1.0</Version>")
        << QVariantMap{{QStringLiteral("version"), QStringLiteral("2.0")}};

    QTest::newRow("non-numeric Translator")
        << description("<Translator>two</Translator><VersionType>12</VersionType>")
        << QVariantMap{{QStringLiteral("translator"), 0}, {QStringLiteral("versionType"), 12}};

    const QString chineseName = QStringLiteral(u"\u67e5\u770b\u5668\u00b7\u6d4b\u8bd5");
    QTest::newRow("non-ASCII SoftwareNameCH")
        << description("<SoftwareNameCH>" + chineseName.toUtf8() + "</SoftwareNameCH>")
        << QVariantMap{{QStringLiteral("softwareNameCH"), chineseName}};
}

void TestSetupConfig::readsDescription()
{
    QFETCH(QByteArray, content);
    QFETCH(QVariantMap, expected);

    const QString path = writeDescription(content);
    QVERIFY(!path.isEmpty());

    const QVariantMap actual = fieldsOf(SetupConfig::fromFile(path));
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        QVERIFY2(actual.value(it.key()) == it.value(),
                 qPrintable(QStringLiteral("%1: read \"%2\", expected \"%3\"")
                                .arg(it.key(), shown(actual.value(it.key())), shown(it.value()))));
    }
}

// The bytes follow the system's 8-bit encoding rather than UTF-8, so that names compare
// equal to what the system itself reports for shortcut files.
void TestSetupConfig::softwareNameCHUsesLocalEncoding()
{
    const QString path = writeDescription(description(QStringLiteral(u"<SoftwareNameCH>Caf\u00e9</SoftwareNameCH>").toUtf8()));
    QVERIFY(!path.isEmpty());

    QTextCodec *const utf8 = QTextCodec::codecForLocale();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
    const std::string latin1Name = SetupConfig::fromFile(path).softwareNameCH();
    QTextCodec::setCodecForLocale(utf8);

    QCOMPARE(QByteArray::fromStdString(latin1Name), QByteArray("Caf\xe9"));
    QCOMPARE(QByteArray::fromStdString(SetupConfig::fromFile(path).softwareNameCH()), QByteArray("Caf\xc3\xa9"));
}

void TestSetupConfig::instanceIsCreatedOnce()
{
    SetupConfig *const first = SetupConfig::instance();
    QVERIFY(first);
    QCOMPARE(SetupConfig::instance(), first);
}

UNINSTALL_TEST_MAIN(TestSetupConfig)

#include "tst_setupconfig.moc"

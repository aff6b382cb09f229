#include "productfixture.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>

#include "platform/registrykey.h"
#include "platform/systemfolders.h"
#include "product/uninstallregistry.h"
#include "testsandbox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QXmlStreamWriter>

namespace productfixture {

namespace {

QString setupDescriptionPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/AppConfig.xml");
}

} // namespace

QString guid()
{
    return QStringLiteral("{9D1C6A52-3E07-4B8F-A1D4-6F2E0B7C5A13}");
}

QString nameEN()
{
    return QStringLiteral("Viewer");
}

QString nameCH()
{
    return QStringLiteral("查看器");
}

bool writeSetupDescription(const QString &guid, const QString &nameEN, const QString &nameCH)
{
    QFile file(setupDescriptionPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("Setup"));
    xml.writeTextElement(QStringLiteral("GUID"), guid);
    xml.writeTextElement(QStringLiteral("SoftwareNameEN"), nameEN);
    xml.writeTextElement(QStringLiteral("SoftwareNameCH"), nameCH);
    xml.writeTextElement(QStringLiteral("ProgramName"), QStringLiteral("Viewer.exe"));
    xml.writeTextElement(QStringLiteral("InstallPath"), QStringLiteral("C:\\Program Files\\"));
    xml.writeEndElement();
    xml.writeEndDocument();
    return !xml.hasError() && file.flush();
}

bool removeSetupDescription()
{
    return !QFile::exists(setupDescriptionPath()) || QFile::remove(setupDescriptionPath());
}

QString root()
{
    return TestSandbox::current()->root();
}

QString home()
{
    return TestSandbox::current()->home();
}

QString desktop()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

QString publicDesktop()
{
    QString path = appinstaller::platform::publicDesktopPath();
    path.chop(1);
    return path;
}

QString startMenu()
{
    return QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
}

QString installDir()
{
    return appinstaller::platform::standInRoot() + QStringLiteral("/drive_c/Program Files/") + nameEN();
}

QString keyFile(const QString &guid)
{
    const std::string keyPath = appinstaller::UninstallRegistry::instance()->keyPath(guid.toStdString());
    return appinstaller::platform::standInKeyFile(QString::fromStdString(keyPath));
}

bool registerProduct(const QString &guid, const QString &installLocation)
{
    const QString file = keyFile(guid);
    if (file.isEmpty())
        return false;
    QSettings key(file, QSettings::IniFormat);
    key.setIniCodec("UTF-8");
    key.setValue(QStringLiteral("DisplayName"), nameEN());
    key.setValue(QStringLiteral("InstallLocation"), installLocation);
    key.sync();
    return key.status() == QSettings::NoError && QFile::exists(file);
}

bool makeFile(const QString &path, const QByteArray &content)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

bool makeDir(const QString &path)
{
    return QDir().mkpath(path);
}

bool makeLink(const QString &target, const QString &link)
{
    return QDir().mkpath(QFileInfo(link).absolutePath()) && QFile::link(target, link);
}

bool installTree(const QString &dir)
{
    const QString readOnly = dir + QStringLiteral("/docs/LICENSE.txt");
    return makeFile(dir + QStringLiteral("/Viewer.exe"))
           && makeFile(dir + QStringLiteral("/bin/plugins/image formats/svg.plugin"))
           && makeFile(dir + QStringLiteral("/data/maps/detail/tile 0001.dat"))
           && makeFile(dir + QStringLiteral("/docs/说明/读我.txt"))
           && makeFile(dir + QStringLiteral("/.state"))
           && makeFile(dir + QStringLiteral("/data/.cache/.index"))
           && makeDir(dir + QStringLiteral("/cache/empty"))
           && makeDir(dir + QStringLiteral("/空 目录"))
           && makeFile(readOnly)
           && QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadGroup
                                                  | QFileDevice::ReadOther);
}

bool createSurroundings()
{
    const QString links = root() + QStringLiteral("/links");
    return makeFile(home() + QStringLiteral("/Documents/notes.txt"))
           && makeFile(home() + QStringLiteral("/Documents/shared/plan.txt"))
           && makeFile(home() + QStringLiteral("/Downloads/setup.exe"))
           && makeFile(home() + QStringLiteral("/.config/viewer.conf"))
           && makeFile(root() + QStringLiteral("/cache/thumbs.db"))
           && makeFile(desktop() + QStringLiteral("/keep.txt"))
           && makeFile(desktop() + QStringLiteral("/Viewer 2.lnk"))
           && makeFile(desktop() + QStringLiteral("/Viewer.lnk.bak"))
           && makeFile(desktop() + QStringLiteral("/ViewerX/inside.txt"))
           && makeFile(desktop() + QStringLiteral("/查看器 2.lnk"))
           && makeFile(publicDesktop() + QStringLiteral("/Other.lnk"))
           && makeFile(publicDesktop() + QStringLiteral("/Viewer 2.lnk"))
           && makeFile(startMenu() + QStringLiteral("/Other App/Other App.lnk"))
           && makeFile(startMenu() + QStringLiteral("/ViewerX/ViewerX.lnk"))
           && makeFile(startMenu() + QStringLiteral("/viewer.desktop"))
           && makeFile(root() + QStringLiteral("/work/Viewer/own.txt"))
           && makeFile(root() + QStringLiteral("/work/todo.txt"))
           && makeLink(home(), links + QStringLiteral("/home"))
           && makeLink(home() + QStringLiteral("/Documents/notes.txt"), links + QStringLiteral("/notes"))
           && makeLink(root() + QStringLiteral("/nowhere"), links + QStringLiteral("/dangling"));
}

QMap<QString, QString> listing()
{
    return TestSandbox::listing(root());
}

QMap<QString, QString> without(QMap<QString, QString> entries, const QStringList &paths)
{
    const QDir base(root());
    for (const QString &path : paths) {
        const QString relative = base.relativeFilePath(path);
        for (auto it = entries.begin(); it != entries.end();) {
            if (it.key() == relative || it.key().startsWith(relative + QLatin1Char('/')))
                it = entries.erase(it);
            else
                ++it;
        }
    }
    return entries;
}

bool isRowChild()
{
    return qEnvironmentVariableIsSet("UNINSTALL_TEST_ROW_CHILD");
}

QString runChildForCurrentRow(const char *testClassName)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("UNINSTALL_TEST_ROW_CHILD"), QStringLiteral("1"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    const QString row = QStringLiteral("%1:%2").arg(QString::fromLatin1(QTest::currentTestFunction()),
                                                    QString::fromUtf8(QTest::currentDataTag()));
    child.start(QCoreApplication::applicationFilePath(), {row});
    if (!child.waitForFinished(120000))
        return QStringLiteral("the child did not finish");
    const QByteArray output = child.readAll();
    const QByteArray passed = QByteArray("PASS   : ") + testClassName + "::" + QTest::currentTestFunction();
    const bool ok = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 && output.contains(passed);
    return ok ? QString() : QString::fromLocal8Bit(output);
}

} // namespace productfixture

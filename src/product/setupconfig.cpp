#include "setupconfig.h"

#include "xmlnode.h"

#include <QCoreApplication>
#include <QDir>

namespace appinstaller {

namespace {

const char kFileName[] = "AppConfig.xml";
const char kDefaultSoftwareName[] = "Raruz Evereruzozive";
const char kDefaultInstallParent[] = "C:\\Program Files\\";

// Non-numeric text reads as 0, which is also the value of a missing element.
std::int32_t decimalOf(const QString &text)
{
    return text.toInt(nullptr, 10);
}

} // namespace

SetupConfig::SetupConfig()
{
    load();
}

SetupConfig::SetupConfig(const XmlNode *root)
{
    if (root)
        read(*root);
}

SetupConfig SetupConfig::fromFile(const QString &filePath)
{
    XmlNode root;
    return SetupConfig(root.load(filePath) ? &root : nullptr);
}

SetupConfig SetupConfig::fromData(const QByteArray &data)
{
    XmlNode root;
    return SetupConfig(root.loadData(data) ? &root : nullptr);
}

// A file that cannot be read leaves the record empty, without even the default
// product name, so that nothing is removed in the name of an unknown product.
void SetupConfig::load()
{
    XmlNode root;
    if (root.load(QCoreApplication::applicationDirPath() + QDir::separator() + QLatin1String(kFileName)))
        read(root);
}

void SetupConfig::read(const XmlNode &root)
{
    m_guid = root.child(QStringLiteral("GUID")).text().toStdString();
    m_translator = decimalOf(root.child(QStringLiteral("Translator")).text());
    m_versionType = decimalOf(root.child(QStringLiteral("VersionType")).text());
    m_softwareNameEN = root.child(QStringLiteral("SoftwareNameEN")).text().toStdString();
    // Shortcut names are compared in the system's own 8-bit encoding; the bytes end at
    // the first zero, as a C string would.
    m_softwareNameCH = root.child(QStringLiteral("SoftwareNameCH")).text().toLocal8Bit().constData();
    m_settingFile = root.child(QStringLiteral("SettingFile")).text().toStdString();
    if (m_softwareNameEN.empty())
        m_softwareNameEN = kDefaultSoftwareName;

    m_version = root.child(QStringLiteral("Version")).text().toStdString();
    m_companyName = root.child(QStringLiteral("CompanyName")).text().toStdString();
    m_legalCopyright = root.child(QStringLiteral("LegalCopyright")).text().toStdString();

    // The element names the parent directory, ending in a separator.
    std::string installParent = root.child(QStringLiteral("InstallPath")).text().toStdString();
    if (installParent.empty())
        installParent = kDefaultInstallParent;
    m_installPath = installParent + m_softwareNameEN;

    m_programName = root.child(QStringLiteral("ProgramName")).text().toStdString();

    m_components.clear();
    const XmlNode componentsNode = root.child(QStringLiteral("Components"));
    const int count = componentsNode.childCount();
    for (int index = 0; index < count; ++index) {
        const XmlNode component = componentsNode.childAt(index);
        m_components.append({component.child(QStringLiteral("Name")).text(),
                             component.child(QStringLiteral("FilePath")).text()});
    }
}

} // namespace appinstaller

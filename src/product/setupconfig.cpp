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

// The values are C strings to everything that uses them, and a NUL, although no
// XML character, gets through Qt's parser: each value ends at its first NUL, as
// SoftwareNameCH always has, rather than meaning one thing here and another there.
std::string utf8Of(const QString &text)
{
    return text.toUtf8().constData();
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
    m_guid = utf8Of(root.child(QStringLiteral("GUID")).text());
    m_translator = decimalOf(root.child(QStringLiteral("Translator")).text());
    m_versionType = decimalOf(root.child(QStringLiteral("VersionType")).text());
    m_softwareNameEN = utf8Of(root.child(QStringLiteral("SoftwareNameEN")).text());
    // Shortcut names are compared in the system's own 8-bit encoding; the bytes end at
    // the first zero, as a C string would.
    m_softwareNameCH = root.child(QStringLiteral("SoftwareNameCH")).text().toLocal8Bit().constData();
    m_settingFile = utf8Of(root.child(QStringLiteral("SettingFile")).text());
    if (m_softwareNameEN.empty())
        m_softwareNameEN = kDefaultSoftwareName;

    m_version = utf8Of(root.child(QStringLiteral("Version")).text());
    m_companyName = utf8Of(root.child(QStringLiteral("CompanyName")).text());
    m_legalCopyright = utf8Of(root.child(QStringLiteral("LegalCopyright")).text());

    // The element names the parent directory, ending in a separator.
    std::string installParent = utf8Of(root.child(QStringLiteral("InstallPath")).text());
    if (installParent.empty())
        installParent = kDefaultInstallParent;
    m_installPath = installParent + m_softwareNameEN;

    m_programName = utf8Of(root.child(QStringLiteral("ProgramName")).text());

    // A description may list tens of thousands of components; asking childAt() for
    // each index would walk the list once per component.
    m_components.clear();
    const QList<XmlNode> componentNodes = root.child(QStringLiteral("Components")).children();
    for (const XmlNode &component : componentNodes) {
        m_components.append({component.child(QStringLiteral("Name")).text(),
                             component.child(QStringLiteral("FilePath")).text()});
    }
}

} // namespace appinstaller

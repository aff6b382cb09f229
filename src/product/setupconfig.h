#ifndef APPINSTALLER_SETUPCONFIG_H
#define APPINSTALLER_SETUPCONFIG_H

#include "csingleton.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <string>

namespace appinstaller {

class XmlNode;

struct SetupComponent
{
    QString name;
    QString filePath;
};

// The read-only record of "AppConfig.xml" beside the executable, loaded once on
// first use. Strings are UTF-8 bytes, except softwareNameCH, which is held in the
// system's 8-bit encoding (QString::toLocal8Bit / fromLocal8Bit).
class SetupConfig : public Base::CSingleton<SetupConfig>
{
public:
    SetupConfig();

    std::string guid() const { return m_guid; }
    std::string programName() const { return m_programName; }
    std::string softwareNameEN() const { return m_softwareNameEN; }
    std::string softwareNameCH() const { return m_softwareNameCH; }

    // Reads another file into a fresh record; the loader behind instance() uses the
    // file beside the executable. Meant for tests and tools.
    static SetupConfig fromFile(const QString &filePath);
    // Reads the contents of a file, as fromFile() would read that file.
    static SetupConfig fromData(const QByteArray &data);

    std::string version() const { return m_version; }
    std::string companyName() const { return m_companyName; }
    std::int32_t translator() const { return m_translator; }
    std::int32_t versionType() const { return m_versionType; }
    std::string legalCopyright() const { return m_legalCopyright; }
    std::string installPath() const { return m_installPath; }
    std::string settingFile() const { return m_settingFile; }
    QList<SetupComponent> components() const { return m_components; }

private:
    // Reads the values below root; without a root every field stays empty.
    explicit SetupConfig(const XmlNode *root);
    void load();
    void read(const XmlNode &root);

    std::string m_guid;
    std::string m_version;
    std::string m_companyName;
    std::int32_t m_translator = 0;
    std::int32_t m_versionType = 0;
    std::string m_softwareNameEN;
    std::string m_softwareNameCH;
    std::string m_legalCopyright;
    QList<SetupComponent> m_components;
    std::string m_installPath;
    std::string m_programName;
    std::string m_settingFile;
};

} // namespace appinstaller

#endif

#ifndef SAMPLEPRODUCT_H
#define SAMPLEPRODUCT_H

#include <QMap>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// A sample product installed by scripts/install-sample-product.sh into a directory
// of its own, with the paths that make up its footprint and the environment that
// makes the uninstaller see it.
class SampleProduct
{
public:
    // Installs into dir (created if needed), with bulkFiles more small files in the
    // install directory so that removing it takes a while. Check isInstalled() afterwards.
    explicit SampleProduct(const QString &dir, int bulkFiles = 0);

    bool isInstalled() const { return m_installed; }
    QString error() const { return m_error; }

    QString root() const { return m_root; }
    QString home() const;
    QString installDir() const { return m_installDir; }
    QString uninstaller() const { return m_uninstaller; }
    QString keyFile() const;
    // The product's Uninstall key as the registry names it, "HKEY_LOCAL_MACHINE\...\{GUID}".
    QString keyPath() const;
    QString appConfig() const { return m_installDir + QStringLiteral("/AppConfig.xml"); }

    // Copies the uninstaller with its companions and AppConfig.xml to dir, as a user
    // would keep one to run again; returns the copy's executable.
    QString copyUninstallerTo(const QString &dir) const;

    // Everything the uninstaller is meant to remove, as absolute paths.
    QStringList footprint() const;
    // Those footprint paths that still exist.
    QStringList remainingFootprint() const;

    // The environment for the uninstaller: the sandbox's HOME and XDG variables,
    // a UTF-8 locale in the given language and the X11 platform.
    QProcessEnvironment environment(const QString &language = QStringLiteral("en")) const;

    // A listing of the whole sandbox, for before/after comparisons.
    QMap<QString, QString> listing() const;
    // Differences between two listings, one line per entry, outside the footprint
    // when outsideFootprintOnly is set. Caches that libraries such as fontconfig
    // keep on their own are never counted.
    QStringList changes(const QMap<QString, QString> &before, const QMap<QString, QString> &after,
                        bool outsideFootprintOnly = true) const;

    // What contradicts a complete uninstall since the listing `before`: footprint
    // paths that remain and changes outside the footprint; empty when there is none.
    QStringList faultsOfCompleteUninstall(const QMap<QString, QString> &before) const;

private:
    QString m_root;
    QString m_installDir;
    QString m_uninstaller;
    QMap<QString, QString> m_scriptEnvironment;
    QString m_error;
    bool m_installed = false;
};

#endif

#ifndef PRODUCTFIXTURE_H
#define PRODUCTFIXTURE_H

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// The product the engine tests uninstall, laid out in the test's sandbox the way
// its installer would have left it, and the things around it that are not the
// product's and must survive every uninstall.
namespace productfixture {

QString guid();
QString nameEN();
QString nameCH();

// AppConfig.xml beside the test executable. The setup description is read once
// per process, so this has to happen before its first use.
bool writeSetupDescription(const QString &guid, const QString &nameEN, const QString &nameCH);
bool removeSetupDescription();

// Whether this process is a child that runChildForCurrentRow() started.
bool isRowChild();
// Runs the current test row again in a child process of this test executable, which
// reads the setup description beside it afresh. Returns the child's output when the
// row did not pass there, an empty string when it did.
QString runChildForCurrentRow(const char *testClassName);

QString root();
QString home();
QString desktop();
// The public desktop, without the trailing "/".
QString publicDesktop();
QString startMenu();
// <stand-in drive>/Program Files/<nameEN()>
QString installDir();

QString keyFile(const QString &guid);
bool registerProduct(const QString &guid, const QString &installLocation);

bool makeFile(const QString &path, const QByteArray &content = QByteArrayLiteral("data\n"));
bool makeDir(const QString &path);
bool makeLink(const QString &target, const QString &link);

// Nested directories, hidden, read-only and empty entries, names with spaces and
// non-ASCII characters.
bool installTree(const QString &dir);

// Files in the home's folders, on both desktops and in the Start menu (named like
// the product but not the same), the working directory <root>/work holding a
// "Viewer" folder of its own, and links in <root>/links: "home" to the home,
// "notes" to a file, "dangling" to nothing.
bool createSurroundings();

// Every entry of the sandbox (see TestSandbox::listing).
QMap<QString, QString> listing();
// The listing without the entries at or below each of the absolute paths.
QMap<QString, QString> without(QMap<QString, QString> entries, const QStringList &paths);

} // namespace productfixture

#endif

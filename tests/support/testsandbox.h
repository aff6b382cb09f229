#ifndef TESTSANDBOX_H
#define TESTSANDBOX_H

#include <QApplication>
#include <QMap>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

// A throw-away home for one test process: HOME and the XDG variables point into a
// temporary directory, so desktop, Start menu and registry stand-in all live there.
// Created before the application object, so that Qt never sees the real home.
class TestSandbox
{
public:
    TestSandbox();

    bool isValid() const { return m_dir.isValid(); }
    QString root() const { return m_dir.path(); }
    QString home() const;
    QString dataHome() const;
    QString configHome() const;

    // The environment for a child process that should see this sandbox.
    QProcessEnvironment environment() const;

    // Every entry below dir (relative path -> kind, size and permissions), for
    // before/after comparisons that show what a run changed.
    static QMap<QString, QString> listing(const QString &dir);

    // The process-wide sandbox of the running test.
    static TestSandbox *current();

private:
    QTemporaryDir m_dir;
};

// Like QTEST_MAIN, but the sandbox exists before QApplication is constructed.
#define UNINSTALL_TEST_MAIN(TestObject)                                                            \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        TestSandbox sandbox;                                                                       \
        if (!sandbox.isValid())                                                                    \
            return 1;                                                                              \
        QApplication app(argc, argv);                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

#endif

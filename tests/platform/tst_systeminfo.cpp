#include "platform/machinearch.h"
#include "platform/systeminfo.h"
#include "testsandbox.h"

#include <QtTest>

#include <sys/utsname.h>

using namespace appinstaller::platform;

class TestSystemInfo : public QObject
{
    Q_OBJECT

private slots:
    void machineNameMapsToWindowsCode_data();
    void machineNameMapsToWindowsCode();
    void unmappedMachineIsNeither64BitCode_data();
    void unmappedMachineIsNeither64BitCode();
    void nativeArchitectureIsThisMachines();
};

void TestSystemInfo::machineNameMapsToWindowsCode_data()
{
    QTest::addColumn<QByteArray>("machine");
    QTest::addColumn<int>("expected");

    QTest::newRow("x86_64") << QByteArray("x86_64") << 9;
    QTest::newRow("ia64") << QByteArray("ia64") << 6;
    QTest::newRow("aarch64") << QByteArray("aarch64") << 12;
    QTest::newRow("i386") << QByteArray("i386") << 0;
    QTest::newRow("i486") << QByteArray("i486") << 0;
    QTest::newRow("i586") << QByteArray("i586") << 0;
    QTest::newRow("i686") << QByteArray("i686") << 0;
}

void TestSystemInfo::machineNameMapsToWindowsCode()
{
    QFETCH(QByteArray, machine);
    QFETCH(int, expected);

    QCOMPARE(processorArchitectureOfMachine(machine.constData()), expected);
}

void TestSystemInfo::unmappedMachineIsNeither64BitCode_data()
{
    QTest::addColumn<QByteArray>("machine");

    QTest::newRow("armv7l") << QByteArray("armv7l");
    QTest::newRow("empty") << QByteArray("");
    QTest::newRow("upper case") << QByteArray("X86_64");
    QTest::newRow("i786") << QByteArray("i786");
}

void TestSystemInfo::unmappedMachineIsNeither64BitCode()
{
    QFETCH(QByteArray, machine);

    const int architecture = processorArchitectureOfMachine(machine.constData());
    QVERIFY(architecture != ArchitectureAmd64);
    QVERIFY(architecture != ArchitectureIa64);
    QVERIFY(architecture != ArchitectureIntel);
    QVERIFY(architecture != ArchitectureArm64);
}

void TestSystemInfo::nativeArchitectureIsThisMachines()
{
    utsname system = {};
    QCOMPARE(uname(&system), 0);
    QCOMPARE(nativeProcessorArchitecture(), processorArchitectureOfMachine(system.machine));
}

UNINSTALL_TEST_MAIN(TestSystemInfo)

#include "tst_systeminfo.moc"

// Setup descriptions that are huge, deeply nested, badly encoded, malicious or not
// files at all. Each must give a clear result quickly and within bounded memory:
// either the values the document holds, or, for what cannot be read safely, the
// empty record of a missing file, which names no product and so removes nothing.

#include "product/setupconfig.h"
#include "product/xmlnode.h"
#include "testsandbox.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QVariantMap>
#include <QtTest>

#include <algorithm>

using appinstaller::SetupComponent;
using appinstaller::SetupConfig;
using appinstaller::XmlNode;

namespace {

// The whole literal, NULs included.
template <int Size>
QByteArray bytes(const char (&literal)[Size])
{
    return QByteArray(literal, Size - 1);
}

const QString kDefaultName = QStringLiteral("Raruz Evereruzozive");

QByteArray description(const QByteArray &body)
{
    return QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<AppConfig>\n") + body
           + QByteArrayLiteral("\n</AppConfig>\n");
}

// depth elements inside one another around a GUID; the closing tags are left out
// when closed is false.
QByteArray nested(int depth, bool closed)
{
    QByteArray document("<?xml version=\"1.0\"?>");
    document.reserve(depth * 8 + 64);
    for (int level = 0; level < depth; ++level)
        document += "<a>";
    document += "<GUID>{DEEP}</GUID>";
    if (closed) {
        for (int level = 0; level < depth; ++level)
            document += "</a>";
    }
    return document;
}

// Components until the document is size bytes long, then the GUID, so that the
// whole document has to be read to find it.
QByteArray manyComponents(int size)
{
    const QByteArray component("<Component><Name>core</Name><FilePath>core.dll</FilePath></Component>\n");
    QByteArray document("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<AppConfig><Components>\n");
    const QByteArray tail("</Components><GUID>{LAST}</GUID></AppConfig>\n");
    document.reserve(size);
    while (document.size() + component.size() + tail.size() <= size)
        document += component;
    document += tail;
    document += QByteArray(size - document.size(), '\n');
    return document;
}

// text in a UTF-16 byte order, after the byte-order mark of that order.
QByteArray utf16(const QString &text, const char *codec, const QByteArray &byteOrderMark)
{
    QTextEncoder encoder(QTextCodec::codecForName(codec), QTextCodec::IgnoreHeader);
    return byteOrderMark + encoder.fromUnicode(text);
}

QVariantMap fieldsOf(const SetupConfig &config)
{
    QStringList components;
    const QList<SetupComponent> list = config.components();
    for (const SetupComponent &component : list)
        components << component.name + QLatin1Char('=') + component.filePath;
    return {
        {QStringLiteral("guid"), QString::fromStdString(config.guid())},
        {QStringLiteral("softwareNameEN"), QString::fromStdString(config.softwareNameEN())},
        {QStringLiteral("softwareNameCH"), QString::fromLocal8Bit(config.softwareNameCH().c_str())},
        {QStringLiteral("installPath"), QString::fromStdString(config.installPath())},
        {QStringLiteral("version"), QString::fromStdString(config.version())},
        {QStringLiteral("companyName"), QString::fromStdString(config.companyName())},
        {QStringLiteral("components"), components.size()},
    };
}

// What a file that cannot be read at all gives: no values, not even the default name.
QVariantMap unreadable()
{
    return {{QStringLiteral("guid"), QString()},
            {QStringLiteral("softwareNameEN"), QString()},
            {QStringLiteral("installPath"), QString()},
            {QStringLiteral("components"), 0}};
}

QString mismatches(const QVariantMap &actual, const QVariantMap &expected)
{
    QStringList lines;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (actual.value(it.key()) != it.value())
            lines << QStringLiteral("%1: read \"%2\", expected \"%3\"")
                         .arg(it.key(), actual.value(it.key()).toString(), it.value().toString());
    }
    return lines.join(QLatin1Char('\n'));
}

// The peak resident set of this process in KiB, as the kernel counts it.
qint64 peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    const QList<QByteArray> lines = status.readAll().split('\n');
    const auto peak = std::find_if(lines.cbegin(), lines.cend(),
                                   [](const QByteArray &line) { return line.startsWith("VmHWM:"); });
    return peak == lines.cend() ? -1 : peak->mid(6).trimmed().split(' ').value(0).toLongLong();
}

// Starts a new peak from the present resident set.
bool resetPeakResident()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

} // namespace

class TestHostileConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void readsWhatItSafelyCan_data();
    void readsWhatItSafelyCan();
    void oversizedFileIsNotRead();
    void largestReadableFileStaysWithinBounds();
    void nestingBeyondTheLimitIsRefused_data();
    void nestingBeyondTheLimitIsRefused();
    void onlyRegularFilesAreRead_data();
    void onlyRegularFilesAreRead();
    void unreadableFileIsRefused();

private:
    QString write(const QString &name, const QByteArray &content);

    QTemporaryDir m_dir;
    QTextCodec *m_localeCodec = nullptr;
};

void TestHostileConfig::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_localeCodec = QTextCodec::codecForLocale();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
}

void TestHostileConfig::cleanupTestCase()
{
    QTextCodec::setCodecForLocale(m_localeCodec);
}

QString TestHostileConfig::write(const QString &name, const QByteArray &content)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
        return QString();
    return path;
}

void TestHostileConfig::readsWhatItSafelyCan_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QVariantMap>("expected");

    const QString chinese = QStringLiteral(u"\u67e5\u770b\u5668");
    const QString whole = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<AppConfig><GUID>{W}</GUID>"
                                         "<SoftwareNameCH>%1</SoftwareNameCH></AppConfig>\n")
                              .arg(chinese);
    const QVariantMap wholeRead{{QStringLiteral("guid"), QStringLiteral("{W}")},
                                {QStringLiteral("softwareNameEN"), kDefaultName},
                                {QStringLiteral("softwareNameCH"), chinese}};

    QTest::newRow("UTF-16LE with a byte-order mark")
        << utf16(whole, "UTF-16LE", "\xff\xfe") << wholeRead;
    QTest::newRow("UTF-16BE with a byte-order mark")
        << utf16(whole, "UTF-16BE", "\xfe\xff") << wholeRead;
    QTest::newRow("UTF-8 with a byte-order mark")
        << description("<GUID>{B}</GUID>").prepend("\xef\xbb\xbf")
        << QVariantMap{{QStringLiteral("guid"), QStringLiteral("{B}")}};

    // Bytes that are no UTF-8 become replacement characters; the rest is read.
    QTest::newRow("invalid UTF-8 in a value")
        << description("<GUID>{A\xff\xfe}</GUID><SoftwareNameEN>Vi\xc3(ewer</SoftwareNameEN>")
        << QVariantMap{{QStringLiteral("guid"), QStringLiteral(u"{A\ufffd\ufffd}")},
                       {QStringLiteral("softwareNameEN"), QStringLiteral(u"Vi\ufffd(ewer")}};
    // A replacement character is no name character: the document ends there.
    QTest::newRow("invalid UTF-8 in an element name")
        << description("<GUID>{A}</GUID><Na\xffme>x</Na\xffme><Version>2</Version>")
        << QVariantMap{{QStringLiteral("guid"), QStringLiteral("{A}")}, {QStringLiteral("version"), QString()}};

    // A value ends at a NUL, as the C string it becomes would.
    QTest::newRow("NUL byte inside a value")
        << description(bytes("<GUID>{A}</GUID><SoftwareNameEN>Viewer\0/../..</SoftwareNameEN>"))
        << QVariantMap{{QStringLiteral("guid"), QStringLiteral("{A}")},
                       {QStringLiteral("softwareNameEN"), QStringLiteral("Viewer")}};
    QTest::newRow("NUL bytes before the root")
        << bytes("\0\0\0\0<AppConfig><GUID>{A}</GUID></AppConfig>")
        << QVariantMap{{QStringLiteral("guid"), QString()}, {QStringLiteral("softwareNameEN"), kDefaultName}};

    // Qt refuses entities that would expand past a few thousand characters, in the
    // document type already: nothing of the document is read.
    QByteArray laughs("<?xml version=\"1.0\"?>\n<!DOCTYPE AppConfig [\n<!ENTITY lol \"lol\">\n");
    for (int level = 1; level <= 9; ++level) {
        const QByteArray previous = level == 1 ? QByteArray("&lol;") : "&lol" + QByteArray::number(level - 1) + ';';
        laughs += "<!ENTITY lol" + QByteArray::number(level) + " \"" + previous.repeated(10) + "\">\n";
    }
    laughs += "]>\n<AppConfig><GUID>{L}</GUID><CompanyName>&lol9;</CompanyName><Version>3</Version></AppConfig>\n";
    QTest::newRow("billion laughs")
        << laughs << QVariantMap{{QStringLiteral("guid"), QString()},
                                 {QStringLiteral("softwareNameEN"), kDefaultName},
                                 {QStringLiteral("companyName"), QString()}};

    // External entities are never fetched: the value stays empty instead of holding
    // another file's contents.
    QTest::newRow("external entity")
        << QByteArray("<?xml version=\"1.0\"?>\n<!DOCTYPE AppConfig [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>\n"
                      "<AppConfig><GUID>&x;</GUID><Version>4</Version></AppConfig>\n")
        << QVariantMap{{QStringLiteral("guid"), QString()}, {QStringLiteral("version"), QStringLiteral("4")}};

    QTest::newRow("empty file") << QByteArray("")
                                << QVariantMap{{QStringLiteral("guid"), QString()},
                                               {QStringLiteral("softwareNameEN"), kDefaultName}};
    QTest::newRow("binary garbage")
        << bytes("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xd8\xff\xe0<\xfe>")
        << QVariantMap{{QStringLiteral("guid"), QString()}, {QStringLiteral("softwareNameEN"), kDefaultName}};
}

void TestHostileConfig::readsWhatItSafelyCan()
{
    QFETCH(QByteArray, content);
    QFETCH(QVariantMap, expected);

    const QString path = write(QStringLiteral("AppConfig.xml"), content);
    QVERIFY(!path.isEmpty());
    const QVariantMap fromFile = fieldsOf(SetupConfig::fromFile(path));
    QVERIFY2(mismatches(fromFile, expected).isEmpty(), qPrintable(mismatches(fromFile, expected)));
    QCOMPARE(fieldsOf(SetupConfig::fromData(content)), fromFile);
}

// 50 MB: far more than any setup description. It is not read at all, so it costs
// neither time nor memory, and names no product.
void TestHostileConfig::oversizedFileIsNotRead()
{
    const QString path = write(QStringLiteral("huge.xml"), manyComponents(50 * 1024 * 1024));
    QVERIFY(!path.isEmpty());
    QVERIFY(resetPeakResident());
    const qint64 before = peakResidentKiB();

    QElapsedTimer timer;
    timer.start();
    const QVariantMap fields = fieldsOf(SetupConfig::fromFile(path));
    const qint64 elapsed = timer.elapsed();
    const qint64 grown = peakResidentKiB() - before;
    QFile::remove(path);

    qInfo("50 MB file: %lld ms, peak resident set grew by %lld KiB", elapsed, grown);
    QVERIFY2(mismatches(fields, unreadable()).isEmpty(), qPrintable(mismatches(fields, unreadable())));
    QVERIFY2(grown < 32 * 1024, qPrintable(QStringLiteral("peak grew by %1 KiB").arg(grown)));
    QVERIFY2(elapsed < 5000, qPrintable(QStringLiteral("took %1 ms").arg(elapsed)));
}

// The largest file that is read, made of the smallest elements: the costliest DOM
// a description may produce. Every part of it is read, in bounded memory.
void TestHostileConfig::largestReadableFileStaysWithinBounds()
{
    const QByteArray content = manyComponents(XmlNode::kMaxDataSize);
    QCOMPARE(content.size(), XmlNode::kMaxDataSize);
    const QString path = write(QStringLiteral("largest.xml"), content);
    QVERIFY(!path.isEmpty());
    QVERIFY(resetPeakResident());
    const qint64 before = peakResidentKiB();

    QElapsedTimer timer;
    timer.start();
    const QVariantMap fields = fieldsOf(SetupConfig::fromFile(path));
    const qint64 elapsed = timer.elapsed();
    const qint64 grown = peakResidentKiB() - before;
    QFile::remove(path);

    qInfo("%d components: %lld ms, peak resident set grew by %lld KiB",
          fields.value(QStringLiteral("components")).toInt(), elapsed, grown);
    QCOMPARE(fields.value(QStringLiteral("guid")).toString(), QStringLiteral("{LAST}"));
    QVERIFY(fields.value(QStringLiteral("components")).toInt() > 50000);
    // Some twenty times the size of the text without sanitizers; a sanitizer's
    // bookkeeping adds to that.
    QVERIFY2(grown < 512 * 1024, qPrintable(QStringLiteral("peak grew by %1 KiB").arg(grown)));

    // One byte more and the file is not read.
    const QString over = write(QStringLiteral("over.xml"), content + '\n');
    QVERIFY(!over.isEmpty());
    const QVariantMap overFields = fieldsOf(SetupConfig::fromFile(over));
    QFile::remove(over);
    QVERIFY2(mismatches(overFields, unreadable()).isEmpty(), qPrintable(mismatches(overFields, unreadable())));
}

void TestHostileConfig::nestingBeyondTheLimitIsRefused_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("readable");

    // 100,000 levels overflow the stack of Qt's recursive parser on any platform.
    QTest::newRow("100,000 levels") << nested(100000, true) << false;
    QTest::newRow("100,000 levels, never closed") << nested(100000, false) << false;
    QTest::newRow("one level over the limit") << nested(XmlNode::kMaxDepth, true) << false;
    QTest::newRow("at the limit") << nested(XmlNode::kMaxDepth - 1, true) << true;
    // Few enough '<' that no nesting can come near the limit, malformed or not.
    QTest::newRow("shallow and never closed") << nested(XmlNode::kMaxDepth / 2, false) << true;
    // Many '<' and not well-formed: how deep it goes cannot be told, so it is refused.
    QTest::newRow("shallow, many elements, malformed")
        << description(QByteArray("<x/>").repeated(XmlNode::kMaxDepth) + "<GUID>{DEEP}</GUID></Broken>")
        << false;
}

void TestHostileConfig::nestingBeyondTheLimitIsRefused()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, readable);

    const QString path = write(QStringLiteral("deep.xml"), content);
    QVERIFY(!path.isEmpty());
    const QVariantMap fields = fieldsOf(SetupConfig::fromFile(path));
    if (readable)
        QCOMPARE(fields.value(QStringLiteral("guid")).toString(), QStringLiteral("{DEEP}"));
    else
        QVERIFY2(mismatches(fields, unreadable()).isEmpty(), qPrintable(mismatches(fields, unreadable())));
}

void TestHostileConfig::onlyRegularFilesAreRead_data()
{
    QTest::addColumn<QString>("kind");

    QTest::newRow("a directory") << "directory";
    QTest::newRow("a FIFO nobody writes to") << "fifo";
    QTest::newRow("a link to an endless device") << "device";
    QTest::newRow("a dangling link") << "dangling";
}

void TestHostileConfig::onlyRegularFilesAreRead()
{
    QFETCH(QString, kind);

    const QString path = m_dir.filePath(QStringLiteral("special-") + kind);
    if (kind == QLatin1String("directory")) {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == QLatin1String("fifo")) {
        if (QProcess::execute(QStringLiteral("mkfifo"), {path}) != 0)
            QSKIP("mkfifo is not available here");
    } else if (kind == QLatin1String("device")) {
        if (!QFile::exists(QStringLiteral("/dev/zero")))
            QSKIP("there is no /dev/zero here");
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    } else {
        QVERIFY(QFile::link(m_dir.filePath(QStringLiteral("nowhere")), path));
    }

    // A FIFO would block here for good, and /dev/zero never end: the test's time-out
    // is the failure.
    const QVariantMap fields = fieldsOf(SetupConfig::fromFile(path));
    QVERIFY2(mismatches(fields, unreadable()).isEmpty(), qPrintable(mismatches(fields, unreadable())));
}

void TestHostileConfig::unreadableFileIsRefused()
{
    const QString path = write(QStringLiteral("locked.xml"), description("<GUID>{LOCKED}</GUID>"));
    QVERIFY(!path.isEmpty());
    QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
    QFile probe(path);
    if (probe.open(QIODevice::ReadOnly))
        QSKIP("this user reads files without read permission (root)");

    const QVariantMap fields = fieldsOf(SetupConfig::fromFile(path));
    QVERIFY2(mismatches(fields, unreadable()).isEmpty(), qPrintable(mismatches(fields, unreadable())));
}

UNINSTALL_TEST_MAIN(TestHostileConfig)
#include "tst_hostileconfig.moc"

#include "testsandbox.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QResource>
#include <QtEndian>

// The program's own embedded resources: what the window and its widgets name must
// be there, in the form they read it.
class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void everyPathInUseIsEmbeddedUncompressed_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("style sheet") << QStringLiteral(":/Uninstall/Qss/Uninstall.qss");
        QTest::newRow("band picture") << QStringLiteral(":/Uninstall/Images/Background.png");
        QTest::newRow("icon") << QStringLiteral(":/Uninstall/Images/icon.ico");
        QTest::newRow("close glyph") << QStringLiteral(":/Uninstall/Images/common_close.svg");
        QTest::newRow("success glyph") << QStringLiteral(":/Uninstall/Images/common_feedback_success_lg.svg");
        QTest::newRow("warning glyph") << QStringLiteral(":/Uninstall/Images/common_feedback_warning_lg.svg");
    }

    void everyPathInUseIsEmbeddedUncompressed()
    {
        QFETCH(QString, path);

        const QResource resource(path);
        QVERIFY(resource.isValid());
        QVERIFY(resource.size() > 0);
        QCOMPARE(resource.compressionAlgorithm(), QResource::NoCompression);
    }

    void styleDirectoryHoldsOnlyTheSheet()
    {
        // Every file there becomes part of the window's style sheet.
        QCOMPARE(QDir(QStringLiteral(":/Uninstall/Qss/")).entryList(QDir::Files, QDir::NoSort),
                 QStringList{QStringLiteral("Uninstall.qss")});
    }

    void bandPictureIsAsLargeAsTheBand()
    {
        const QImage picture(QStringLiteral(":/Uninstall/Images/Background.png"));
        QVERIFY(!picture.isNull());
        QCOMPARE(picture.size(), QSize(720, 320));
        QVERIFY(picture.hasAlphaChannel());
    }

    void iconHoldsElevenImages()
    {
        QImageReader reader(QStringLiteral(":/Uninstall/Images/icon.ico"));
        QCOMPARE(reader.imageCount(), 11);
        QList<int> sides;
        for (int index = 0; index < reader.imageCount(); ++index) {
            QVERIFY(reader.jumpToImage(index));
            const QImage image = reader.read();
            QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
            QCOMPARE(image.width(), image.height());
            sides.append(image.width());
        }
        QCOMPARE(sides, (QList<int>{256, 128, 96, 80, 72, 64, 48, 32, 24, 16, 16}));
    }

    void iconImagesAreStoredAsWindowsExpects()
    {
        // How each image is stored is not visible through QImage: read the icon
        // directory and each image's own header.
        QFile file(QStringLiteral(":/Uninstall/Images/icon.ico"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray data = file.readAll();
        const auto word = [&data](int at) { return qFromLittleEndian<quint16>(data.constData() + at); };
        const auto dword = [&data](int at) { return qFromLittleEndian<quint32>(data.constData() + at); };
        QCOMPARE(word(2), quint16(1));
        QCOMPARE(word(4), quint16(11));

        QStringList storage;
        for (int index = 0; index < 11; ++index) {
            const int entry = 6 + 16 * index;
            const int offset = int(dword(entry + 12));
            QVERIFY(offset + 16 <= data.size());
            if (data.mid(offset, 8) == QByteArray("\x89PNG\r\n\x1a\n", 8))
                storage.append(QStringLiteral("png"));
            else
                storage.append(QStringLiteral("%1 bpp").arg(word(offset + 14)));
        }
        QCOMPARE(storage, (QStringList{QStringLiteral("png"), QStringLiteral("32 bpp"), QStringLiteral("32 bpp"),
                                       QStringLiteral("32 bpp"), QStringLiteral("32 bpp"), QStringLiteral("32 bpp"),
                                       QStringLiteral("32 bpp"), QStringLiteral("32 bpp"), QStringLiteral("32 bpp"),
                                       QStringLiteral("32 bpp"), QStringLiteral("8 bpp")}));
    }

    void glyphsRender_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("inked");
        QTest::newRow("close") << QStringLiteral(":/Uninstall/Images/common_close.svg") << QSize(24, 24)
                               << QPoint(12, 12);
        QTest::newRow("success") << QStringLiteral(":/Uninstall/Images/common_feedback_success_lg.svg")
                                 << QSize(40, 40) << QPoint(20, 20);
        // The centre is the cut-out bar of the exclamation mark; the disc is beside it.
        QTest::newRow("warning") << QStringLiteral(":/Uninstall/Images/common_feedback_warning_lg.svg")
                                 << QSize(40, 40) << QPoint(10, 20);
    }

    void glyphsRender()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QFETCH(QPoint, inked);

        QImageReader reader(path);
        QCOMPARE(reader.size(), size);
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        // Drawn on transparent ground: the corners are empty, the glyph is not.
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
        QVERIFY(image.pixelColor(inked).alpha() > 0);
    }

    void executableIconIsTheEmbeddedOne()
    {
        const QDir resources(qEnvironmentVariable("UNINSTALL_SOURCE_DIR") + QStringLiteral("/resources"));
        QFile script(resources.filePath(QStringLiteral("Uninstall.rc")));
        QVERIFY(script.open(QIODevice::ReadOnly | QIODevice::Text));
        const QString text = QString::fromUtf8(script.readAll());

        const QRegularExpressionMatch icon =
            QRegularExpression(QStringLiteral("^IDI_ICON1\\s+ICON\\s+\"([^\"]+)\"\\s*$"),
                               QRegularExpression::MultilineOption)
                .match(text);
        QVERIFY(icon.hasMatch());
        QFile iconFile(resources.filePath(icon.captured(1)));
        QVERIFY(iconFile.open(QIODevice::ReadOnly));
        QFile embedded(QStringLiteral(":/Uninstall/Images/icon.ico"));
        QVERIFY(embedded.open(QIODevice::ReadOnly));
        QVERIFY(iconFile.readAll() == embedded.readAll());

        const QRegularExpressionMatch manifest =
            QRegularExpression(QStringLiteral("^1\\s+24\\s+\"([^\"]+)\"\\s*$"), QRegularExpression::MultilineOption)
                .match(text);
        QVERIFY(manifest.hasMatch());
        QFile manifestFile(resources.filePath(manifest.captured(1)));
        QVERIFY(manifestFile.open(QIODevice::ReadOnly));
        QVERIFY(manifestFile.readAll().contains("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"));
    }
};

UNINSTALL_TEST_MAIN(TestResources)
#include "tst_resources.moc"

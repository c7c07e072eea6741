// Checks the pictures the build renders into the game's folder, and that the
// renderer behind them is repeatable and refuses broken sources.

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString runtimeDir = QStringLiteral(POKORI_RUNTIME_DIR);
const QString picturesDir = QStringLiteral(POKORI_SOURCE_DIR "/assets/pictures");

QString toolPath()
{
#ifdef Q_OS_WIN
    return runtimeDir + QStringLiteral("/../tools/svg2bmp/svg2bmp.exe");
#else
    return runtimeDir + QStringLiteral("/../tools/svg2bmp/svg2bmp");
#endif
}

// Runs svg2bmp and returns its exit code, or -1 when it could not run.
int runTool(const QStringList &arguments)
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    tool.setProcessEnvironment(environment);
    tool.start(toolPath(), arguments);
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit)
        return -1;
    return tool.exitCode();
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint32 littleEndian(const QByteArray &bytes, int offset, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes[offset + i]);
    return value;
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class PictureAssets : public QObject
{
    Q_OBJECT

private slots:
    void isAReadableBmpOfItsSize_data() { addPictureRows(); }
    void isAReadableBmpOfItsSize();
    void rendersToTheSameBytesEveryTime_data() { addPictureRows(); }
    void rendersToTheSameBytesEveryTime();
    void toolChecksItsInput_data();
    void toolChecksItsInput();

private:
    static void addPictureRows();
};

void PictureAssets::addPictureRows()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("title") << "stt" << 576 << 812;
    const QStringList scenes = {"0", "1", "2", "3", "img1", "img2", "end0", "end1",
                                "end1b", "end2", "end2b", "end2c", "end"};
    for (const QString &scene : scenes)
        QTest::newRow(qPrintable(scene)) << scene << 530 << 530;
}

void PictureAssets::isAReadableBmpOfItsSize()
{
    QFETCH(QString, name);
    QFETCH(int, width);
    QFETCH(int, height);
    const QString path = runtimeDir + QLatin1Char('/') + name + QStringLiteral(".bmp");

    const QByteArray bytes = readAll(path);
    QVERIFY2(bytes.size() > 54, qPrintable(path + QStringLiteral(" is missing or too short")));
    QCOMPARE(bytes.left(2), QByteArray("BM"));
    QCOMPARE(littleEndian(bytes, 18, 4), quint32(width));
    QCOMPARE(littleEndian(bytes, 22, 4), quint32(height));
    QCOMPARE(littleEndian(bytes, 28, 2), quint32(24));

    const QImage image(path);
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), QSize(width, height));

    // A source QtSvg could not draw leaves a plain white sheet; a drawing
    // with outlines and antialiased edges has hundreds of colours.
    QSet<QRgb> colours;
    for (int y = 0; y < height; y += 4)
        for (int x = 0; x < width; x += 4)
            colours.insert(image.pixel(x, y));
    QVERIFY2(colours.size() > 200, qPrintable(QStringLiteral("only %1 colours").arg(colours.size())));
}

void PictureAssets::rendersToTheSameBytesEveryTime()
{
    QFETCH(QString, name);
    QFETCH(int, width);
    QFETCH(int, height);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    const QString source = picturesDir + QLatin1Char('/') + name + QStringLiteral(".svg");
    const QString parts = picturesDir + QStringLiteral("/parts.svg");
    QByteArray renders[2];
    for (int i = 0; i < 2; ++i) {
        const QString out = dir.filePath(QStringLiteral("%1.bmp").arg(i));
        QCOMPARE(runTool({source, out, QString::number(width), QString::number(height),
                          QStringLiteral("--defs"), parts}),
                 0);
        renders[i] = readAll(out);
    }
    QVERIFY(!renders[0].isEmpty());
    QVERIFY(renders[0] == renders[1]);
    QVERIFY2(renders[0] == readAll(runtimeDir + QLatin1Char('/') + name + QStringLiteral(".bmp")),
             "the built picture differs from a fresh render of its source");
}

void PictureAssets::toolChecksItsInput_data()
{
    QTest::addColumn<QByteArray>("picture");
    QTest::addColumn<QByteArray>("parts");
    QTest::addColumn<QString>("width");
    QTest::addColumn<bool>("accepted");

    const QByteArray header = "<svg xmlns=\"http://www.w3.org/2000/svg\" "
                              "xmlns:xlink=\"http://www.w3.org/1999/xlink\">";
    const QByteArray goodParts = header + "<defs><circle id=\"dot\" r=\"3\"/></defs></svg>";
    const QByteArray usesDot = header + "<use xlink:href=\"#dot\"/></svg>";

    QTest::newRow("well-formed picture") << usesDot << goodParts << "8" << true;
    QTest::newRow("zero width") << usesDot << goodParts << "0" << false;
    QTest::newRow("unclosed element") << QByteArray(header + "<rect width=\"3\"") << goodParts
                                      << "8" << false;
    QTest::newRow("use of a missing part") << QByteArray(header + "<use xlink:href=\"#gone\"/></svg>")
                                           << goodParts << "8" << false;
    QTest::newRow("parts without defs") << usesDot << QByteArray(header + "</svg>") << "8" << false;
    QTest::newRow("parts not XML") << usesDot << QByteArray("defs") << "8" << false;
}

void PictureAssets::toolChecksItsInput()
{
    QFETCH(QByteArray, picture);
    QFETCH(QByteArray, parts);
    QFETCH(QString, width);
    QFETCH(bool, accepted);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    writeFile(dir.filePath(QStringLiteral("picture.svg")), picture);
    writeFile(dir.filePath(QStringLiteral("parts.svg")), parts);
    const QString out = dir.filePath(QStringLiteral("out.bmp"));

    const int exitCode = runTool({dir.filePath(QStringLiteral("picture.svg")), out, width,
                                  QStringLiteral("8"), QStringLiteral("--defs"),
                                  dir.filePath(QStringLiteral("parts.svg"))});
    if (accepted) {
        QCOMPARE(exitCode, 0);
        QVERIFY(!QImage(out).isNull());
    } else {
        QVERIFY(exitCode > 0);
        QVERIFY(!QFile::exists(out));
    }
}

QTEST_GUILESS_MAIN(PictureAssets)
#include "test_picture_assets.moc"

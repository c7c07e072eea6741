// Compiles the Windows resource script with the MinGW resource compiler and
// reads the icon and version record back from the result.

#include "resource_file.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kTitle = QStringLiteral("ポコリー救出劇");
const QString kVersion = QStringLiteral("1.00.0001");
constexpr quint16 kJapanese = 0x0411;
constexpr quint16 kUnicodeCodePage = 1200;

} // namespace

class TestWindowsResource : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void versionRecordIsJapaneseUnicode();
    void versionNumbers();
    void versionStrings_data();
    void versionStrings();
    void iconGroupHoldsTheThreePictures();

private:
    const Resource* find(int type) const;

    QList<Resource> m_resources;
    VersionRecord m_version;
};

void TestWindowsResource::initTestCase()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString res = dir.filePath(QStringLiteral("pokori-rescue.res"));
    // The host's C preprocessor stands in for MinGW's: the script uses no
    // Windows headers.
    QProcess windres;
    windres.setProcessChannelMode(QProcess::ForwardedChannels);
    windres.start(QStringLiteral("x86_64-w64-mingw32-windres"),
                  {QStringLiteral("--preprocessor=cpp"), QStringLiteral("-I"),
                   QStringLiteral(POKORI_ICON_DIR), QStringLiteral("-O"), QStringLiteral("res"),
                   QStringLiteral("-i"), QStringLiteral(POKORI_RESOURCE_SCRIPT),
                   QStringLiteral("-o"), res});
    QVERIFY2(windres.waitForFinished(-1) && windres.error() == QProcess::UnknownError,
             "cannot run x86_64-w64-mingw32-windres (scripts/deps installs binutils-mingw-w64-x86-64)");
    QCOMPARE(windres.exitCode(), 0);

    QFile file(res);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const auto resources = readResFile(file.readAll());
    QVERIFY2(resources, "the .res file is malformed");
    m_resources = *resources;

    const Resource* version = find(kVersionType);
    QVERIFY2(version, "no version record");
    const auto record = readVersionRecord(version->data);
    QVERIFY2(record, "the version record is malformed");
    m_version = *record;
}

const Resource* TestWindowsResource::find(int type) const
{
    for (const Resource& resource : m_resources) {
        if (resource.type == type)
            return &resource;
    }
    return nullptr;
}

void TestWindowsResource::versionRecordIsJapaneseUnicode()
{
    QCOMPARE(find(kVersionType)->language, int(kJapanese));
    QCOMPARE(m_version.strings.keys(), QStringList{QStringLiteral("041104B0")});
    QCOMPARE(m_version.translations, (QList<quint16>{kJapanese, kUnicodeCodePage}));
}

void TestWindowsResource::versionNumbers()
{
    const QList<quint16> expected{1, 0, 0, 1};
    QCOMPARE(m_version.fileVersion, expected);
    QCOMPARE(m_version.productVersion, expected);
}

void TestWindowsResource::versionStrings_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::newRow("file version") << QStringLiteral("FileVersion") << kVersion;
    QTest::newRow("product version") << QStringLiteral("ProductVersion") << kVersion;
    QTest::newRow("product name") << QStringLiteral("ProductName") << kTitle;
    QTest::newRow("internal name") << QStringLiteral("InternalName") << kTitle;
    QTest::newRow("original file name") << QStringLiteral("OriginalFilename")
                                        << kTitle + QStringLiteral(".exe");
    QTest::newRow("comments") << QStringLiteral("Comments")
                              << QStringLiteral("指示されたボタンを連打して倒れていた人を救え！");
}

void TestWindowsResource::versionStrings()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    const auto table = m_version.strings.value(QStringLiteral("041104B0"));
    QVERIFY2(table.contains(name), qPrintable(name + QStringLiteral(" is missing")));
    QCOMPARE(table.value(name), value);
}

void TestWindowsResource::iconGroupHoldsTheThreePictures()
{
    const Resource* group = find(kIconGroupType);
    QVERIFY2(group, "no icon");
    const auto entries = readIconGroup(group->data);
    QVERIFY2(entries, "the icon group is malformed");
    QCOMPARE(entries->size(), 3);
    const int expected[3][3] = {{32, 2, 1}, {32, 16, 4}, {16, 16, 4}}; // size, colours, bits
    for (int i = 0; i < 3; ++i) {
        const IconGroupEntry& entry = entries->at(i);
        QCOMPARE(entry.width, expected[i][0]);
        QCOMPARE(entry.height, expected[i][0]);
        QCOMPARE(entry.colourCount, expected[i][1]);
        QCOMPARE(entry.bitsPerPixel, expected[i][2]);
    }
}

QTEST_GUILESS_MAIN(TestWindowsResource)
#include "test_windows_resource.moc"

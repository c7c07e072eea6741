// The web page's pictures: what svg2bmp makes of each picture for the page
// uses nothing a browser lacks, and drawn as the desktop's bitmap is drawn,
// it is that bitmap.
#include "assets/asset_files.h"
#include "tools/svg2bmp/render.h"
#include "tools/svg2bmp/shared_defs.h"
#include "tools/svg2bmp/web_svg.h"

#include <QFile>
#include <QImage>
#include <QtTest>

#include <algorithm>
#include <cstdlib>

namespace {

QString readSource(const QString& name)
{
    QFile file(QStringLiteral(POKORI_PICTURE_SOURCES "/") + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class WebPicturesTest : public QObject {
    Q_OBJECT
private slots:
    void eachPictureIsTheDesktopsBitmapInAnyBrowser_data()
    {
        QTest::addColumn<QString>("bitmap");
        QTest::addColumn<QSize>("size");
        for (const PictureFile& picture : kPictureFiles)
            QTest::newRow(picture.name) << QString(picture.name) << QSize(picture.width, picture.height);
    }
    void eachPictureIsTheDesktopsBitmapInAnyBrowser()
    {
        QFETCH(QString, bitmap);
        QFETCH(QSize, size);
        const auto defs = defsContent(readSource(QStringLiteral("parts.svg")));
        QVERIFY(defs);
        const auto picture
            = withSharedDefs(readSource(QString(bitmap).replace(QLatin1String(".bmp"), QLatin1String(".svg"))), *defs);
        QVERIFY(picture);
        QString error;
        const auto page = webSvg(*picture, size.width(), size.height(), error);
        QVERIFY2(page, qPrintable(error));
        // No text, which an <img> draws only in a font of its own, nor a paint of SVG Tiny's.
        QVERIFY(!page->contains(QLatin1String("<text")) && !page->contains(QLatin1String("solidColor")));

        const auto drawn = renderSvg(*page, size.width(), size.height(), error);
        QVERIFY2(drawn, qPrintable(error));
        const QImage desktop(QStringLiteral(POKORI_RUNTIME_DIR "/") + bitmap);
        QCOMPARE(desktop.size(), size);
        // Edges are smoothed a little differently here and there; a part
        // missing or out of place differs by far more.
        qsizetype differing = 0;
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                const QRgb a = desktop.pixel(x, y);
                const QRgb b = drawn->pixel(x, y);
                differing += std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                       std::abs(qBlue(a) - qBlue(b))})
                    > 32;
            }
        }
        QVERIFY2(differing * 2000 <= size.width() * size.height(), qPrintable(QString::number(differing)));
    }
};

QTEST_MAIN(WebPicturesTest)
#include "test_web_pictures.moc"

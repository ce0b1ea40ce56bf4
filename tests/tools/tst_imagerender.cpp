// The picture renderer, and the pictures it renders for the program.

#include "imagerenderer.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const char* const kSquare =
        "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10' viewBox='0 0 10 10'>"
        "<rect x='0' y='0' width='5' height='10' fill='#f0a030'/></svg>";

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// Pixels that are not fully transparent, and how many distinct colours they have.
void inkOf(const QImage& image, int* inked, int* colours)
{
    QSet<QRgb> seen;
    *inked = 0;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb pixel = argb.pixel(x, y);
            if (qAlpha(pixel) > 0) {
                ++*inked;
                seen.insert(pixel);
            }
        }
    }
    *colours = seen.size();
}

} // namespace

class tst_ImageRenderer : public QObject
{
    Q_OBJECT

private slots:
    void parsesManifest_data();
    void parsesManifest();
    void rendersAtTheGivenSize();
    void reportsBrokenDrawings();
    void writesFormatsBySuffix();
    void writesMultiSizeIcons();
    void rendersEveryListedPicture();
    void shipsEveryPictureTheWindowUses();
    void shipsTheWindowIcon();
};

void tst_ImageRenderer::parsesManifest_data()
{
    QTest::addColumn<QString>("manifest");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("jobs");

    QTest::newRow("entries, comments and blank lines")
            << "# pictures\n\na.svg a.png 10x20\n  b/c.svg   b/c.jpg\t32x32  # note\n"
            << true << 2;
    QTest::newRow("empty") << "" << true << 0;
    QTest::newRow("two fields") << "a.svg a.png\n" << false << 0;
    QTest::newRow("four fields") << "a.svg a.png 10x10 extra\n" << false << 0;
    QTest::newRow("zero size") << "a.svg a.png 0x10\n" << false << 0;
    QTest::newRow("size not numbers") << "a.svg a.png widexhigh\n" << false << 0;
    QTest::newRow("size too large") << "a.svg a.png 5000x10\n" << false << 0;
    QTest::newRow("unknown format") << "a.svg a.gif 10x10\n" << false << 0;
    QTest::newRow("absolute output") << "a.svg /tmp/a.png 10x10\n" << false << 0;
    QTest::newRow("output leaves its folder") << "a.svg ../a.png 10x10\n" << false << 0;
    QTest::newRow("same output twice") << "a.svg a.png 10x10\nb.svg a.png 20x20\n" << false << 1;
    QTest::newRow("bad line among good ones") << "a.svg a.png 10x10\nbroken\nb.svg b.png 5x5\n"
                                              << false << 2;
}

void tst_ImageRenderer::parsesManifest()
{
    QFETCH(QString, manifest);
    QFETCH(bool, ok);
    QFETCH(int, jobs);

    QByteArray data = manifest.toUtf8();
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    ImageRenderer renderer(".", ".");
    QCOMPARE(renderer.parseManifest(&buffer), ok);
    QCOMPARE(renderer.jobs().size(), jobs);
    QCOMPARE(renderer.errors().isEmpty(), ok);
    if (!ok)
        QVERIFY(renderer.errors().first().startsWith("manifest line "));
}

void tst_ImageRenderer::rendersAtTheGivenSize()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("half.svg"), kSquare));

    const QImage image = ImageRenderer::renderSvg(dir.filePath("half.svg"), QSize(40, 20));
    QCOMPARE(image.size(), QSize(40, 20));
    // The drawing fills the picture: its left half is orange, its right half transparent.
    QCOMPARE(QColor(image.pixel(5, 10)).name(), QString("#f0a030"));
    QCOMPARE(qAlpha(image.pixel(35, 10)), 0);
}

void tst_ImageRenderer::reportsBrokenDrawings()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("good.svg"), kSquare));
    QVERIFY(writeFile(dir.filePath("broken.svg"), "<svg this is not XML"));
    QVERIFY(writeFile(dir.filePath("m.txt"), "good.svg out/good.png 8x8\n"
                                             "broken.svg out/broken.png 8x8\n"
                                             "missing.svg out/missing.png 8x8\n"));

    ImageRenderer renderer(dir.path(), dir.filePath("bin"));
    QVERIFY(renderer.loadManifest(dir.filePath("m.txt")));
    QCOMPARE(renderer.renderAll(), false);
    // Every broken drawing is named, and the good one is rendered all the same.
    QCOMPARE(renderer.errors().size(), 2);
    QVERIFY(renderer.errors().at(0).contains("broken.svg"));
    QVERIFY(renderer.errors().at(1).contains("missing.svg"));
    QCOMPARE(QImage(dir.filePath("bin/out/good.png")).size(), QSize(8, 8));
    QVERIFY(!QFile::exists(dir.filePath("bin/out/broken.png")));
}

void tst_ImageRenderer::writesFormatsBySuffix()
{
    QTemporaryDir dir;
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixel(2, 2, qRgba(255, 0, 0, 255));

    QVERIFY(ImageRenderer::writeImage(image, dir.filePath("a/b/pic.png")));
    QVERIFY(QImage(dir.filePath("a/b/pic.png")).hasAlphaChannel());
    QCOMPARE(QImageReader(dir.filePath("a/b/pic.png")).format(), QByteArray("png"));

    // JPEG has no alpha: transparent parts turn black instead of garbage.
    QVERIFY(ImageRenderer::writeImage(image, dir.filePath("pic.jpg")));
    QCOMPARE(QImageReader(dir.filePath("pic.jpg")).format(), QByteArray("jpeg"));
    const QImage jpeg(dir.filePath("pic.jpg"));
    QVERIFY(qGray(jpeg.pixel(12, 12)) < 10);

    QString error;
    QVERIFY(!ImageRenderer::writeImage(image, dir.filePath("pic.gif"), &error));
    QVERIFY(!error.isEmpty());
}

void tst_ImageRenderer::writesMultiSizeIcons()
{
    QList<QImage> images;
    const QList<int> sides = {16, 32, 48, 256};
    for (int side : sides) {
        QImage image(side, side, QImage::Format_ARGB32);
        image.fill(QColor(0xf0, 0xa0, 0x30));
        images.append(image);
    }
    QByteArray data = ImageRenderer::icoData(images);
    QVERIFY(!data.isEmpty());

    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    QCOMPARE(reader.imageCount(), sides.size());
    for (int i = 0; i < sides.size(); ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage read = reader.read();
        QCOMPARE(read.size(), QSize(sides.at(i), sides.at(i)));
        QCOMPARE(QColor(read.pixel(read.width() / 2, read.height() / 2)).name(),
                 QString("#f0a030"));
    }

    QString error;
    QVERIFY(ImageRenderer::icoData({QImage(300, 300, QImage::Format_ARGB32)}, &error).isEmpty());
    QVERIFY(ImageRenderer::icoData({}, &error).isEmpty());
}

// The pictures of the build (the tests run in the bin folder, beside images/).
void tst_ImageRenderer::rendersEveryListedPicture()
{
    ImageRenderer manifest(HX_SOURCE_DIR "/data/images", "images");
    QVERIFY2(manifest.loadManifest(HX_SOURCE_DIR "/data/images/manifest.txt"),
             qPrintable(manifest.errors().join('\n')));
    const QVector<ImageJob> jobs = manifest.jobs();
    QVERIFY(!jobs.isEmpty());
    for (const ImageJob& job : jobs) {
        const QString path = QDir("images").filePath(job.output);
        const QImage image(path);
        QVERIFY2(!image.isNull(), qPrintable(path));
        QVERIFY2(image.size() == job.size, qPrintable(path));
        // Something is drawn, in more than one colour, and not just a frame of pixels.
        int inked = 0;
        int colours = 0;
        inkOf(image, &inked, &colours);
        QVERIFY2(inked > image.width() * image.height() / 20, qPrintable(path));
        QVERIFY2(colours > 2, qPrintable(path));
    }
}

void tst_ImageRenderer::shipsEveryPictureTheWindowUses()
{
    // Every picture the window's style sheets, widgets and start-up name.
    QStringList wanted = {"background.png",
                          "checked.png",
                          "left-arrow.png",
                          "right-arrow.png",
                          "down-arrow.png",
                          "open.png",
                          "save.png",
                          "saveas.png",
                          "usb.png",
                          "backup.png",
                          "ok.png",
                          "cancel.png",
                          "checkbox_checked.png",
                          "checkbox_checked_hover.png",
                          "checkbox_unchecked.png",
                          "checkbox_unchecked_hover.png",
                          "radiobutton_on.png",
                          "radiobutton_on_hover.png",
                          "radiobutton_off.png",
                          "radiobutton_off_hover.png",
                          "navbar.png",
                          "navbar_step.png",
                          "rx/t.png",
                          "rx/g.png",
                          "rx/a.png",
                          "swash/rotate_cw.png",
                          "swash/rotate_ccw.png",
                          "swash/swash1.png",
                          "swash/swash2.png",
                          "swash/swash3.png",
                          "swash/swash5.png",
                          "collective/collective1.png",
                          "collective/collective2.png",
                          "tail/normal.png",
                          "tail/reversed.png",
                          "connected.png",
                          "disconnected.png",
                          "splash-screen.jpg"};
    for (int n = 1; n <= 8; ++n)
        wanted << QString("sensor/sensor%1.png").arg(n);
    for (int n = 1; n <= 4; ++n)
        wanted << QString("servos/ch%1_normal.png").arg(n)
               << QString("servos/ch%1_reversed.png").arg(n);

    // The sizes the window shows them at, where the window fixes them.
    const QHash<QString, QSize> fixed = {{"sensor/sensor1.png", QSize(120, 120)},
                                         {"swash/swash1.png", QSize(115, 110)},
                                         {"servos/ch1_normal.png", QSize(110, 110)},
                                         {"tail/normal.png", QSize(110, 110)},
                                         {"collective/collective1.png", QSize(150, 130)},
                                         {"connected.png", QSize(166, 36)},
                                         {"open.png", QSize(41, 41)},
                                         {"left-arrow.png", QSize(32, 32)}};
    for (const QString& name : qAsConst(wanted)) {
        const QImage image(QDir("images").filePath(name));
        QVERIFY2(!image.isNull(), qPrintable(name));
        if (fixed.contains(name))
            QVERIFY2(image.size() == fixed.value(name), qPrintable(name));
    }
}

void tst_ImageRenderer::shipsTheWindowIcon()
{
    QImageReader reader(HX_SOURCE_DIR "/MainMvcApplication/resources/Solvan.ico");
    QCOMPARE(reader.format(), QByteArray("ico"));
    QSet<int> sides;
    for (int i = 0; i < reader.imageCount(); ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage image = reader.read();
        QVERIFY(!image.isNull());
        sides.insert(image.width());
    }
    // The title bar, the task bar and the shell each find a size drawn for them.
    for (int side : {16, 32, 48, 256})
        QVERIFY2(sides.contains(side), qPrintable(QString::number(side)));
}

QTEST_MAIN(tst_ImageRenderer)
#include "tst_imagerender.moc"

// imagerender: renders the program's pictures from their SVG drawings.
//
//   imagerender --manifest images/manifest.txt --source-dir images --output-dir bin/images
//               [--contact-sheet sheet.png]
//   imagerender --icon Solvan.svg --sizes 16,24,32,48,64,128,256 --output Solvan.ico
//
// Runs without a display: text in the drawings needs a GUI application for its fonts,
// and the offscreen platform gives one everywhere.

#include "imagerenderer.h"

#include <QCommandLineParser>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextStream>

namespace {

QtMessageHandler g_defaultHandler = nullptr;

// The offscreen platform complains about a missing XDG runtime folder on build machines;
// that says nothing about the pictures. Everything else (QtSvg's notes on a drawing, in
// particular) is passed on.
void filterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    g_defaultHandler(type, context, message);
}

int fail(const QString& message)
{
    QTextStream(stderr) << "imagerender: " << message << '\n';
    return 1;
}

int renderIcon(const QString& svgPath, const QString& sizeList, const QString& outputPath)
{
    QList<QImage> images;
    const QStringList sizes = sizeList.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& text : sizes) {
        bool ok = false;
        const int side = text.trimmed().toInt(&ok);
        if (!ok || side < 1 || side > 256)
            return fail(QStringLiteral("icon sizes must be 1..256, not \"%1\"").arg(text));
        QString error;
        const QImage image = ImageRenderer::renderSvg(svgPath, QSize(side, side), &error);
        if (image.isNull())
            return fail(error);
        images.append(image);
    }
    QString error;
    const QByteArray data = ImageRenderer::icoData(images, &error);
    if (data.isEmpty())
        return fail(error);
    QSaveFile file(outputPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        return fail(QStringLiteral("%1: cannot write").arg(outputPath));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    g_defaultHandler = qInstallMessageHandler(filterMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Renders the program's pictures from SVG."));
    parser.addHelpOption();
    const QCommandLineOption manifest(QStringLiteral("manifest"),
                                      QStringLiteral("List of \"source output WxH\" lines."),
                                      QStringLiteral("file"));
    const QCommandLineOption sourceDir(QStringLiteral("source-dir"),
                                       QStringLiteral("Folder of the SVG drawings."),
                                       QStringLiteral("dir"));
    const QCommandLineOption outputDir(QStringLiteral("output-dir"),
                                       QStringLiteral("Folder for the rendered pictures."),
                                       QStringLiteral("dir"));
    const QCommandLineOption sheet(QStringLiteral("contact-sheet"),
                                   QStringLiteral("Also write a sheet of all pictures."),
                                   QStringLiteral("png"));
    const QCommandLineOption icon(QStringLiteral("icon"),
                                  QStringLiteral("SVG drawing of a window icon."),
                                  QStringLiteral("svg"));
    const QCommandLineOption sizes(QStringLiteral("sizes"),
                                   QStringLiteral("Icon sizes, comma separated."),
                                   QStringLiteral("list"), QStringLiteral("16,24,32,48,64,256"));
    const QCommandLineOption output(QStringLiteral("output"), QStringLiteral("Icon file to write."),
                                    QStringLiteral("ico"));
    parser.addOptions({manifest, sourceDir, outputDir, sheet, icon, sizes, output});
    parser.process(app);

    if (parser.isSet(icon)) {
        if (!parser.isSet(output))
            return fail(QStringLiteral("--icon needs --output"));
        return renderIcon(parser.value(icon), parser.value(sizes), parser.value(output));
    }
    if (!parser.isSet(manifest) || !parser.isSet(sourceDir) || !parser.isSet(outputDir))
        return fail(QStringLiteral("--manifest, --source-dir and --output-dir are needed"));

    ImageRenderer renderer(parser.value(sourceDir), parser.value(outputDir));
    bool ok = renderer.loadManifest(parser.value(manifest)) && renderer.renderAll();
    if (parser.isSet(sheet)) {
        QString error;
        if (!ImageRenderer::writeImage(renderer.contactSheet(), parser.value(sheet), &error)) {
            QTextStream(stderr) << "imagerender: " << error << '\n';
            ok = false;
        }
    }
    const QStringList errors = renderer.errors();
    for (const QString& error : errors)
        QTextStream(stderr) << "imagerender: " << error << '\n';
    return ok ? 0 : 1;
}

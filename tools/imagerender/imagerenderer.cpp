#include "imagerenderer.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QSvgRenderer>
#include <QtEndian>

namespace {

const int kMaxSide = 4096;
const int kIcoHeaderSize = 6;
const int kIcoEntrySize = 16;

bool isSafeRelativePath(const QString& path)
{
    if (path.isEmpty() || QDir::isAbsolutePath(path) || path.contains(QLatin1Char('\\')))
        return false;
    const QStringList parts = path.split(QLatin1Char('/'));
    for (const QString& part : parts) {
        if (part.isEmpty() || part == QLatin1String("..") || part == QLatin1String("."))
            return false;
    }
    return true;
}

QString formatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return QStringLiteral("png");
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return QStringLiteral("jpg");
    return QString();
}

} // namespace

ImageRenderer::ImageRenderer(const QString& sourceDir, const QString& outputDir)
    : m_sourceDir(sourceDir)
    , m_outputDir(outputDir)
{}

bool ImageRenderer::loadManifest(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        addError(QStringLiteral("%1: cannot open the manifest").arg(path));
        return false;
    }
    return parseManifest(&file);
}

bool ImageRenderer::parseManifest(QIODevice* device)
{
    static const QRegularExpression sizePattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));

    m_jobs.clear();
    QSet<QString> outputs;
    bool ok = true;
    int lineNumber = 0;
    while (!device->atEnd()) {
        ++lineNumber;
        QString line = QString::fromUtf8(device->readLine());
        const int comment = line.indexOf(QLatin1Char('#'));
        if (comment >= 0)
            line.truncate(comment);
        line = line.trimmed();
        if (line.isEmpty())
            continue;

        const QStringList fields = line.split(blanks);
        auto fail = [&](const QString& why) {
            addError(QStringLiteral("manifest line %1: %2").arg(lineNumber).arg(why));
            ok = false;
        };
        if (fields.size() != 3) {
            fail(QStringLiteral("expected \"source output WIDTHxHEIGHT\""));
            continue;
        }
        ImageJob job;
        job.source = fields.at(0);
        job.output = fields.at(1);
        job.line = lineNumber;
        const QRegularExpressionMatch size = sizePattern.match(fields.at(2));
        const int width = size.hasMatch() ? size.captured(1).toInt() : 0;
        const int height = size.hasMatch() ? size.captured(2).toInt() : 0;
        if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) {
            fail(QStringLiteral("bad size \"%1\"").arg(fields.at(2)));
            continue;
        }
        job.size = QSize(width, height);
        if (!isSafeRelativePath(job.source) || !isSafeRelativePath(job.output)) {
            fail(QStringLiteral("paths must be relative and stay inside their folders"));
            continue;
        }
        if (formatOf(job.output).isEmpty()) {
            fail(QStringLiteral("\"%1\" is neither .png nor .jpg").arg(job.output));
            continue;
        }
        if (outputs.contains(job.output)) {
            fail(QStringLiteral("\"%1\" is listed twice").arg(job.output));
            continue;
        }
        outputs.insert(job.output);
        m_jobs.append(job);
    }
    return ok;
}

bool ImageRenderer::renderAll()
{
    bool ok = true;
    for (const ImageJob& job : qAsConst(m_jobs)) {
        QString error;
        const QImage image = renderSvg(QDir(m_sourceDir).filePath(job.source), job.size, &error);
        const QString outputPath = QDir(m_outputDir).filePath(job.output);
        if (image.isNull() || !writeImage(image, outputPath, &error)) {
            addError(QStringLiteral("manifest line %1: %2").arg(job.line).arg(error));
            ok = false;
        }
    }
    return ok;
}

QImage ImageRenderer::renderSvg(const QString& path, const QSize& size, QString* error)
{
    QSvgRenderer renderer;
    if (!QFileInfo::exists(path) || !renderer.load(path) || !renderer.isValid()) {
        if (error)
            *error = QStringLiteral("%1: missing or not a valid SVG drawing").arg(path);
        return QImage();
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image;
}

bool ImageRenderer::writeImage(const QImage& image, const QString& path, QString* error)
{
    const QString format = formatOf(path);
    if (format.isEmpty()) {
        if (error)
            *error = QStringLiteral("%1: unknown picture format").arg(path);
        return false;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        if (error)
            *error = QStringLiteral("%1: cannot create the folder").arg(path);
        return false;
    }

    QImage output = image;
    if (format == QLatin1String("jpg")) {
        output = QImage(image.size(), QImage::Format_RGB32);
        output.fill(Qt::black);
        QPainter painter(&output);
        painter.drawImage(0, 0, image);
    } else {
        output = image.convertToFormat(QImage::Format_ARGB32);
    }

    QImageWriter writer(path, format.toLatin1());
    if (format == QLatin1String("jpg"))
        writer.setQuality(92);
    else
        writer.setQuality(0);
    if (!writer.write(output)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, writer.errorString());
        return false;
    }
    return true;
}

QByteArray ImageRenderer::icoData(const QList<QImage>& images, QString* error)
{
    // Qt's icon writer stores one image per file; each is encoded on its own and the
    // directory entries and bitmaps are then gathered into one file.
    QList<QByteArray> entries;
    QList<QByteArray> bitmaps;
    for (const QImage& image : images) {
        if (image.isNull() || image.width() > 256 || image.height() > 256) {
            if (error)
                *error = QStringLiteral("icon images must be 1 to 256 pixels wide and high");
            return QByteArray();
        }
        if (image.width() == 256 && image.height() == 256) {
            // The shell's large icon is stored compressed, as every Windows since Vista
            // reads it; uncompressed it would triple the size of the file.
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            QImageWriter writer(&buffer, "png");
            writer.setQuality(0);
            if (!writer.write(image.convertToFormat(QImage::Format_ARGB32))) {
                if (error)
                    *error = QStringLiteral("icon: %1").arg(writer.errorString());
                return QByteArray();
            }
            QByteArray entry(kIcoEntrySize, '\0'); // width and height 0 mean 256
            qToLittleEndian<quint16>(1, reinterpret_cast<uchar*>(entry.data()) + 4);
            qToLittleEndian<quint16>(32, reinterpret_cast<uchar*>(entry.data()) + 6);
            entries.append(entry);
            bitmaps.append(png);
            continue;
        }
        QByteArray single;
        QBuffer buffer(&single);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "ico");
        if (!writer.write(image.convertToFormat(QImage::Format_ARGB32))) {
            if (error)
                *error = QStringLiteral("icon: %1").arg(writer.errorString());
            return QByteArray();
        }
        if (single.size() < kIcoHeaderSize + kIcoEntrySize) {
            if (error)
                *error = QStringLiteral("icon: the image writer gave a truncated file");
            return QByteArray();
        }
        const uchar* entry = reinterpret_cast<const uchar*>(single.constData()) + kIcoHeaderSize;
        const quint32 length = qFromLittleEndian<quint32>(entry + 8);
        const quint32 offset = qFromLittleEndian<quint32>(entry + 12);
        if (quint64(offset) + length > quint64(single.size())) {
            if (error)
                *error = QStringLiteral("icon: the image writer gave a truncated file");
            return QByteArray();
        }
        entries.append(single.mid(kIcoHeaderSize, kIcoEntrySize));
        bitmaps.append(single.mid(int(offset), int(length)));
    }
    if (entries.isEmpty()) {
        if (error)
            *error = QStringLiteral("icon: no images");
        return QByteArray();
    }

    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(entries.size());
    quint32 offset = quint32(kIcoHeaderSize + kIcoEntrySize * entries.size());
    for (int i = 0; i < entries.size(); ++i) {
        out.writeRawData(entries.at(i).constData(), 8);
        out << quint32(bitmaps.at(i).size()) << offset;
        offset += quint32(bitmaps.at(i).size());
    }
    for (const QByteArray& bitmap : qAsConst(bitmaps))
        out.writeRawData(bitmap.constData(), bitmap.size());
    return data;
}

QImage ImageRenderer::contactSheet() const
{
    const int columns = 6;
    const QSize cell(210, 190);
    const QSize thumb(190, 140);
    const int header = 40;
    const int rows = (m_jobs.size() + columns - 1) / columns;
    QImage sheet(columns * cell.width(), header + rows * cell.height(), QImage::Format_RGB32);
    sheet.fill(QColor(0x1b, 0x21, 0x29));

    QPainter painter(&sheet);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    painter.setPen(QColor(0xe4, 0xe8, 0xee));
    QFont font = painter.font();
    font.setPixelSize(16);
    painter.setFont(font);
    painter.drawText(
            QRect(10, 0, sheet.width() - 20, header), Qt::AlignVCenter,
            QStringLiteral("%1 pictures (1:1, larger ones scaled down)").arg(m_jobs.size()));
    font.setPixelSize(11);
    painter.setFont(font);

    for (int i = 0; i < m_jobs.size(); ++i) {
        const ImageJob& job = m_jobs.at(i);
        const QRect box(
                QPoint((i % columns) * cell.width(), header + (i / columns) * cell.height()), cell);
        const QRect panel = box.adjusted(6, 6, -6, -6);
        painter.setPen(QColor(0x33, 0x40, 0x50));
        painter.setBrush(QColor(0x23, 0x2b, 0x35));
        painter.drawRect(panel);

        QImage image(QDir(m_outputDir).filePath(job.output));
        QString caption = QStringLiteral("%1\n%2x%3")
                                  .arg(job.output)
                                  .arg(job.size.width())
                                  .arg(job.size.height());
        if (image.isNull()) {
            caption += QStringLiteral(" MISSING");
        } else {
            if (image.width() > thumb.width() || image.height() > thumb.height())
                image = image.scaled(thumb, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            const QPoint topLeft(panel.x() + (panel.width() - image.width()) / 2,
                                 panel.y() + 4 + (thumb.height() - image.height()) / 2);
            painter.drawImage(topLeft, image);
        }
        painter.setPen(QColor(0x9a, 0xa6, 0xb5));
        painter.drawText(QRect(panel.x(), panel.bottom() - 34, panel.width(), 32), Qt::AlignCenter,
                         caption);
    }
    return sheet;
}

void ImageRenderer::addError(const QString& message)
{
    m_errors.append(message);
}

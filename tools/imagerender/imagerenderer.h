#ifndef IMAGERENDERER_H
#define IMAGERENDERER_H

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

class QIODevice;

// One picture of the installation: an SVG drawing and the file it becomes.
struct ImageJob
{
    QString source; // relative to the source folder
    QString output; // relative to the output folder; the suffix picks the format
    QSize size;     // pixel size of the output
    int line = 0;   // line of the manifest, for messages
};

// Renders the SVG drawings listed in a manifest into the PNG and JPEG files the program
// loads. A manifest line reads "source output WIDTHxHEIGHT"; blank lines and text after
// '#' are ignored. Each drawing is rendered at the exact size the window shows it, so no
// picture is scaled again at run time.
class ImageRenderer
{
public:
    ImageRenderer(const QString& sourceDir, const QString& outputDir);

    bool loadManifest(const QString& path);
    bool parseManifest(QIODevice* device);
    QVector<ImageJob> jobs() const { return m_jobs; }

    // Renders every job, going on after a failure so that one run reports every broken
    // drawing. Returns false when any job failed; errors() says which.
    bool renderAll();
    QStringList errors() const { return m_errors; }

    // A sheet of every rendered output on the window's panel colour, each with its name
    // and size, for reviewing the pictures together.
    QImage contactSheet() const;

    // Renders an SVG file into a transparent image of the given size; a null image when
    // the file is missing or not a drawing.
    static QImage renderSvg(const QString& path, const QSize& size, QString* error = nullptr);
    // PNG keeps the alpha channel; JPEG (which has none) gets the drawing over black.
    static bool writeImage(const QImage& image, const QString& path, QString* error = nullptr);
    // A Windows icon file holding every image (each at most 256 x 256; a 256 x 256 one is
    // stored as PNG), so the shell and the title bar both find a size drawn for them.
    static QByteArray icoData(const QList<QImage>& images, QString* error = nullptr);

private:
    void addError(const QString& message);

    QString m_sourceDir;
    QString m_outputDir;
    QVector<ImageJob> m_jobs;
    QStringList m_errors;
};

#endif // IMAGERENDERER_H

#include "appconfigmanager.h"
#include "appconfigmanager_p.h"

#include <QByteArray>
#include <QDebug>
#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <QTextCodec>
#include <QTextStream>

namespace {

// Reads at most `limit` bytes. When the file is longer, the text is cut after its last
// complete line before the limit, so that no half line is taken for a whole one.
QByteArray readCapped(QFile& file, qint64 limit)
{
    QByteArray bytes = file.read(limit + 1);
    if (bytes.size() > limit) {
        bytes.truncate(bytes.lastIndexOf('\n', int(limit) - 1) + 1);
        qWarning() << "settings file" << file.fileName() << "is larger than" << limit
                   << "bytes; the rest is ignored";
    }
    return bytes;
}

} // namespace

AppConfigManager::AppConfigManager(const QString& path)
    : d(new AppConfigManagerPrivate)
{
    d->filePath = path;

    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return;

    QByteArray bytes = readCapped(file, MaxFileSize);
    QTextStream in(&bytes, QIODevice::ReadOnly);
    QString line;
    while (in.readLineInto(&line)) {
        const QStringList parts = line.split(QLatin1Char('?'));
        if (parts.size() < 2)
            continue;
        d->settings.insert(parts.at(0), parts.at(1));
    }
}

AppConfigManager::~AppConfigManager()
{
    delete d;
}

QString AppConfigManager::get(const QString& key) const
{
    return d->settings.value(key);
}

bool AppConfigManager::hasKey(const QString& key) const
{
    return d->settings.contains(key);
}

bool AppConfigManager::canStore(const QString& text)
{
    for (const QChar c : text) {
        // The separator, and anything a text stream may take for a line end.
        if (c == QLatin1Char('?') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            return false;
    }
    // The file is written in the platform's 8-bit encoding (UTF-8 on most systems, a
    // Windows code page elsewhere); what it cannot encode would come back as other text.
    const QTextCodec* codec = QTextCodec::codecForLocale();
    return !codec || codec->canEncode(text);
}

void AppConfigManager::put(const QString& key, const QString& value)
{
    if (!canStore(key) || !canStore(value)) {
        qWarning() << "settings: value for" << key
                   << "not stored: the settings file cannot hold it (a \"?\", a line break"
                   << "or a character its encoding lacks); the previous value stays";
        return;
    }
    d->settings.insert(key, value);
}

void AppConfigManager::saveConfigToFile()
{
    // The text is built first and written in one piece, so that a short write (a full
    // disk) is seen: a text stream on the file would not report it.
    QByteArray bytes;
    QTextStream out(&bytes, QIODevice::WriteOnly);
    for (auto it = d->settings.cbegin(); it != d->settings.cend(); ++it)
        out << it.key() << '?' << it.value() << "\r\n";
    out.flush();

    // Written to a temporary file and renamed over the old one on success: a full disk
    // or a crash half-way must not cost the user the settings of earlier runs.
    QSaveFile file(d->filePath);
    // Unbuffered, so that write() reports a short write at once: a buffered write that the
    // disk cuts short at commit time goes unnoticed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    if (file.write(bytes) != bytes.size()) {
        qWarning() << "settings file" << d->filePath
                   << "could not be written:" << file.errorString();
        file.cancelWriting();
        return;
    }
    if (!file.commit())
        qWarning() << "settings file" << d->filePath
                   << "could not be written:" << file.errorString();
}

#ifndef APPCONFIGMANAGER_H
#define APPCONFIGMANAGER_H

#include "hxio_global.h"

#include <QString>

class AppConfigManagerPrivate;

// The user's settings: a flat key/value map read once from a small text file
// (lines "key?value\r\n") and written back only when saveConfigToFile() is called.
class HXIO_EXPORT AppConfigManager
{
public:
    // Settings files larger than this are read only up to their last complete line
    // before the limit; a real settings file holds a handful of short lines.
    static constexpr qint64 MaxFileSize = 1024 * 1024;

    explicit AppConfigManager(const QString& path);
    ~AppConfigManager();

    QString get(const QString& key) const;
    bool hasKey(const QString& key) const;
    // Stores the value in memory. A key or value that the file's line format cannot carry
    // (a "?" in the key or value, a line break, text the file's encoding cannot hold) is
    // refused with a logged warning and the previous value stays: stored, it would be cut
    // or would inject lines of its own when the file is read back.
    void put(const QString& key, const QString& value);

    // Whether the text can stand as a key or a value in the settings file.
    static bool canStore(const QString& text);

    // Replaces the file atomically: if the write fails, the previous file stays whole.
    void saveConfigToFile();

private:
    Q_DISABLE_COPY(AppConfigManager)
    AppConfigManagerPrivate* d;
};

#endif // APPCONFIGMANAGER_H

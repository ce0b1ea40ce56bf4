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
    void put(const QString& key, const QString& value);

    // Replaces the file atomically: if the write fails, the previous file stays whole.
    void saveConfigToFile();

private:
    Q_DISABLE_COPY(AppConfigManager)
    AppConfigManagerPrivate* d;
};

#endif // APPCONFIGMANAGER_H

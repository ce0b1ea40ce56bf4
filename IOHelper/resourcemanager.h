#ifndef RESOURCEMANAGER_H
#define RESOURCEMANAGER_H

#include "hxio_global.h"

#include <QHash>
#include <QObject>
#include <QString>

// The localised string table: id -> text, loaded from one XML strings file
// ("item" elements with a numeric "key" attribute).
class HXIO_EXPORT ResourceManager : public QObject
{
    Q_OBJECT

public:
    // Strings files are read up to this size; anything beyond is treated as if the
    // document broke off there. The shipped tables are a few tens of kilobytes.
    static constexpr qint64 MaxFileSize = 8 * 1024 * 1024;

    explicit ResourceManager(const QString& path);
    ~ResourceManager() override;

    // The one table of the process. The first call loads `path` and parents the table
    // to the application object; later calls return the same table and ignore `path`.
    static ResourceManager* instance(const QString& path);

    // The text for `id`, or a null string when the table has none.
    QString getValue(int id) const;

private:
    Q_DISABLE_COPY(ResourceManager)
    QHash<int, QString>* m_strings;
};

// Maximum size read by qLoadHtmlString(); larger files are cut there.
constexpr qint64 HxMaxHtmlFileSize = 64 * 1024 * 1024;

// The whole text of a file (help page, chart page, script), or an empty string when
// the file is missing or unreadable.
HXIO_EXPORT QString qLoadHtmlString(const QString& path);

#endif // RESOURCEMANAGER_H

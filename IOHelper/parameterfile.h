#ifndef PARAMETERFILE_H
#define PARAMETERFILE_H

#include "hxio_global.h"

#include <QMap>
#include <QString>

// Parameter files: one "address=value\n" line per parameter, ascending addresses,
// both numbers zero-padded to four characters (0136=0050, -005).

// Parameter files larger than this are read only up to their last complete line before
// the limit. A saved file holds a few dozen ten-byte lines.
constexpr qint64 HxMaxParameterFileSize = 1024 * 1024;

// Writes `values` to `path`, replacing the file atomically. Returns 0 on success and -1
// when the file cannot be opened or the write fails; the previous file then stays whole.
HXIO_EXPORT int qSaveParametersToFile(const QString& path, const QMap<int, int>& values);

// Adds every valid pair of the file to `*values` (the map is not cleared). Returns 0 after
// reading, -1 when the file is missing or unreadable (the map is untouched then).
HXIO_EXPORT int qLoadParametersFromFile(const QString& path, QMap<int, int>* values);

#endif // PARAMETERFILE_H

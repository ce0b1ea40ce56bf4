#ifndef PARAMETERFILE_H
#define PARAMETERFILE_H

#include "hxio_global.h"

#include <QList>
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
// reading, -1 when the file is missing or unreadable (the map is untouched then). A line
// that does not parse is skipped (never read as 0); ranges are not judged here.
HXIO_EXPORT int qLoadParametersFromFile(const QString& path, QMap<int, int>* values);

// A line of a parameter file that was not taken.
struct ParameterFileSkip
{
    enum Reason {
        Unparsable, // not "number=number", or a number that does not fit 32 bits
        OutOfRange  // a setting of the unit, with a value outside the unit's range for it
    };
    int line;     // from 1
    QString text; // the line, shortened and with unprintable characters replaced
    Reason reason;
    int address; // 0 unless the address parsed
    int value;   // 0 unless the value parsed
};

// At most this many skipped lines are reported; a file of junk is still read to its end.
constexpr int HxMaxReportedSkips = 500;

// As qLoadParametersFromFile, and reports every line it skipped in `*skipped` (which may
// be null): a line that does not parse is never read as 0, and a value outside the range
// of the unit's setting at that address (UnitSettingTable) is never taken. Addresses that
// are not settings are taken as they are; which of them may reach the unit is for the
// caller to decide. Blank lines are neither taken nor reported.
HXIO_EXPORT int qReadParametersFromFile(const QString& path, QMap<int, int>* values,
                                        QList<ParameterFileSkip>* skipped);

#endif // PARAMETERFILE_H

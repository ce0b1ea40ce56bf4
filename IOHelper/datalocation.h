#ifndef DATALOCATION_H
#define DATALOCATION_H

#include "hxio_global.h"

#include <QString>
#include <QStringList>

// Where the program's files are, wherever it was started from: the read-only data it ships
// with (images/, docs/<language>/, charts/) and the log it writes.
//
// The data sits beside the program (the build's bin folder, a Windows installation) or in
// the installed data folder of the platform's layout (<prefix>/share/hxconfig beside
// <prefix>/bin). Relative data paths ("charts/chart.html") are resolved with filePath().
class HXIO_EXPORT DataLocation
{
public:
    // A file every complete data folder holds; a folder without it is not taken.
    static const char* const MarkerFile;
    // The data folder's name in the platform's shared data folders (/usr/share/<name>).
    static const char* const FolderName;

    // The data folder of this process, found on first use (after the application object
    // exists) and kept for the whole run. Empty when no candidate holds the data; relative
    // paths then resolve against the working directory, as they always did.
    static QString root();

    // The absolute path of a data file given relative to the data folder, or `relative`
    // itself when there is no data folder.
    static QString filePath(const QString& relative);

    // The folders that may hold the data of a program in `programDir` started in
    // `workingDir`, best first: beside the program, the installation's data folder, the
    // working directory (an installation folder started in place, the tests), then the
    // system's shared data folders.
    static QStringList candidates(const QString& programDir, const QString& workingDir);

    // The first of `folders` that holds the marker file, as a clean absolute path, or an
    // empty string.
    static QString find(const QStringList& folders);

    // Where the log file "log" goes: the working directory when a file can be written
    // there, else the per-user data folder (a program started from a system folder must
    // not lose its log). The user folder must exist. When neither can be written the
    // working directory's path is returned and messages are dropped there as before.
    static QString logFilePath(const QString& workingDir, const QString& userDataDir);

private:
    DataLocation() = delete;
};

#endif // DATALOCATION_H

#include "datalocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

// The build tells where an installation puts the data, seen from the program's folder.
#ifndef HX_DATA_FROM_PROGRAM
#define HX_DATA_FROM_PROGRAM "../share/hxconfig"
#endif
#ifndef HX_DATA_FOLDER_NAME
#define HX_DATA_FOLDER_NAME "hxconfig"
#endif

const char* const DataLocation::MarkerFile = "docs/en/strings.xml";
const char* const DataLocation::FolderName = HX_DATA_FOLDER_NAME;

QString DataLocation::root()
{
    // The program's folder is known only once the application object exists.
    if (!QCoreApplication::instance())
        return QString();
    // Found once: the program's folder and the installed folders do not move during a run.
    static const QString folder =
            find(candidates(QCoreApplication::applicationDirPath(), QDir::currentPath()));
    return folder;
}

QString DataLocation::filePath(const QString& relative)
{
    const QString folder = root();
    if (folder.isEmpty() || QDir::isAbsolutePath(relative))
        return relative;
    return folder + QLatin1Char('/') + relative;
}

QStringList DataLocation::candidates(const QString& programDir, const QString& workingDir)
{
    const QString name = QLatin1String(FolderName);
    QStringList folders;
    folders << programDir << programDir + QStringLiteral("/" HX_DATA_FROM_PROGRAM)
            << programDir + QStringLiteral("/../share/") + name << workingDir;
    const QStringList shared =
            QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (const QString& location : shared)
        folders << location + QLatin1Char('/') + name;
    for (QString& folder : folders)
        folder = QDir::cleanPath(folder);
    folders.removeDuplicates();
    return folders;
}

QString DataLocation::find(const QStringList& folders)
{
    for (const QString& folder : folders) {
        if (folder.isEmpty())
            continue;
        const QDir dir(folder);
        if (QFileInfo(dir.filePath(QLatin1String(MarkerFile))).isFile())
            return QDir::cleanPath(dir.absolutePath());
    }
    return QString();
}

QString DataLocation::logFilePath(const QString& workingDir, const QString& userDataDir)
{
    const QString inWorkingDir = QDir(workingDir).absoluteFilePath(QStringLiteral("log"));
    // Trying to append is the only test that holds on every platform: permission bits say
    // nothing about access lists on Windows or about read-only mounts.
    QFile probe(inWorkingDir);
    if (probe.open(QIODevice::WriteOnly | QIODevice::Append))
        return inWorkingDir;
    if (userDataDir.isEmpty())
        return inWorkingDir;
    const QString inUserDir = QDir(userDataDir).absoluteFilePath(QStringLiteral("log"));
    QFile fallback(inUserDir);
    if (fallback.open(QIODevice::WriteOnly | QIODevice::Append))
        return inUserDir;
    return inWorkingDir;
}

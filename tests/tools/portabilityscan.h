#ifndef PORTABILITYSCAN_H
#define PORTABILITYSCAN_H

#include <QSet>
#include <QString>
#include <QStringList>

// Finds POSIX-only code that would break the Windows build: POSIX headers, calls, types
// and signals outside code that only Unix compiles. Code counts as Unix-only inside an
// "#ifdef Q_OS_UNIX" (or __unix__, __linux__, Q_OS_LINUX, Q_OS_MACOS, "#ifndef Q_OS_WIN",
// the "#else" of "#ifdef Q_OS_WIN", ...) and in files that a CMakeLists.txt adds only inside
// an "if(UNIX)" block.
class PortabilityScan
{
public:
    struct Finding
    {
        QString file;
        int line = 0;
        QString what;
        QString toString() const;
    };

    // Findings in one source text (comments and string literals are not code). Including
    // one of `unixOnlyHeaders` (file names of headers only Unix builds) is a finding too.
    static QList<Finding> scanSource(const QString& text, const QString& fileName = QString(),
                                     const QSet<QString>& unixOnlyHeaders = QSet<QString>());

    // The source files that a CMakeLists.txt text names inside "if(UNIX)" blocks (or the
    // "else()" of "if(WIN32)"), as written there.
    static QSet<QString> unixOnlySources(const QString& cmakeText);

    // Scans every .cpp and .h under `root` (build folders, .git and node_modules left out),
    // skipping the files the tree's CMakeLists.txt build only on Unix.
    void scanTree(const QString& root);

    QList<Finding> findings() const { return m_findings; }
    QStringList scannedFiles() const { return m_scanned; }
    QStringList unixOnlyFiles() const { return m_unixOnly; }

private:
    QList<Finding> m_findings;
    QStringList m_scanned;
    QStringList m_unixOnly;
};

#endif // PORTABILITYSCAN_H

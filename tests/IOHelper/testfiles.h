#ifndef TESTFILES_H
#define TESTFILES_H

// Reading and writing whole files in the I/O library's tests.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtTest>

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

// Empty when the file cannot be read.
inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

#endif // TESTFILES_H

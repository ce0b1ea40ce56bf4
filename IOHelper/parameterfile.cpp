#include "parameterfile.h"

#include <QByteArray>
#include <QDebug>
#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>

namespace {

// Base 10, at least four characters, zeros between the sign and the digits (-005).
// Wider numbers are written in full.
QByteArray padded(int number)
{
    const qint64 n = number; // the magnitude of INT_MIN does not fit an int
    const QByteArray digits = QByteArray::number(n < 0 ? -n : n);
    const QByteArray sign = n < 0 ? QByteArrayLiteral("-") : QByteArray();
    const int zeros = 4 - sign.size() - digits.size();
    return sign + QByteArray(qMax(0, zeros), '0') + digits;
}

} // namespace

int qSaveParametersToFile(const QString& path, const QMap<int, int>& values)
{
    QByteArray text;
    text.reserve(values.size() * 10);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        text += padded(it.key()) + '=' + padded(it.value()) + '\n';

    // The old file is replaced only once the new one is completely on disk.
    QSaveFile file(path);
    // Unbuffered, so that write() reports a short write at once: a buffered write that the
    // disk cuts short at commit time goes unnoticed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return -1;
    if (file.write(text) != text.size()) {
        qWarning() << "parameter file" << path << "could not be written:" << file.errorString();
        file.cancelWriting();
        return -1;
    }
    if (!file.commit()) {
        qWarning() << "parameter file" << path << "could not be written:" << file.errorString();
        return -1;
    }
    return 0;
}

int qLoadParametersFromFile(const QString& path, QMap<int, int>* values)
{
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return -1;

    QByteArray bytes = file.read(HxMaxParameterFileSize + 1);
    if (bytes.size() > HxMaxParameterFileSize) {
        // Only whole lines count; a line cut at the limit could read as a different value.
        bytes.truncate(bytes.lastIndexOf('\n', int(HxMaxParameterFileSize) - 1) + 1);
        qWarning() << "parameter file" << path << "is larger than" << HxMaxParameterFileSize
                   << "bytes; the rest is ignored";
    }

    QTextStream in(&bytes, QIODevice::ReadOnly);
    in.setCodec("UTF-8");
    QString line;
    while (in.readLineInto(&line)) {
        const QStringList parts = line.split(QLatin1Char('='));
        if (parts.size() != 2)
            continue;
        if (values)
            values->insert(parts.at(0).toInt(nullptr, 10), parts.at(1).toInt(nullptr, 10));
    }
    return 0;
}

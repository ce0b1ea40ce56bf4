#include "parameterfile.h"

#include "unitsettingtable.h"

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

// What a report may show of a line: short, and nothing that could upset a label.
QString printable(const QString& line)
{
    const int MaxShown = 60;
    QString shown = line.left(MaxShown);
    for (QChar& c : shown) {
        if (!c.isPrint())
            c = QLatin1Char('?');
    }
    if (line.size() > MaxShown)
        shown += QStringLiteral("\u2026");
    return shown;
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

namespace {

int readParameters(const QString& path, QMap<int, int>* values, QList<ParameterFileSkip>* skipped,
                   bool checkRanges)
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

    auto skip = [skipped](int number, const QString& line, ParameterFileSkip::Reason reason,
                          int address, int value) {
        if (skipped && skipped->size() < HxMaxReportedSkips)
            skipped->append({number, printable(line), reason, address, value});
    };

    QTextStream in(&bytes, QIODevice::ReadOnly);
    in.setCodec("UTF-8");
    QString line;
    int number = 0;
    while (in.readLineInto(&line)) {
        ++number;
        if (line.trimmed().isEmpty())
            continue;
        const QStringList parts = line.split(QLatin1Char('='));
        bool addressOk = false;
        bool valueOk = false;
        const int address = parts.size() == 2 ? parts.at(0).toInt(&addressOk, 10) : 0;
        const int value = parts.size() == 2 ? parts.at(1).toInt(&valueOk, 10) : 0;
        if (!addressOk || !valueOk) {
            // A number that does not parse must never reach the unit as 0.
            skip(number, line, ParameterFileSkip::Unparsable, addressOk ? address : 0, 0);
            continue;
        }
        if (checkRanges && UnitSettingTable::isSetting(address) &&
            !UnitSettingTable::inRange(address, value)) {
            skip(number, line, ParameterFileSkip::OutOfRange, address, value);
            continue;
        }
        if (values)
            values->insert(address, value);
    }
    return 0;
}

} // namespace

int qLoadParametersFromFile(const QString& path, QMap<int, int>* values)
{
    return readParameters(path, values, nullptr, false);
}

int qReadParametersFromFile(const QString& path, QMap<int, int>* values,
                            QList<ParameterFileSkip>* skipped)
{
    return readParameters(path, values, skipped, true);
}

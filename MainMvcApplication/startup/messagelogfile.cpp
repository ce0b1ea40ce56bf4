#include "messagelogfile.h"

#include <QFile>
#include <QTextStream>

#include <limits>

namespace {

// Distinct warnings remembered per connection; beyond that, new ones are simply written.
constexpr int MaxRemembered = 256;

bool isPowerOfTen(int n)
{
    while (n >= 10 && n % 10 == 0)
        n /= 10;
    return n == 1;
}

} // namespace

QString MessageLogFile::countLine(const Repeat& repeat)
{
    return QStringLiteral("%1 (repeated %2 times since the unit was connected)")
            .arg(repeat.line)
            .arg(repeat.seen);
}

void MessageLogFile::write(const QString& path, QtMsgType type, const QString& text,
                           const QString& line)
{
    if (type == QtWarningMsg) {
        auto it = m_warnings.find(text);
        if (it != m_warnings.end()) {
            if (it->seen < std::numeric_limits<int>::max())
                ++it->seen;
            if (isPowerOfTen(it->seen)) {
                append(path, countLine(*it));
                it->reported = it->seen;
            }
            return;
        }
        if (m_warnings.size() < MaxRemembered) {
            Repeat repeat;
            repeat.line = line;
            m_warnings.insert(text, repeat);
        }
    }
    append(path, line);
}

void MessageLogFile::startConnection(const QString& path)
{
    for (const Repeat& repeat : qAsConst(m_warnings)) {
        if (repeat.seen > repeat.reported)
            append(path, countLine(repeat));
    }
    m_warnings.clear();
}

void MessageLogFile::append(const QString& path, const QString& line)
{
    QFile file(path);
    // Text mode writes the platform's line end.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return;
    const QByteArray bytes = line.toLocal8Bit();
    // Two bytes cover the longest line end.
    if (file.size() > 0 && file.size() + bytes.size() + 2 > m_maxBytes) {
        file.close();
        const QString previous = path + QStringLiteral(".1");
        QFile::remove(previous);
        if (!QFile::rename(path, previous))
            QFile::remove(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
            return;
    }
    QTextStream out(&file);
    out << line << '\n';
    out.flush();
}

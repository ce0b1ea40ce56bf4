#include "linkpayload.h"

#include <QList>

#include <limits>

bool LinkPayload::parseInt(const QByteArray& text, int* value)
{
    int i = 0;
    bool negative = false;
    if (!text.isEmpty() && text.at(0) == '-') {
        negative = true;
        i = 1;
    }
    const int digits = text.size() - i;
    if (digits < 1 || digits > 10)
        return false;
    qint64 v = 0;
    for (; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    if (negative)
        v = -v;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    *value = int(v);
    return true;
}

bool LinkPayload::parseAddress(const QByteArray& text, int* address)
{
    int a = 0;
    if (text.startsWith('-') || !parseInt(text, &a) || a > 65535)
        return false;
    *address = a;
    return true;
}

QByteArray LinkPayload::readRequest(const QVector<int>& addresses)
{
    QByteArray out;
    for (int i = 0; i < addresses.size(); ++i) {
        if (i)
            out.append(',');
        out.append(QByteArray::number(addresses.at(i)));
    }
    return out;
}

bool LinkPayload::parseReadRequest(const QByteArray& payload, QVector<int>* addresses)
{
    const QList<QByteArray> parts = payload.split(',');
    if (parts.size() > MaxReadAddresses)
        return false;
    QVector<int> result;
    result.reserve(parts.size());
    for (const QByteArray& part : parts) {
        int a = 0;
        if (!parseAddress(part, &a))
            return false;
        result.append(a);
    }
    *addresses = result;
    return true;
}

QByteArray LinkPayload::readAnswer(const QVector<ReadEntry>& entries)
{
    QByteArray out;
    for (int i = 0; i < entries.size(); ++i) {
        const ReadEntry& e = entries.at(i);
        if (i)
            out.append(',');
        out.append(QByteArray::number(e.address));
        if (e.error) {
            out.append('!');
            out.append(QByteArray::number(e.error));
        } else {
            out.append(':');
            out.append(QByteArray::number(e.value));
        }
    }
    return out;
}

bool LinkPayload::parseReadAnswer(const QByteArray& payload, QVector<ReadEntry>* entries)
{
    const QList<QByteArray> parts = payload.split(',');
    if (parts.size() > MaxReadAddresses)
        return false;
    QVector<ReadEntry> result;
    result.reserve(parts.size());
    for (const QByteArray& part : parts) {
        ReadEntry e;
        const int colon = part.indexOf(':');
        const int bang = part.indexOf('!');
        const int mark = colon >= 0 ? colon : bang;
        if (mark < 0 || (colon >= 0 && bang >= 0))
            return false;
        if (!parseAddress(part.left(mark), &e.address))
            return false;
        int number = 0;
        if (!parseInt(part.mid(mark + 1), &number))
            return false;
        if (colon >= 0) {
            e.value = number;
        } else {
            if (number <= 0)
                return false;
            e.error = number;
        }
        result.append(e);
    }
    *entries = result;
    return true;
}

QByteArray LinkPayload::addressValue(int address, int value)
{
    return QByteArray::number(address) + ':' + QByteArray::number(value);
}

bool LinkPayload::parseAddressValue(const QByteArray& payload, int* address, int* value)
{
    const int colon = payload.indexOf(':');
    if (colon < 0)
        return false;
    int a = 0;
    int v = 0;
    if (!parseAddress(payload.left(colon), &a) || !parseInt(payload.mid(colon + 1), &v))
        return false;
    *address = a;
    *value = v;
    return true;
}

QByteArray LinkPayload::chunkRequest(int address, int offset)
{
    return addressValue(address, offset);
}

bool LinkPayload::parseChunkRequest(const QByteArray& payload, int* address, int* offset)
{
    int a = 0;
    int o = 0;
    if (!parseAddressValue(payload, &a, &o) || o < 0)
        return false;
    *address = a;
    *offset = o;
    return true;
}

QByteArray LinkPayload::chunkAnswer(const Chunk& chunk)
{
    return QByteArray::number(chunk.address) + ':' + QByteArray::number(chunk.offset) + ':' +
           QByteArray::number(chunk.total) + ':' + chunk.data;
}

bool LinkPayload::parseChunkAnswer(const QByteArray& payload, Chunk* chunk)
{
    const int c1 = payload.indexOf(':');
    const int c2 = c1 < 0 ? -1 : payload.indexOf(':', c1 + 1);
    const int c3 = c2 < 0 ? -1 : payload.indexOf(':', c2 + 1);
    if (c3 < 0)
        return false;
    Chunk c;
    if (!parseAddress(payload.left(c1), &c.address) ||
        !parseInt(payload.mid(c1 + 1, c2 - c1 - 1), &c.offset) ||
        !parseInt(payload.mid(c2 + 1, c3 - c2 - 1), &c.total))
        return false;
    c.data = payload.mid(c3 + 1);
    if (c.offset < 0 || c.total < 0 || c.data.size() > MaxChunkSize ||
        qint64(c.offset) + c.data.size() > c.total)
        return false;
    // A chunk that carries nothing must be the end of the record, or the reader would never
    // get further.
    if (c.data.isEmpty() && c.offset != c.total)
        return false;
    *chunk = c;
    return true;
}

QByteArray LinkPayload::identifyAnswer(const Identity& identity)
{
    QByteArray version = QByteArray::number(identity.protocol);
    if (identity.protocolMinor > 0)
        version += '.' + QByteArray::number(identity.protocolMinor);
    return identityMagic() + ',' + version + ',' + QByteArray::number(identity.hardware) + ',' +
           QByteArray::number(identity.firmware) + ',' + QByteArray::number(identity.serial);
}

bool LinkPayload::parseIdentifyAnswer(const QByteArray& payload, Identity* identity)
{
    const QList<QByteArray> parts = payload.split(',');
    if (parts.size() != 5 || parts.at(0) != identityMagic())
        return false;
    Identity id;
    const QList<QByteArray> version = parts.at(1).split('.');
    if (version.size() > 2 || !parseInt(version.at(0), &id.protocol) || id.protocol < 0 ||
        (version.size() == 2 && (!parseInt(version.at(1), &id.protocolMinor) ||
                                 id.protocolMinor < 0 || version.at(1).startsWith('-'))))
        return false;
    if (!parseInt(parts.at(2), &id.hardware) || !parseInt(parts.at(3), &id.firmware) ||
        !parseInt(parts.at(4), &id.serial))
        return false;
    *identity = id;
    return true;
}

QByteArray LinkPayload::errorAnswer(int code, const QByteArray& detail)
{
    QByteArray out = QByteArray::number(code);
    if (!detail.isEmpty())
        out += ':' + detail;
    return out;
}

bool LinkPayload::parseErrorAnswer(const QByteArray& payload, int* code, QByteArray* detail)
{
    const int colon = payload.indexOf(':');
    int c = 0;
    if (!parseInt(colon < 0 ? payload : payload.left(colon), &c) || c <= 0)
        return false;
    *code = c;
    *detail = colon < 0 ? QByteArray() : payload.mid(colon + 1);
    return true;
}

#ifndef CRC16_H
#define CRC16_H

#include "hxserial_global.h"

#include <QByteArray>

// CRC-16/CCITT-FALSE: polynomial 0x1021, initial value 0xFFFF, no reflection, no final
// XOR. The check value (CRC of the ASCII text "123456789") is 0x29B1.
class HXSERIAL_EXPORT Crc16
{
public:
    static quint16 compute(const char* data, int size, quint16 crc = 0xFFFF);
    static quint16 compute(const QByteArray& data)
    {
        return compute(data.constData(), data.size());
    }
};

#endif // CRC16_H

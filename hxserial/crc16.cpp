#include "crc16.h"

namespace {

struct Crc16Table
{
    quint16 entries[256];
    Crc16Table()
    {
        for (int i = 0; i < 256; ++i) {
            quint16 crc = quint16(i << 8);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc & 0x8000) ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
            entries[i] = crc;
        }
    }
};

const Crc16Table& table()
{
    static const Crc16Table t;
    return t;
}

} // namespace

quint16 Crc16::compute(const char* data, int size, quint16 crc)
{
    const quint16* entries = table().entries;
    for (int i = 0; i < size; ++i)
        crc = quint16((crc << 8) ^ entries[((crc >> 8) ^ quint8(data[i])) & 0xFF]);
    return crc;
}

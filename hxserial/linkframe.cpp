#include "linkframe.h"

#include "crc16.h"

namespace {

const char hexDigits[] = "0123456789ABCDEF";

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    // Upper case only: then every changed character of a frame is an error.
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool parseHex(const char* text, int digits, quint32* value)
{
    quint32 v = 0;
    for (int i = 0; i < digits; ++i) {
        const int h = hexValue(text[i]);
        if (h < 0)
            return false;
        v = (v << 4) | quint32(h);
    }
    *value = v;
    return true;
}

} // namespace

QByteArray LinkFrame::encode() const
{
    QByteArray out;
    out.reserve(payload.size() + Overhead);
    out.append(Start);
    out.append(hexDigits[(seq >> 4) & 0xF]);
    out.append(hexDigits[seq & 0xF]);
    out.append(type);
    out.append(payload);
    const quint16 crc = Crc16::compute(out.constData() + 1, out.size() - 1);
    out.append(CrcMark);
    out.append(hexDigits[(crc >> 12) & 0xF]);
    out.append(hexDigits[(crc >> 8) & 0xF]);
    out.append(hexDigits[(crc >> 4) & 0xF]);
    out.append(hexDigits[crc & 0xF]);
    out.append(End);
    return out;
}

LinkFrame::DecodeError LinkFrame::decode(const QByteArray& input, LinkFrame* frame)
{
    QByteArray line = input;
    if (line.endsWith('\r'))
        line.chop(1);
    // '#', SS, T, '*', CCCC
    if (line.size() < 9)
        return TooShort;
    if (line.at(0) != Start || line.at(line.size() - 5) != CrcMark)
        return BadSyntax;
    const int bodyEnd = line.size() - 5;
    for (int i = 1; i < bodyEnd; ++i) {
        if (!isPayloadCharacter(line.at(i)))
            return BadCharacter;
    }
    quint32 seq = 0;
    quint32 crc = 0;
    if (!parseHex(line.constData() + 1, 2, &seq) ||
        !parseHex(line.constData() + bodyEnd + 1, 4, &crc))
        return BadSyntax;
    if (Crc16::compute(line.constData() + 1, bodyEnd - 1) != crc)
        return BadChecksum;
    const char type = line.at(3);
    if (!((type >= 'A' && type <= 'Z') || (type >= 'a' && type <= 'z')))
        return BadSyntax;
    frame->seq = quint8(seq);
    frame->type = type;
    frame->payload = line.mid(4, bodyEnd - 4);
    return NoError;
}

#ifndef LINKFRAME_H
#define LINKFRAME_H

#include "hxserial_global.h"

#include <QByteArray>

// One frame of the unit's line protocol:
//
//     '#' SS T payload '*' CCCC '\n'
//
// SS is the sequence number (two upper-case hex digits), T the frame type (one letter:
// upper case from the computer, lower case from the unit), payload printable ASCII without
// '#', and CCCC the CRC-16 (see Crc16) of "SS T payload" in upper-case hex. A '\r' before
// the '\n' is tolerated on input.
class HXSERIAL_EXPORT LinkFrame
{
public:
    // Requests (computer to unit).
    static constexpr char Identify = 'I';
    static constexpr char Read = 'R';
    static constexpr char Write = 'W';
    static constexpr char GetChunk = 'G';
    // Answers (unit to computer).
    static constexpr char IdentifyAnswer = 'i';
    static constexpr char ReadAnswer = 'r';
    static constexpr char WriteAnswer = 'w';
    static constexpr char ChunkAnswer = 'g';
    static constexpr char ErrorAnswer = 'e';
    static constexpr char Nak = 'n';

    static constexpr char Start = '#';
    static constexpr char CrcMark = '*';
    static constexpr char End = '\n';
    // The longest frame, from '#' to '\n', that either side sends or accepts.
    static constexpr int MaxFrameSize = 1024;
    // What a frame costs besides its payload: '#', SS, T, '*', CCCC, '\n'.
    static constexpr int Overhead = 10;

    enum DecodeError { NoError, TooShort, BadSyntax, BadCharacter, BadChecksum };

    LinkFrame() = default;
    LinkFrame(quint8 seq, char type, const QByteArray& payload = QByteArray())
        : seq(seq)
        , type(type)
        , payload(payload)
    {}

    // The frame as it goes on the wire, '#' to '\n' included.
    QByteArray encode() const;

    // Decodes one line that starts with '#' and ends before the '\n'.
    static DecodeError decode(const QByteArray& line, LinkFrame* frame);

    static bool isPayloadCharacter(char c) { return c >= 0x20 && c <= 0x7E && c != Start; }

    bool operator==(const LinkFrame& other) const
    {
        return seq == other.seq && type == other.type && payload == other.payload;
    }

    quint8 seq = 0;
    char type = 0;
    QByteArray payload;
};

#endif // LINKFRAME_H

#ifndef LINKPAYLOAD_H
#define LINKPAYLOAD_H

#include "hxserial_global.h"

#include <QByteArray>
#include <QVector>

// Builds and parses the payloads of the protocol's frames (docs/protocol.md). Numbers are
// decimal: addresses 0..65535, values any 32-bit signed integer. Parsers are strict: a
// payload that does not match its layout exactly is rejected as a whole.
class HXSERIAL_EXPORT LinkPayload
{
public:
    // Error codes of an 'e' answer and of a refused entry of an 'r' answer.
    enum ErrorCode {
        BadRequest = 1, // the request's payload does not parse
        UnknownAddress = 2,
        ReadOnly = 3,    // the address cannot be written
        Refused = 4,     // the value is not accepted (a command the unit does not know)
        Busy = 5,        // the unit is busy; ask again shortly
        UnknownType = 6, // the frame type is not a request this unit knows
        WrongRequest = 7 // 'R' for a flight-log record or 'G' for anything else
    };

    // The most addresses one read request may carry.
    static constexpr int MaxReadAddresses = 32;
    // The most record bytes one chunk answer carries.
    static constexpr int MaxChunkSize = 480;
    // The largest flight-log record the link reads. A real record is a few kilobytes (the
    // chart's 600 samples of six series stay under 45 kB even with ten-digit numbers); a
    // unit announcing more is broken, and reading it would never end.
    static constexpr int MaxRecordSize = 256 * 1024;
    // The protocol major version this link speaks; newer minor versions keep its rules.
    static constexpr int ProtocolMajor = 1;

    struct ReadEntry
    {
        int address = 0;
        int value = 0;
        int error = 0; // 0: value is valid; otherwise an ErrorCode
        bool operator==(const ReadEntry& o) const
        {
            return address == o.address && value == o.value && error == o.error;
        }
    };

    struct Chunk
    {
        int address = 0;
        int offset = 0;
        int total = 0;
        QByteArray data;
    };

    struct Identity
    {
        int protocol = 1;      // major version
        int protocolMinor = 0; // "1.2" gives 1 and 2; a plain "1" is 1.0
        int hardware = 0;
        int firmware = 0;
        int serial = 0;
    };

    static QByteArray identityMagic() { return QByteArrayLiteral("HXFBL"); }

    // "100,111,112"
    static QByteArray readRequest(const QVector<int>& addresses);
    static bool parseReadRequest(const QByteArray& payload, QVector<int>* addresses);
    // "100:74,111:1520,999!2"
    static QByteArray readAnswer(const QVector<ReadEntry>& entries);
    static bool parseReadAnswer(const QByteArray& payload, QVector<ReadEntry>* entries);
    // "303:100" (write request and write answer)
    static QByteArray addressValue(int address, int value);
    static bool parseAddressValue(const QByteArray& payload, int* address, int* value);
    // "604:960" (chunk request: record address, byte offset)
    static QByteArray chunkRequest(int address, int offset);
    static bool parseChunkRequest(const QByteArray& payload, int* address, int* offset);
    // "604:960:5230:<data>" (chunk answer: address, offset, total size, record bytes)
    static QByteArray chunkAnswer(const Chunk& chunk);
    static bool parseChunkAnswer(const QByteArray& payload, Chunk* chunk);
    // "HXFBL,1,11,215,123456"
    static QByteArray identifyAnswer(const Identity& identity);
    static bool parseIdentifyAnswer(const QByteArray& payload, Identity* identity);
    // "4" or "4:10=99"
    static QByteArray errorAnswer(int code, const QByteArray& detail = QByteArray());
    static bool parseErrorAnswer(const QByteArray& payload, int* code, QByteArray* detail);

    // Strict decimal integer: optional '-', 1..10 digits, within the int range.
    static bool parseInt(const QByteArray& text, int* value);
    static bool parseAddress(const QByteArray& text, int* address);
};

#endif // LINKPAYLOAD_H

#include "linktrace.h"

Q_LOGGING_CATEGORY(lcLinkFrames, "hx.link.frames", QtInfoMsg)
Q_LOGGING_CATEGORY(lcLink, "hx.link", QtInfoMsg)

QByteArray linkTraceText(const QByteArray& bytes)
{
    constexpr int MaxShown = 160;
    QByteArray shown;
    int end = bytes.size();
    while (end > 0 && (bytes.at(end - 1) == '\n' || bytes.at(end - 1) == '\r'))
        --end;
    const int count = qMin(end, MaxShown);
    shown.reserve(count + 24);
    for (int i = 0; i < count; ++i) {
        const char c = bytes.at(i);
        if (c >= 0x20 && c <= 0x7e && c != '\\') {
            shown += c;
        } else {
            shown += "\\x";
            shown += QByteArray::number(quint8(c), 16).rightJustified(2, '0');
        }
    }
    if (end > count)
        shown += "... (" + QByteArray::number(bytes.size()) + " bytes)";
    return shown;
}

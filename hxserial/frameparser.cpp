#include "frameparser.h"

int FrameParser::feed(const QByteArray& bytes, QVector<LinkFrame>* frames)
{
    int rejected = 0;
    for (const char c : bytes) {
        if (c == LinkFrame::Start) {
            if (m_state == InFrame) {
                ++m_counters.cutFrames;
                ++rejected;
            }
            m_line.clear();
            m_line.append(c);
            m_state = InFrame;
            continue;
        }
        switch (m_state) {
        case Hunting:
            ++m_counters.skippedBytes;
            break;
        case Discarding:
            ++m_counters.skippedBytes;
            if (c == LinkFrame::End)
                m_state = Hunting;
            break;
        case InFrame:
            if (c == LinkFrame::End) {
                LinkFrame frame;
                if (LinkFrame::decode(m_line, &frame) == LinkFrame::NoError) {
                    ++m_counters.frames;
                    frames->append(frame);
                } else {
                    ++m_counters.badFrames;
                    ++rejected;
                }
                m_line.clear();
                m_state = Hunting;
            } else if (m_line.size() >= LinkFrame::MaxFrameSize - 1) {
                ++m_counters.overlong;
                ++rejected;
                m_counters.skippedBytes += m_line.size() + 1;
                m_line.clear();
                m_state = Discarding;
            } else {
                m_line.append(c);
            }
            break;
        }
    }
    return rejected;
}

void FrameParser::reset()
{
    m_state = Hunting;
    m_line.clear();
}

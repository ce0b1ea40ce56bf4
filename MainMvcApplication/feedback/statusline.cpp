#include "statusline.h"

StatusLine::StatusLine(QWidget* parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("statusLine"));
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setTextFormat(Qt::PlainText);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &StatusLine::messageTimedOut);
    present(QString(), Info);
}

StatusLine::~StatusLine() = default;

void StatusLine::showMessage(const QString& text, Kind kind, int ms)
{
    m_message = text;
    present(text, kind);
    m_timer.start(ms);
}

void StatusLine::setLastingText(const QString& text, Kind kind)
{
    m_lasting = text;
    m_lastingKind = kind;
    if (!m_timer.isActive())
        present(text, kind);
}

void StatusLine::present(const QString& text, Kind kind)
{
    static const char* const colours[] = {"#d8d8d8", "#7fe07f", "#ff7070"};
    setStyleSheet(QStringLiteral("QLabel#statusLine { color: %1; font-size: 12px; "
                                 "background: transparent; padding-left: 4px; }")
                          .arg(QLatin1String(colours[kind])));
    setText(text);
    setToolTip(text);
}

void StatusLine::messageTimedOut()
{
    m_message.clear();
    present(m_lasting, m_lastingKind);
}

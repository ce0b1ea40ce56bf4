#include "lineeditrangealert.h"

#include <lineeditalert.h>

#include <QDoubleValidator>
#include <QEvent>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLineEdit>

LineEditRangeAlert::LineEditRangeAlert(LineEditAlert* alert, const QString& pressEnterText,
                                       const QString& rangeText, const QString& refusedText,
                                       QObject* parent)
    : QObject(parent)
    , m_alert(alert)
    , m_pressEnter(pressEnterText)
    , m_range(rangeText)
    , m_refused(refusedText)
{}

LineEditRangeAlert::~LineEditRangeAlert() = default;

void LineEditRangeAlert::watch(QLineEdit* edit)
{
    if (!edit || rangeOf(edit, m_range).isEmpty())
        return;
    // After the window's own connection, which shows the bubble with its usual text.
    connect(edit, &QLineEdit::textEdited, this, &LineEditRangeAlert::textEdited);
    // A Return the edit accepts sends the value: nothing is left to say about the range.
    connect(edit, &QLineEdit::returnPressed, this, [this]() {
        if (m_alert)
            m_alert->hideMe();
    });
    edit->installEventFilter(this);
}

QString LineEditRangeAlert::rangeOf(const QLineEdit* edit, const QString& pattern) const
{
    const QValidator* validator = edit ? edit->validator() : nullptr;
    if (auto* ints = qobject_cast<const QIntValidator*>(validator))
        return pattern.arg(ints->bottom()).arg(ints->top());
    if (auto* doubles = qobject_cast<const QDoubleValidator*>(validator)) {
        const QLocale locale = doubles->locale();
        return pattern.arg(locale.toString(doubles->bottom(), 'f', doubles->decimals()),
                           locale.toString(doubles->top(), 'f', doubles->decimals()));
    }
    return QString();
}

void LineEditRangeAlert::textEdited()
{
    auto* edit = qobject_cast<QLineEdit*>(sender());
    if (!edit)
        return;
    showAt(edit, edit->hasAcceptableInput() ? m_pressEnter : rangeOf(edit, m_range));
}

void LineEditRangeAlert::showAt(QLineEdit* edit, const QString& text)
{
    if (!m_alert)
        return;
    m_alert->setText(text);
    if (QWidget* window = m_alert->parentWidget())
        m_alert->move(edit->mapTo(window, QPoint(-120, edit->height() + 2)));
    m_alert->showMe();
}

bool LineEditRangeAlert::eventFilter(QObject* watched, QEvent* event)
{
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (event->type() != QEvent::KeyPress || !edit || !edit->validator())
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        // The edit keeps such a Return to itself: nothing is sent, so say it.
        if (!edit->hasAcceptableInput())
            showAt(edit, rangeOf(edit, m_refused));
        return QObject::eventFilter(watched, event);
    }
    // A key the validator will swallow (the second 9 of 99 where 25 is the top) would
    // otherwise just do nothing.
    const QString typed = key->text();
    if (typed.isEmpty() || !typed.at(0).isPrint() || edit->isReadOnly())
        return QObject::eventFilter(watched, event);
    QString candidate = edit->text();
    int position = edit->cursorPosition();
    if (edit->hasSelectedText()) {
        position = edit->selectionStart();
        candidate.remove(position, edit->selectedText().size());
    }
    candidate.insert(position, typed);
    position += typed.size();
    if (edit->validator()->validate(candidate, position) == QValidator::Invalid)
        showAt(edit, rangeOf(edit, m_range));
    return QObject::eventFilter(watched, event);
}

#include "lineeditadaptor.h"

#include <QDebug>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QValidator>

LineEditAdaptor::LineEditAdaptor(QObject* inputField, QObject* parent)
    : AbstractFieldAdaptor(inputField, parent)
{
    if (inputField) {
        connect(inputField, SIGNAL(textEdited(QString)), this, SLOT(textEdited(QString)));
        connect(inputField, SIGNAL(returnPressed()), this, SLOT(returnPressed()));
        inputField->installEventFilter(this);
    }
}

LineEditAdaptor::~LineEditAdaptor()
{
    if (QObject* field = inputField())
        field->removeEventFilter(this);
}

QVariant LineEditAdaptor::getValue() const
{
    const QLineEdit* edit = inputFieldAs<QLineEdit>();
    if (!edit)
        return QVariant();
    return edit->text().toInt(nullptr, 10);
}

void LineEditAdaptor::setValue(const QVariant& val)
{
    showText(QString::number(val.toInt()), val.toInt());
}

QString LineEditAdaptor::outOfRangeMark()
{
    return QStringLiteral("\u221e");
}

void LineEditAdaptor::showText(const QString& text, qint64 raw)
{
    QLineEdit* edit = inputFieldAs<QLineEdit>();
    if (!edit)
        return;
    QString shown = text;
    if (const QValidator* validator = edit->validator()) {
        int pos = 0;
        QString probe = text;
        if (validator->validate(probe, pos) != QValidator::Acceptable) {
            if (!m_warnedOutOfRange)
                qWarning("%s: value %lld out of range; shown as out of range",
                         qPrintable(edit->objectName()), raw);
            m_warnedOutOfRange = true;
            shown = outOfRangeMark();
        } else {
            m_warnedOutOfRange = false;
        }
    }
    if (edit->text() != shown)
        edit->setText(shown);
}

bool LineEditAdaptor::eventFilter(QObject* watched, QEvent* event)
{
    QLineEdit* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit || watched != inputField())
        return false;

    if (event->type() == QEvent::FocusIn) {
        m_lastText = edit->text();
    } else if (event->type() == QEvent::FocusOut && m_editing) {
        // The edit's own context menu takes the focus too; the user is still typing
        // then (and may paste), so only a real departure abandons the edit.
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason)
            return false;
        m_editing = false;
        setReadOnly(false);
        edit->setText(m_lastText);
        emit _editLostFocus(inputField());
    }
    return false;
}

void LineEditAdaptor::emitValueChanged()
{
    emit _adaptorValueChanged(getValue(), false);
}

QString LineEditAdaptor::lastCommittedText() const
{
    return m_lastText;
}

void LineEditAdaptor::setLastCommittedText(const QString& text)
{
    m_lastText = text;
}

bool LineEditAdaptor::isEditing() const
{
    return m_editing;
}

void LineEditAdaptor::returnPressed()
{
    const QLineEdit* edit = inputFieldAs<QLineEdit>();
    if (!edit)
        return;
    m_lastText = edit->text();
    m_editing = false;
    setReadOnly(false);
    emit _editReturnPressed(inputField());
    emitValueChanged();
}

void LineEditAdaptor::textEdited(const QString& text)
{
    setReadOnly(true);
    m_editing = true;
    emit _editTextEdited(text);
}

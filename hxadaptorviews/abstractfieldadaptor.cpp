#include "abstractfieldadaptor.h"

AbstractFieldAdaptor::AbstractFieldAdaptor(QObject* inputField, QObject* parent)
    : QObject(parent)
    , m_inputField(inputField)
{}

AbstractFieldAdaptor::~AbstractFieldAdaptor() = default;

void AbstractFieldAdaptor::setInputField(QObject* field)
{
    if (field == m_inputField)
        return;
    removeField();
    m_inputField = field;
}

QObject* AbstractFieldAdaptor::inputField() const
{
    return m_inputField.data();
}

void AbstractFieldAdaptor::removeField()
{
    if (QObject* old = m_inputField.data()) {
        disconnect(old, nullptr, this, nullptr);
        old->removeEventFilter(this);
    }
    m_inputField = nullptr;
}

bool AbstractFieldAdaptor::isReadOnly() const
{
    return m_readOnly;
}

void AbstractFieldAdaptor::setReadOnly(bool isReadOnly)
{
    m_readOnly = isReadOnly;
}

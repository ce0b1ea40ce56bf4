#include "adaptormodel.h"

#include "abstractfieldadaptor.h"

namespace {
// The unit's command address: writing a value there resets a group of parameters.
constexpr int ResetCommandAddress = 10;
} // namespace

AdaptorModel::AdaptorModel(QObject* parent)
    : QObject(parent)
{}

AdaptorModel::~AdaptorModel()
{
    const QHash<int, AbstractFieldAdaptor*> adaptors = m_adaptors;
    m_adaptors.clear();
    for (AbstractFieldAdaptor* adaptor : adaptors) {
        disconnect(adaptor, nullptr, this, nullptr);
        delete adaptor;
    }
}

void AdaptorModel::addAdaptor(int addr, AbstractFieldAdaptor* adaptor)
{
    if (!adaptor)
        return;
    AbstractFieldAdaptor* old = m_adaptors.value(addr, nullptr);
    if (old == adaptor)
        return;

    const int heldAt = m_adaptors.key(adaptor, addr);
    if (heldAt != addr)
        m_adaptors.remove(heldAt);
    if (old) {
        // Stop listening at once: the old adaptor may still emit before it is deleted.
        disconnect(old, nullptr, this, nullptr);
        old->deleteLater();
    }
    m_adaptors.insert(addr, adaptor);

    if (heldAt == addr) {
        connect(adaptor, SIGNAL(_adaptorValueChanged(QVariant, bool)), this,
                SLOT(adaptorValueChanged(QVariant, bool)));
        connect(adaptor, SIGNAL(_resetValue(QVariant, bool)), this,
                SLOT(resetValue(QVariant, bool)));
        // An adaptor deleted by someone else must not stay behind as a dangling entry.
        connect(adaptor, &QObject::destroyed, this, [this, adaptor]() { forgetAdaptor(adaptor); });
    }
}

int AdaptorModel::value(int addr) const
{
    const AbstractFieldAdaptor* adaptor = m_adaptors.value(addr, nullptr);
    return adaptor ? adaptor->getValue().toInt() : 0;
}

AbstractFieldAdaptor* AdaptorModel::adaptor(int addr) const
{
    return m_adaptors.value(addr, nullptr);
}

bool AdaptorModel::isReadOnly(int addr) const
{
    const AbstractFieldAdaptor* adaptor = m_adaptors.value(addr, nullptr);
    return adaptor && adaptor->isReadOnly();
}

QHash<int, AbstractFieldAdaptor*> AdaptorModel::adaptors() const
{
    return m_adaptors;
}

QList<QObject*> AdaptorModel::inputFields() const
{
    QList<QObject*> fields;
    fields.reserve(m_adaptors.count());
    for (const AbstractFieldAdaptor* adaptor : m_adaptors) {
        if (QObject* field = adaptor->inputField())
            fields.append(field);
    }
    return fields;
}

int AdaptorModel::count() const
{
    return m_adaptors.count();
}

void AdaptorModel::setAdaptorValue(int addr, int val)
{
    AbstractFieldAdaptor* adaptor = m_adaptors.value(addr, nullptr);
    if (!adaptor || adaptor->isReadOnly())
        return;
    if (adaptor->getValue().toInt() == val)
        return;
    adaptor->setValue(QVariant(val));
}

void AdaptorModel::setAdaptorReadOnly(int addr, bool val)
{
    if (AbstractFieldAdaptor* adaptor = m_adaptors.value(addr, nullptr))
        adaptor->setReadOnly(val);
}

void AdaptorModel::adaptorValueChanged(const QVariant& val, bool isBlocking)
{
    auto* sender = qobject_cast<AbstractFieldAdaptor*>(QObject::sender());
    if (!sender)
        return;
    for (auto it = m_adaptors.cbegin(); it != m_adaptors.cend(); ++it) {
        if (it.value() == sender) {
            if (it.key() > 0)
                emit _adaptorValueChanged(it.key(), val.toInt(), isBlocking);
            return;
        }
    }
}

void AdaptorModel::resetValue(const QVariant& val, bool isBlocking)
{
    emit _resetValue(ResetCommandAddress, val.toInt(), isBlocking);
}

void AdaptorModel::forgetAdaptor(AbstractFieldAdaptor* adaptor)
{
    for (auto it = m_adaptors.begin(); it != m_adaptors.end(); ++it) {
        if (it.value() == adaptor) {
            m_adaptors.erase(it);
            return;
        }
    }
}

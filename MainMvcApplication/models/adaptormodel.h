#ifndef ADAPTORMODEL_H
#define ADAPTORMODEL_H

#include <QHash>
#include <QList>
#include <QObject>
#include <QVariant>

class AbstractFieldAdaptor;

// The registry linking each parameter address to the one field adaptor that shows it.
// Device values go to the widgets through setAdaptorValue; user edits come back from
// the adaptors, which do not know their address, as _adaptorValueChanged(addr, ...).
// The model owns the registered adaptors.
class AdaptorModel : public QObject
{
    Q_OBJECT

public:
    explicit AdaptorModel(QObject* parent = nullptr);
    ~AdaptorModel() override;

    // Registers adaptor for addr (null is ignored). An adaptor already registered for
    // addr is disconnected and scheduled for deletion. An adaptor serves one address
    // only: registering it again under another address moves it there.
    void addAdaptor(int addr, AbstractFieldAdaptor* adaptor);

    // The adaptor's value as an int; 0 for an address without an adaptor.
    int value(int addr) const;
    AbstractFieldAdaptor* adaptor(int addr) const;
    // false for an address without an adaptor.
    bool isReadOnly(int addr) const;
    QHash<int, AbstractFieldAdaptor*> adaptors() const;
    // The widgets of the registered adaptors, leaving out those already destroyed.
    QList<QObject*> inputFields() const;
    int count() const;

signals:
    void _adaptorValueChanged(int addr, int val, bool isBlocking = false);
    // Every reset request goes to the unit's command address 10.
    void _resetValue(int addr, int val, bool isBlocking = false);

public slots:
    // Skipped while the adaptor is read-only (the user is editing its widget) and when the
    // widget already shows the value; a skipped value is not applied later.
    void setAdaptorValue(int addr, int val);
    // Does nothing for an address without an adaptor.
    void setAdaptorReadOnly(int addr, bool val);

private slots:
    void adaptorValueChanged(const QVariant& val, bool isBlocking);
    void resetValue(const QVariant& val, bool isBlocking);

private:
    void forgetAdaptor(AbstractFieldAdaptor* adaptor);

    QHash<int, AbstractFieldAdaptor*> m_adaptors;
};

#endif // ADAPTORMODEL_H

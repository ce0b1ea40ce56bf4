#ifndef ABSTRACTFIELDADAPTOR_H
#define ABSTRACTFIELDADAPTOR_H

#include "hxadaptorviews_global.h"

#include <QObject>
#include <QPointer>
#include <QVariant>

// Binds one widget to one parameter value. The adaptor converts between the unit's raw
// integer (carried as the variant's int) and what the widget shows, and announces a
// finished user edit with _adaptorValueChanged. It does not know its parameter address;
// the adaptor model keeps that link.
//
// The widget is not owned. It belongs to the window, which may be destroyed before the
// adaptor at shutdown, so it is held weakly: once it is gone inputField() returns null,
// getValue() returns an invalid variant and setValue() does nothing.
//
// The read-only flag doubles as the mark of an edit in progress: adaptors set it while
// the user operates their widget, and the adaptor model then pushes no device values in.
class HXADAPTORVIEWS_EXPORT AbstractFieldAdaptor : public QObject
{
    Q_OBJECT

public:
    explicit AbstractFieldAdaptor(QObject* inputField, QObject* parent = nullptr);
    ~AbstractFieldAdaptor() override;

signals:
    // A finished user edit; the flag tells a blocking write and is false for every
    // generic adaptor.
    void _adaptorValueChanged(const QVariant& value, bool isBlocking = false);
    // A request to reset a group of parameters (the value names the group).
    void _resetValue(const QVariant& value, bool isBlocking = false);

public slots:
    // The constructor's connections are made to the first widget only. Replacing or
    // removing the field drops those connections, so the adaptor never reacts to a
    // widget it no longer shows; a replacement is shown and read but not followed.
    void setInputField(QObject* field);
    QObject* inputField() const;
    void removeField();

    virtual QVariant getValue() const = 0;
    virtual void setValue(const QVariant& val) = 0;

    bool isReadOnly() const;
    void setReadOnly(bool isReadOnly);

protected:
    // The bound widget cast to the class the adaptor expects; null when the widget is
    // gone or of another class.
    template<class T>
    T* inputFieldAs() const
    {
        return qobject_cast<T*>(m_inputField.data());
    }

private:
    QPointer<QObject> m_inputField;
    bool m_readOnly = false;
};

#endif // ABSTRACTFIELDADAPTOR_H

#ifndef ABSTRACTADAPTORFACTORY_H
#define ABSTRACTADAPTORFACTORY_H

class AbstractFieldAdaptor;
class QObject;

// Makes the field adaptor that binds a parameter address to its widget.
class AbstractAdaptorFactory
{
public:
    virtual ~AbstractAdaptorFactory() = default;

    // A new adaptor without parent, or null when the widget cannot be bound.
    virtual AbstractFieldAdaptor* createAdaptor(int address, QObject* widget) = 0;
};

#endif // ABSTRACTADAPTORFACTORY_H

#include "checkablebuttonwithverifyadaptor.h"

#include <QAbstractButton>

CheckableButtonWithVerifyAdaptor::CheckableButtonWithVerifyAdaptor(QObject* inputField,
                                                                   QObject* parent)
    : CheckableButtonAdaptor(inputField, parent)
{}

void CheckableButtonWithVerifyAdaptor::clicked(bool checked)
{
    QAbstractButton* button = inputFieldAs<QAbstractButton>();
    if (!button)
        return;

    // The confirmation runs a modal box; no device value may overwrite the button meanwhile.
    setReadOnly(true);
    bool accepted = false;
    emit _clicked(button, checked, &accepted);
    // The window may have been closed while the question was open.
    button = inputFieldAs<QAbstractButton>();
    if (button && accepted)
        emit _adaptorValueChanged(getValue(), false);
    else if (button)
        button->toggle();
    setReadOnly(false);
}

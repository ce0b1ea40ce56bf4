#include "buttongroupadaptor.h"

#include <QAbstractButton>
#include <QButtonGroup>

ButtonGroupAdaptor::ButtonGroupAdaptor(QObject* inputField, QObject* parent)
    : AbstractFieldAdaptor(inputField, parent)
{
    if (inputField) {
        connect(inputField, SIGNAL(buttonToggled(int, bool)), this,
                SIGNAL(_buttonToggled(int, bool)));
        connect(inputField, SIGNAL(buttonClicked(int)), this, SLOT(buttonClicked(int)));
    }
}

QVariant ButtonGroupAdaptor::getValue() const
{
    const QButtonGroup* group = inputFieldAs<QButtonGroup>();
    if (!group)
        return QVariant();
    return group->checkedId();
}

void ButtonGroupAdaptor::setValue(const QVariant& val)
{
    QButtonGroup* group = inputFieldAs<QButtonGroup>();
    if (!group)
        return;
    if (QAbstractButton* button = group->button(val.toInt()))
        button->setChecked(true);
}

void ButtonGroupAdaptor::buttonClicked(int id)
{
    if (!inputField())
        return;
    emit _buttonClicked(inputField(), id);
    emit _adaptorValueChanged(getValue(), false);
}

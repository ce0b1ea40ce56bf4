#include "buttongroupwithverifyadaptor.h"

#include <buttongroup.h>

#include <QAbstractButton>

ButtonGroupWithVerifyAdaptor::ButtonGroupWithVerifyAdaptor(QObject* inputField, QObject* parent)
    : ButtonGroupAdaptor(inputField, parent)
{}

void ButtonGroupWithVerifyAdaptor::setValue(const QVariant& val)
{
    ButtonGroupAdaptor::setValue(val);
    ButtonGroup* group = inputFieldAs<ButtonGroup>();
    if (!group)
        return;
    const int id = val.toInt();
    QAbstractButton* button = group->button(id);
    // Only a button that really shows the value becomes the confirmed one: an unknown id
    // or a button that cannot be checked must not wipe out the memory of the last choice.
    if (id != group->lastButtonCheckedId() && button && button->isChecked())
        group->setLastButtonChecked(button);
}

void ButtonGroupWithVerifyAdaptor::buttonClicked(int id)
{
    ButtonGroup* group = inputFieldAs<ButtonGroup>();
    if (!group || id == group->lastButtonCheckedId())
        return;

    // The confirmation runs a modal box; no device value may overwrite the group meanwhile.
    setReadOnly(true);
    bool accepted = false;
    emit _buttonClicked(group, id, &accepted);
    // The window may have been closed while the question was open.
    group = inputFieldAs<ButtonGroup>();
    if (group && accepted) {
        group->setLastButtonChecked(group->button(id));
        emit _adaptorValueChanged(getValue(), false);
    } else if (group && group->lastButtonChecked()) {
        group->lastButtonChecked()->setChecked(true);
    }
    setReadOnly(false);
}

#include "genericmultiplesliderwithlineeditadaptor.h"

#include "lineeditadaptor.h"

#include <QLineEdit>
#include <QSlider>

GenericMultipleSliderWithLineEditAdaptor::GenericMultipleSliderWithLineEditAdaptor(
        QObject* slider, QObject* lineEdit, int multiple, QObject* parent)
    : SliderAdaptor(slider, parent)
    , m_lineEdit(qobject_cast<QLineEdit*>(lineEdit))
    , m_lineEditAdaptor(new LineEditAdaptor(m_lineEdit, this))
    , m_multiple(multiple != 0 ? multiple : 1)
{
    if (m_lineEdit)
        connect(m_lineEdit, SIGNAL(returnPressed()), this, SLOT(editReturnPressed()));
}

QLineEdit* GenericMultipleSliderWithLineEditAdaptor::getLineEdit() const
{
    return m_lineEdit.data();
}

LineEditAdaptor* GenericMultipleSliderWithLineEditAdaptor::getLineEditAdaptor() const
{
    return m_lineEditAdaptor;
}

int GenericMultipleSliderWithLineEditAdaptor::multiple() const
{
    return m_multiple;
}

void GenericMultipleSliderWithLineEditAdaptor::sliderValueChanged(int value)
{
    SliderAdaptor::sliderValueChanged(value);
    if (m_lineEdit) {
        const QString text = QString::number(value * m_multiple);
        m_lineEdit->setText(text);
        m_lineEditAdaptor->setLastCommittedText(text);
    }
}

void GenericMultipleSliderWithLineEditAdaptor::editReturnPressed()
{
    QSlider* slider = inputFieldAs<QSlider>();
    if (!slider || !m_lineEdit)
        return;
    slider->setValue(m_lineEdit->text().toInt(nullptr, 10) / m_multiple);
    emit _adaptorValueChanged(getValue(), false);
}

#include "vbecsliderwithlineeditadaptor.h"

#include "lineeditadaptor.h"

#include <QLineEdit>
#include <QSlider>

VBecSliderWithLineEditAdaptor::VBecSliderWithLineEditAdaptor(QObject* slider, QObject* lineEdit,
                                                             QObject* parent)
    : SliderAdaptor(slider, parent)
    , m_lineEdit(qobject_cast<QLineEdit*>(lineEdit))
    , m_lineEditAdaptor(new LineEditAdaptor(m_lineEdit, this))
{
    if (m_lineEdit)
        connect(m_lineEdit, SIGNAL(returnPressed()), this, SLOT(editReturnPressed()));
}

QLineEdit* VBecSliderWithLineEditAdaptor::getLineEdit() const
{
    return m_lineEdit.data();
}

LineEditAdaptor* VBecSliderWithLineEditAdaptor::getLineEditAdaptor() const
{
    return m_lineEditAdaptor;
}

QString VBecSliderWithLineEditAdaptor::displayText(int sliderValue)
{
    return QString::number(sliderValue / 10.0, 'f', 1);
}

int VBecSliderWithLineEditAdaptor::sliderValueFromText(const QString& text)
{
    // The entry is read in single precision and scaled in double precision, so a value
    // whose float lies just below a tenth (0.7) truncates one step lower.
    const float volts = text.toFloat();
    return static_cast<int>(static_cast<double>(volts) * 10.0);
}

void VBecSliderWithLineEditAdaptor::sliderValueChanged(int value)
{
    SliderAdaptor::sliderValueChanged(value);
    if (m_lineEdit) {
        const QString text = displayText(value);
        m_lineEdit->setText(text);
        m_lineEditAdaptor->setLastCommittedText(text);
    }
}

void VBecSliderWithLineEditAdaptor::editReturnPressed()
{
    QSlider* slider = inputFieldAs<QSlider>();
    if (!slider || !m_lineEdit)
        return;
    slider->setValue(sliderValueFromText(m_lineEdit->text()));
    emit _adaptorValueChanged(getValue(), false);
}

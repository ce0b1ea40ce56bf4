#include "sliderwithlineeditadaptor.h"

#include "lineeditadaptor.h"

#include <QLineEdit>
#include <QSlider>

SliderWithLineEditAdaptor::SliderWithLineEditAdaptor(QObject* slider, QObject* lineEdit,
                                                     QObject* parent)
    : SliderAdaptor(slider, parent)
    , m_lineEdit(qobject_cast<QLineEdit*>(lineEdit))
    , m_lineEditAdaptor(new LineEditAdaptor(m_lineEdit, this))
{
    // Made after the inner adaptor's own connection, so on Return the inner adaptor has
    // committed the typed text before the slider is moved.
    if (m_lineEdit)
        connect(m_lineEdit, SIGNAL(returnPressed()), this, SLOT(editReturnPressed()));
}

QLineEdit* SliderWithLineEditAdaptor::getLineEdit() const
{
    return m_lineEdit.data();
}

LineEditAdaptor* SliderWithLineEditAdaptor::getLineEditAdaptor() const
{
    return m_lineEditAdaptor;
}

void SliderWithLineEditAdaptor::sliderValueChanged(int value)
{
    SliderAdaptor::sliderValueChanged(value);
    if (m_lineEdit) {
        const QString text = QString::number(value);
        m_lineEdit->setText(text);
        // Leaving the edit without Return must restore what the slider holds, not an
        // older or out-of-range entry.
        m_lineEditAdaptor->setLastCommittedText(text);
    }
}

void SliderWithLineEditAdaptor::editReturnPressed()
{
    QSlider* slider = inputFieldAs<QSlider>();
    if (!slider || !m_lineEdit)
        return;
    slider->setValue(m_lineEdit->text().toInt(nullptr, 10));
    emit _adaptorValueChanged(getValue(), false);
}

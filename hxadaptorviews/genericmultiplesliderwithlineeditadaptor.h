#ifndef GENERICMULTIPLESLIDERWITHLINEEDITADAPTOR_H
#define GENERICMULTIPLESLIDERWITHLINEEDITADAPTOR_H

#include "slideradaptor.h"

#include <QPointer>

class LineEditAdaptor;
class QLineEdit;

// A slider with a line edit that shows the slider value times a display factor (with 5,
// value 12 shows 60). Typed text is divided by the factor, truncating toward zero.
class HXADAPTORVIEWS_EXPORT GenericMultipleSliderWithLineEditAdaptor : public SliderAdaptor
{
    Q_OBJECT

public:
    // A factor of 0 would divide by zero on every entry; it is taken as 1.
    GenericMultipleSliderWithLineEditAdaptor(QObject* slider, QObject* lineEdit, int multiple,
                                             QObject* parent = nullptr);

    QLineEdit* getLineEdit() const;
    LineEditAdaptor* getLineEditAdaptor() const;
    int multiple() const;

public slots:
    void sliderValueChanged(int value) override;
    virtual void editReturnPressed();

private:
    QPointer<QLineEdit> m_lineEdit;
    LineEditAdaptor* m_lineEditAdaptor;
    int m_multiple;
};

#endif // GENERICMULTIPLESLIDERWITHLINEEDITADAPTOR_H

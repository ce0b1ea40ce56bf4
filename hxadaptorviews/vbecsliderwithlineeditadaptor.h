#ifndef VBECSLIDERWITHLINEEDITADAPTOR_H
#define VBECSLIDERWITHLINEEDITADAPTOR_H

#include "slideradaptor.h"

#include <QPointer>

class LineEditAdaptor;
class QLineEdit;

// A supply-voltage slider in tenths of a volt with a line edit showing volts with one
// decimal (74 shows 7.4). Typed volts are multiplied by ten and truncated toward zero.
class HXADAPTORVIEWS_EXPORT VBecSliderWithLineEditAdaptor : public SliderAdaptor
{
    Q_OBJECT

public:
    VBecSliderWithLineEditAdaptor(QObject* slider, QObject* lineEdit, QObject* parent = nullptr);

    QLineEdit* getLineEdit() const;
    LineEditAdaptor* getLineEditAdaptor() const;

    static QString displayText(int sliderValue);
    static int sliderValueFromText(const QString& text);

public slots:
    void sliderValueChanged(int value) override;
    virtual void editReturnPressed();

private:
    QPointer<QLineEdit> m_lineEdit;
    LineEditAdaptor* m_lineEditAdaptor;
};

#endif // VBECSLIDERWITHLINEEDITADAPTOR_H

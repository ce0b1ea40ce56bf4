#ifndef SLIDERWITHLINEEDITADAPTOR_H
#define SLIDERWITHLINEEDITADAPTOR_H

#include "slideradaptor.h"

#include <QPointer>

class LineEditAdaptor;
class QLineEdit;

// A slider carrying the raw value with a line edit beside it that shows the same value
// in decimal and takes typed entry. The edit follows the slider continuously; Return in
// the edit moves the slider (clamped to its range) and sends the slider's value.
class HXADAPTORVIEWS_EXPORT SliderWithLineEditAdaptor : public SliderAdaptor
{
    Q_OBJECT

public:
    SliderWithLineEditAdaptor(QObject* slider, QObject* lineEdit, QObject* parent = nullptr);

    QLineEdit* getLineEdit() const;
    LineEditAdaptor* getLineEditAdaptor() const;

public slots:
    void sliderValueChanged(int value) override;
    virtual void editReturnPressed();

private:
    QPointer<QLineEdit> m_lineEdit;
    LineEditAdaptor* m_lineEditAdaptor;
};

#endif // SLIDERWITHLINEEDITADAPTOR_H

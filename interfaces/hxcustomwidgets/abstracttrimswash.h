#ifndef ABSTRACTTRIMSWASH_H
#define ABSTRACTTRIMSWASH_H

#include "hxcustomwidgets_global.h"

#include <QWidget>

// Common base of the swash-plate trim widgets: a trim range for the user's trims and a
// range for the live servo monitor channels (217..220) drawn as bars.
class HXCUSTOMWIDGETS_EXPORT AbstractTrimSwash : public QWidget
{
    Q_OBJECT
public:
    explicit AbstractTrimSwash(QWidget* parent = nullptr);
    ~AbstractTrimSwash() override;

    void setTrimRange(int min, int max);
    int trimMinimum() const;
    int trimMaximum() const;

    // Range of the monitor channel values (1120..1920 in this program).
    virtual void setMonitorRange(int min, int max);
    int monitorMinimum() const;
    int monitorMaximum() const;

public slots:
    // Shows the live value of monitor channel 217..220; other channels are ignored.
    virtual void setTrimMonitorValue(int channel, int value);
};

#endif // ABSTRACTTRIMSWASH_H

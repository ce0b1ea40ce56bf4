#ifndef BUTTONGROUP_H
#define BUTTONGROUP_H

#include "hxcustomwidgets_global.h"

#include <QButtonGroup>
#include <QPointer>
#include <QString>

class QAbstractButton;

// An exclusive button group that marks its checked button with a check image and
// remembers the last button whose choice was confirmed, so that a refused click can
// be undone by re-checking it.
class HXCUSTOMWIDGETS_EXPORT ButtonGroup : public QButtonGroup
{
    Q_OBJECT
public:
    ButtonGroup(const QString& checkedImagePath, QWidget* parent = nullptr);
    ~ButtonGroup() override;

    void setLastButtonChecked(QAbstractButton* button);
    QAbstractButton* lastButtonChecked() const;
    // -1 when no button has been confirmed yet.
    int lastButtonCheckedId() const;

    QString checkedImagePath() const;
};

#endif // BUTTONGROUP_H

#ifndef BUTTONGROUP_H
#define BUTTONGROUP_H

#include "hxcustomwidgets_global.h"

#include <QButtonGroup>
#include <QPixmap>
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

    // QButtonGroup::addButton, and the check mark follows the new button at once. (Buttons
    // added through a QButtonGroup pointer are picked up on the next toggle or event loop
    // turn.)
    void addButton(QAbstractButton* button, int id = -1);
    // The button that carries the check mark now (the checked one), or null.
    QAbstractButton* markedButton() const;

private:
    void updateMarks();
    void updateMark(QAbstractButton* button);

    QString m_imagePath;
    QPixmap m_image;
    QPointer<QAbstractButton> m_lastChecked;
};

#endif // BUTTONGROUP_H

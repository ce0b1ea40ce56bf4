#include "buttongroup.h"

#include "checkmarkoverlay.h"

#include <QAbstractButton>
#include <QTimer>

ButtonGroup::ButtonGroup(const QString& checkedImagePath, QWidget* parent)
    : QButtonGroup(parent)
    , m_imagePath(checkedImagePath)
    , m_image(checkedImagePath)
{
    setExclusive(true);
    connect(this, QOverload<QAbstractButton*, bool>::of(&QButtonGroup::buttonToggled), this,
            [this](QAbstractButton* button, bool) { updateMark(button); });
    // Buttons are usually added and checked right after construction, through calls
    // that do not signal; catch up once the event loop runs.
    QTimer::singleShot(0, this, [this] { updateMarks(); });
}

ButtonGroup::~ButtonGroup()
{
    // The marks live inside the buttons, which may outlive the group.
    const QList<QAbstractButton*> all = buttons();
    for (QAbstractButton* button : all) {
        if (CheckMarkOverlay* mark = CheckMarkOverlay::find(button))
            mark->deleteLater();
    }
}

void ButtonGroup::addButton(QAbstractButton* button, int id)
{
    QButtonGroup::addButton(button, id);
    updateMarks();
}

void ButtonGroup::setLastButtonChecked(QAbstractButton* button)
{
    m_lastChecked = button;
    updateMarks();
}

QAbstractButton* ButtonGroup::lastButtonChecked() const
{
    return m_lastChecked.data();
}

int ButtonGroup::lastButtonCheckedId() const
{
    // A remembered button that has since left the group no longer counts.
    if (!m_lastChecked || !buttons().contains(m_lastChecked.data()))
        return -1;
    return id(m_lastChecked.data());
}

QString ButtonGroup::checkedImagePath() const
{
    return m_imagePath;
}

QAbstractButton* ButtonGroup::markedButton() const
{
    const QList<QAbstractButton*> all = buttons();
    for (QAbstractButton* button : all) {
        const CheckMarkOverlay* mark = CheckMarkOverlay::find(button);
        if (mark && mark->isMarked())
            return button;
    }
    return nullptr;
}

void ButtonGroup::updateMarks()
{
    const QList<QAbstractButton*> all = buttons();
    for (QAbstractButton* button : all)
        updateMark(button);
}

// A change of choice toggles two buttons, each signalling on its own: each brings its own
// mark up to date, the others' stay as they are.
void ButtonGroup::updateMark(QAbstractButton* button)
{
    CheckMarkOverlay* mark = CheckMarkOverlay::find(button);
    const bool wanted = button->isCheckable() && button->isChecked();
    if (wanted && !mark)
        mark = new CheckMarkOverlay(m_image, button);
    if (mark) {
        mark->setMarked(wanted);
        if (wanted) {
            if (mark->isHidden())
                mark->show();
            mark->place();
        }
    }
}

#include "doubledirectslider.h"

#include "centredslider.h"

#include <QBoxLayout>
#include <QIntValidator>
#include <QLineEdit>

namespace {
// The edit sits on the window's skin, so it carries its own colours.
const char* const EditStyle =
        "QLineEdit { background: #12161b; color: #e4e8ee; border: 1px solid #3b495b;"
        " border-radius: 4px; padding: 1px 2px; selection-background-color: #f0a030; "
        "selection-color: #12161b; }"
        "QLineEdit:focus { border: 1px solid #f0a030; }"
        "QLineEdit:disabled { color: #9aa6b5; }";
} // namespace

DoubleDirectSlider::DoubleDirectSlider(QWidget* parent)
    : QWidget(parent)
    , m_slider(new CentredSlider(Qt::Vertical, this))
    , m_edit(new QLineEdit(this))
    , m_layout(new QBoxLayout(QBoxLayout::TopToBottom, this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(4);
    m_layout->addWidget(m_slider, 1, Qt::AlignHCenter);
    m_layout->addWidget(m_edit, 0);

    m_edit->setAlignment(Qt::AlignCenter);
    m_edit->setStyleSheet(QString::fromLatin1(EditStyle));
    m_edit->setMaxLength(5);
    m_slider->setSingleStep(1);
    m_slider->setPageStep(10);
    setSliderRange(-100, 100);
    m_slider->setValue(0);
    m_edit->setText(QStringLiteral("0"));

    // The edit mirrors the slider. Typed text only reaches the slider through the
    // adaptor (on Return), so typing alone never moves anything.
    connect(m_slider, &QSlider::valueChanged, this, [this](int v) {
        const QString text = QString::number(v);
        if (m_edit->text() != text && !m_edit->hasFocus())
            m_edit->setText(text);
    });
    resize(sizeHint());
}

DoubleDirectSlider::~DoubleDirectSlider() = default;

void DoubleDirectSlider::setSliderRange(int min, int max)
{
    if (min > max)
        std::swap(min, max);
    m_slider->setRange(min, max);
    auto* validator = qobject_cast<QIntValidator*>(const_cast<QValidator*>(m_edit->validator()));
    if (validator)
        validator->setRange(min, max);
    else
        m_edit->setValidator(new QIntValidator(min, max, m_edit));
    m_slider->update();
}

QSlider* DoubleDirectSlider::getSlider() const
{
    return m_slider;
}

QLineEdit* DoubleDirectSlider::getLineEdit() const
{
    return m_edit;
}

void DoubleDirectSlider::setOrientation(Qt::Orientation orientation)
{
    if (orientation == m_slider->orientation())
        return;
    m_slider->setOrientation(orientation);
    m_layout->setDirection(orientation == Qt::Vertical ? QBoxLayout::TopToBottom
                                                       : QBoxLayout::LeftToRight);
    m_layout->setAlignment(m_slider,
                           orientation == Qt::Vertical ? Qt::AlignHCenter : Qt::AlignVCenter);
    if (orientation == Qt::Vertical)
        m_edit->setMaximumWidth(QWIDGETSIZE_MAX);
    else
        m_edit->setFixedWidth(46);
    updateGeometry();
    resize(sizeHint());
}

Qt::Orientation DoubleDirectSlider::orientation() const
{
    return m_slider->orientation();
}

QSize DoubleDirectSlider::sizeHint() const
{
    return orientation() == Qt::Vertical ? QSize(46, 150) : QSize(190, 28);
}

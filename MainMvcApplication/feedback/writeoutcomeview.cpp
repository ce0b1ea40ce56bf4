#include "writeoutcomeview.h"

#include "abstractfieldadaptor.h"
#include "adaptormodel.h"
#include "sliderwithlineeditadaptor.h"
#include "statusline.h"
#include "tracecategories.h"

#include <lineeditalert.h>
#include <resourcemanager.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSlider>
#include <QTimer>

#include <limits>

namespace {

bool hasLetter(const QString& text)
{
    for (const QChar c : text) {
        if (c.isLetter())
            return true;
    }
    return false;
}

// The label the window puts over the widget (a caption of its panel) or on its left, in
// the same container: the nearest one.
QString captionOf(const QWidget* widget)
{
    const QWidget* parent = widget->parentWidget();
    if (!parent)
        return QString();
    const QRect g = widget->geometry();
    int best = std::numeric_limits<int>::max();
    QString name;
    const QList<QLabel*> labels =
            parent->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    for (const QLabel* label : labels) {
        const QString caption = label->text().simplified();
        if (label->isHidden() || caption.isEmpty() || !hasLetter(caption) || caption.size() > 40)
            continue;
        const QRect l = label->geometry();
        int distance = -1;
        const bool overlapsX = l.left() < g.right() && l.right() > g.left();
        const bool overlapsY = l.top() < g.bottom() && l.bottom() > g.top();
        if (overlapsX && l.bottom() <= g.top() + 4)
            distance = g.top() - l.bottom();
        else if (overlapsY && l.right() <= g.left() + 4)
            distance = g.left() - l.right();
        if (distance >= 0 && distance < 120 && distance < best) {
            best = distance;
            name = caption;
        }
    }
    return name;
}

} // namespace

WriteOutcomeView::WriteOutcomeView(AdaptorModel* adaptors, StatusLine* status,
                                   ResourceManager* resources, QObject* parent)
    : QObject(parent)
    , m_adaptors(adaptors)
    , m_status(status)
    , m_resources(resources)
{}

WriteOutcomeView::~WriteOutcomeView()
{
    for (const Mark& mark : qAsConst(m_marks))
        delete mark.bubble.data();
}

QString WriteOutcomeView::text(int id) const
{
    return m_resources ? m_resources->getValue(id) : QString();
}

void WriteOutcomeView::noteEdit(int windowAddress, int value)
{
    // Every write ends with an outcome, which takes its entry; this only guards the memory
    // against a link that would not say.
    if (m_shown.size() > 256)
        m_shown.clear();
    m_shown.insert(qMakePair(windowAddress, value), shownValue(windowAddress, value));
}

void WriteOutcomeView::setSource(int windowAddress, QWidget* widget)
{
    m_sources.insert(windowAddress, widget);
}

QWidget* WriteOutcomeView::widgetFor(int windowAddress) const
{
    if (QWidget* source = m_sources.value(windowAddress).data())
        return source;
    AbstractFieldAdaptor* adaptor = m_adaptors ? m_adaptors->adaptor(windowAddress) : nullptr;
    if (!adaptor)
        return nullptr;
    // A slider with a line edit shows its alerts at the edit.
    if (auto* pair = qobject_cast<SliderWithLineEditAdaptor*>(adaptor)) {
        if (QLineEdit* edit = pair->getLineEdit())
            return edit;
    }
    // A group of buttons shows it at the button it holds now.
    if (auto* group = qobject_cast<QButtonGroup*>(adaptor->inputField())) {
        if (QAbstractButton* checked = group->checkedButton())
            return checked;
        return group->buttons().value(0);
    }
    return qobject_cast<QWidget*>(adaptor->inputField());
}

QString WriteOutcomeView::settingName(int windowAddress) const
{
    // The command address: every default button writes there.
    if (windowAddress == 10)
        return text(5008);
    AbstractFieldAdaptor* adaptor = m_adaptors ? m_adaptors->adaptor(windowAddress) : nullptr;
    QList<const QWidget*> candidates;
    if (QWidget* source = m_sources.value(windowAddress).data())
        candidates << source;
    if (adaptor) {
        if (auto* field = qobject_cast<QWidget*>(adaptor->inputField()))
            candidates << field;
        if (auto* group = qobject_cast<QButtonGroup*>(adaptor->inputField())) {
            // The group's caption sits over its first button.
            if (QAbstractButton* first = group->buttons().value(0))
                candidates << first;
        }
        if (auto* pair = qobject_cast<SliderWithLineEditAdaptor*>(adaptor)) {
            if (QLineEdit* edit = pair->getLineEdit())
                candidates << edit;
        }
    }
    for (const QWidget* widget : qAsConst(candidates)) {
        auto* button = qobject_cast<const QAbstractButton*>(widget);
        // A button of a group names a choice, not the setting.
        if (button && !button->group()) {
            const QString caption = button->text().simplified();
            if (hasLetter(caption))
                return caption;
        }
        const QString caption = captionOf(widget);
        if (!caption.isEmpty())
            return caption;
    }
    for (const QWidget* widget : qAsConst(candidates)) {
        QString tip = widget->toolTip().simplified();
        if (tip.isEmpty())
            continue;
        const int stop = tip.indexOf(QRegularExpression(QStringLiteral("[.:;(]")));
        if (stop > 0)
            tip.truncate(stop);
        if (tip.size() > 40)
            tip = tip.left(38) + QChar(0x2026);
        return tip;
    }
    return text(5009).arg(windowAddress);
}

QString WriteOutcomeView::shownValue(int windowAddress, int value) const
{
    // As the window shows it where the widget says so plainly; raw otherwise.
    const QWidget* widget = widgetFor(windowAddress);
    if (auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->currentText();
    if (auto* slider = qobject_cast<const QSlider*>(widget))
        return QString::number(slider->value());
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        if (button->group() && !button->text().simplified().isEmpty())
            return button->text().simplified();
    }
    return QString::number(value);
}

LineEditAlert* WriteOutcomeView::failureMark(int windowAddress) const
{
    const auto it = m_marks.constFind(windowAddress);
    return it == m_marks.constEnd() ? nullptr : it->bubble.data();
}

void WriteOutcomeView::show(int windowAddress, int value, WriteOutcomeTracker::Outcome outcome)
{
    const QString name = settingName(windowAddress);
    const auto key = qMakePair(windowAddress, value);
    const QString shown =
            m_shown.contains(key) ? m_shown.take(key) : shownValue(windowAddress, value);
    QString said;
    switch (outcome) {
    case WriteOutcomeTracker::Confirmed:
        clearMark(windowAddress);
        said = text(5000).arg(name, shown);
        m_status->showMessage(said, StatusLine::Success);
        break;
    case WriteOutcomeTracker::Failed:
        said = text(5001).arg(name, shown);
        m_status->showMessage(said, StatusLine::Failure, 8000);
        markFailed(windowAddress, text(5003).arg(shown));
        break;
    case WriteOutcomeTracker::NotSent:
        said = text(5002).arg(name, shown);
        m_status->showMessage(said, StatusLine::Failure, 8000);
        break;
    }
    qCDebug(lcWrites, "outcome of %d = %d: %s; the status line says \"%s\"", windowAddress, value,
            outcome == WriteOutcomeTracker::Confirmed ? "confirmed"
            : outcome == WriteOutcomeTracker::Failed  ? "failed"
                                                      : "not sent",
            qPrintable(said));
    m_sources.remove(windowAddress);
}

void WriteOutcomeView::markFailed(int windowAddress, const QString& message)
{
    QWidget* widget = widgetFor(windowAddress);
    QWidget* panel = widget ? widget->parentWidget() : nullptr;
    if (!panel)
        return;
    Mark& mark = m_marks[windowAddress];
    if (!mark.bubble) {
        mark.bubble = new LineEditAlert(panel);
        mark.bubble->setObjectName(QStringLiteral("writeFailure%1").arg(windowAddress));
        mark.bubble->setFixedSize(190, 58);
    }
    mark.bubble->setText(message);
    // Under the widget, the bubble's tail (three quarters along) pointing at its middle,
    // kept inside the panel so that nothing of it is cut off.
    const QRect g = widget->geometry();
    int x = g.center().x() - int(0.76 * mark.bubble->width());
    x = qBound(0, x, qMax(0, panel->width() - mark.bubble->width()));
    int y = g.bottom() + 2;
    if (y + mark.bubble->height() > panel->height())
        y = qMax(0, g.top() - mark.bubble->height() - 2);
    mark.bubble->move(x, y);
    mark.bubble->showMe();
    mark.since.start();
    mark.readSeen = false;
}

void WriteOutcomeView::clearMark(int windowAddress)
{
    const auto it = m_marks.find(windowAddress);
    if (it == m_marks.end())
        return;
    if (it->bubble) {
        it->bubble->hideMe();
        it->bubble->deleteLater();
    }
    m_marks.erase(it);
}

void WriteOutcomeView::valueRead(int unitAddress)
{
    for (const int windowAddress : {unitAddress, unitAddress + 1000}) {
        auto it = m_marks.find(windowAddress);
        if (it == m_marks.end() || it->readSeen)
            continue;
        it->readSeen = true;
        const qint64 left = m_minFailureMs - it->since.elapsed();
        if (left <= 0) {
            clearMark(windowAddress);
            continue;
        }
        QTimer::singleShot(int(left), this, [this, windowAddress]() {
            const auto mark = m_marks.constFind(windowAddress);
            if (mark != m_marks.constEnd() && mark->readSeen &&
                mark->since.elapsed() >= m_minFailureMs)
                clearMark(windowAddress);
        });
    }
}

#include "gallery.h"

#include "advanceservosview.h"
#include "buttongroup.h"
#include "customframe.h"
#include "doubledirectslider.h"
#include "flystyleview.h"
#include "lineeditalert.h"
#include "progressdialog.h"
#include "rxmonitorview.h"
#include "swashtrimcollective.h"
#include "swashtrimcyclic.h"

#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

// The two skins a widget must stay legible on.
const QColor DarkSkin(0x1b, 0x21, 0x29);
const QColor LightSkin(0xe8, 0xec, 0xf1);

class Backdrop : public QWidget
{
public:
    Backdrop(bool dark, QWidget* parent = nullptr)
        : QWidget(parent)
        , m_dark(dark)
    {}
    bool dark() const { return m_dark; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), m_dark ? DarkSkin : LightSkin);
    }

private:
    bool m_dark;
};

QLabel* caption(const QString& text, bool dark)
{
    auto* label = new QLabel(text);
    QFont f = label->font();
    f.setPixelSize(12);
    f.setBold(true);
    label->setFont(f);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setStyleSheet(dark ? "color: #9aa6b5;" : "color: #4a5563;");
    return label;
}

// A row of captioned cells on one skin. The widgets keep the size they were given.
QWidget* strip(bool dark, const QList<QPair<QString, QWidget*>>& cells)
{
    auto* back = new Backdrop(dark);
    auto* grid = new QGridLayout(back);
    grid->setContentsMargins(18, 14, 18, 14);
    grid->setHorizontalSpacing(22);
    grid->setVerticalSpacing(6);
    for (int i = 0; i < cells.size(); ++i) {
        QWidget* w = cells.at(i).second;
        w->setFixedSize(w->size());
        grid->addWidget(w, 0, i, Qt::AlignHCenter | Qt::AlignBottom);
        grid->addWidget(caption(cells.at(i).first, dark), 1, i);
    }
    return back;
}

QWidget* page(const QList<QWidget*>& strips)
{
    auto* w = new QWidget;
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QWidget* s : strips)
        layout->addWidget(s);
    w->adjustSize();
    return w;
}

RxMonitorView* monitor(int location)
{
    auto* view = new RxMonitorView(190, 190, 18, 18);
    view->setRangeValue(920, 2120);
    view->setLocation(location);
    return view;
}

// What the adaptors do: the first value only places the stick, later ones move it.
void feed(RxMonitorView* view, double x, double y)
{
    view->xValue = x;
    view->yValue = y;
    if (!view->valueArrived)
        view->valueArrived = true;
    else
        view->moveSensor();
}

AdvanceServosView* servos(const QList<int>& defaults, int phase)
{
    auto* view = new AdvanceServosView(240, 240, nullptr, 5.0);
    view->resetChannelDefaultAngle(defaults);
    view->setAngle(phase);
    return view;
}

void feedMonitors(AbstractTrimSwash* trim, int a, int b, int c, int d)
{
    trim->setTrimMonitorValue(217, a);
    trim->setTrimMonitorValue(218, b);
    trim->setTrimMonitorValue(219, c);
    trim->setTrimMonitorValue(220, d);
}

QToolButton* pictureButton(const QString& image, const QString& text)
{
    auto* button = new QToolButton;
    button->setCheckable(true);
    button->setFixedSize(110, 110);
    if (QFile::exists(image)) {
        button->setIcon(QIcon(image));
        button->setIconSize(QSize(96, 96));
    } else {
        button->setText(text);
    }
    button->setStyleSheet(
            "QToolButton { background: #232b35; color: #e4e8ee; border: 1px solid #334050;"
            " border-radius: 6px; }"
            "QToolButton:checked { border: 2px solid #f0a030; }");
    return button;
}

} // namespace

QList<GalleryScene> Gallery::buildScenes()
{
    return {frameScene(true),   frameScene(false), rxMonitorScene(), servosScene(),
            flyStyleScene(),    sliderScene(),     cyclicScene(),    collectiveScene(),
            buttonGroupScene(), alertScene(),      progressScene()};
}

void Gallery::animate(double seconds)
{
    for (const auto& animator : qAsConst(m_animators))
        animator(seconds);
}

GalleryScene Gallery::frameScene(bool withBackground)
{
    auto* frame = new CustomFrame;
    frame->setWindowSize(960, 540);
    frame->setWindowTitleSize(960, 40);
    frame->setWindowTitle(QStringLiteral("VORA Flybarless Configuration v2.6b"));
    if (withBackground)
        frame->setBackgroundImage(QStringLiteral("images/background.png"));

    // Content below the title bar, as the main window's form lays it out.
    auto* layout = new QGridLayout(frame);
    layout->setContentsMargins(12, 46, 12, 12);
    auto* tabs = new QTabWidget;
    tabs->setDocumentMode(true);
    tabs->setStyleSheet(
            "QTabWidget::pane { border: 1px solid #334050; background: rgba(35,43,53,200); }"
            "QTabBar::tab { background: #232b35; color: #9aa6b5; padding: 6px 14px;"
            " border: 1px solid #334050; }"
            "QTabBar::tab:selected { color: #e4e8ee; border-bottom: 2px solid #f0a030; }");
    auto* rxPage = new QWidget;
    auto* rxLayout = new QHBoxLayout(rxPage);
    auto* left = monitor(-5);
    auto* right = monitor(5);
    feed(left, 1520, 1520);
    feed(right, 1520, 1520);
    feed(left, 1380, 1700);
    feed(right, 1820, 1450);
    rxLayout->addStretch();
    rxLayout->addWidget(left);
    rxLayout->addSpacing(30);
    rxLayout->addWidget(right);
    rxLayout->addStretch();
    tabs->addTab(rxPage, QStringLiteral("RX/TX"));
    tabs->addTab(new QWidget, QStringLiteral("START"));
    tabs->addTab(new QWidget, QStringLiteral("SWASH"));
    layout->addWidget(tabs);

    m_animators.append([left, right](double t) {
        feed(left, 1520 + 500 * std::sin(t * 1.3), 1520 + 500 * std::cos(t * 0.9));
        feed(right, 1520 + 400 * std::cos(t * 1.7), 1520 + 450 * std::sin(t * 1.1));
    });
    return {withBackground ? QStringLiteral("customframe") : QStringLiteral("customframe-plain"),
            frame,
            {}};
}

GalleryScene Gallery::rxMonitorScene()
{
    auto* noSignal = monitor(-5);
    auto* centred = monitor(-5);
    feed(centred, 1520, 1520);
    auto* deflected = monitor(5);
    feed(deflected, 1300, 1820);
    auto* corner = monitor(5);
    feed(corner, 2120, 920);
    auto* moving = monitor(-5);
    feed(moving, 1000, 1100);
    feed(moving, 1000, 1100);
    auto* outside = monitor(5);
    feed(outside, 2300, 700);

    auto* lightCentred = monitor(-5);
    feed(lightCentred, 1520, 1520);
    auto* lightDeflected = monitor(5);
    feed(lightDeflected, 1750, 1300);

    QWidget* w = page({strip(true, {{"no value yet", noSignal},
                                    {"centred", centred},
                                    {"deflected", deflected},
                                    {"full corner", corner},
                                    {"moving", moving},
                                    {"out of range", outside}}),
                       strip(false, {{"centred", lightCentred}, {"deflected", lightDeflected}})});
    m_animators.append([deflected](double t) {
        feed(deflected, 1520 + 550 * std::sin(t), 1520 + 550 * std::sin(t * 1.6));
    });
    return {QStringLiteral("rxmonitorview"), w, [moving] {
                moving->xValue = 1950;
                moving->yValue = 1900;
                moving->moveSensor();
            }};
}

GalleryScene Gallery::servosScene()
{
    auto* t1 = servos({300, 180, 60, -1}, 0);
    auto* t2 = servos({240, 0, 120, -1}, 0);
    auto* t3 = servos({225, 0, 90, -1}, 0);
    auto* t4 = servos({270, 0, 90, 180}, 0);
    auto* phased = servos({300, 180, 60, -1}, 15);
    auto* phasedBack = servos({270, 0, 90, 180}, 330);
    auto* light1 = servos({300, 180, 60, -1}, 10);
    auto* small = new AdvanceServosView(150, 150, nullptr, 5.0);
    small->resetChannelDefaultAngle({270, 0, 90, 180});
    QWidget* w =
            page({strip(true, {{"type 1 (120\u00b0)", t1},
                               {"type 2", t2},
                               {"type 3", t3},
                               {"type 4 (90\u00b0)", t4}}),
                  strip(true, {{"type 1, phasing +15\u00b0", phased},
                               {"type 4, phasing \u221230\u00b0", phasedBack}}),
                  strip(false, {{"type 1, phasing +10\u00b0", light1}, {"150 x 150", small}})});
    return {QStringLiteral("advanceservosview"), w, {}};
}

GalleryScene Gallery::flyStyleScene()
{
    QList<QPair<QString, QWidget*>> dark;
    for (int v = FlyStyleView::MinimumStyle; v <= FlyStyleView::MaximumStyle; ++v) {
        auto* view = new FlyStyleView;
        view->setValue(v);
        dark.append({QStringLiteral("value %1").arg(v), view});
    }
    auto* light = new FlyStyleView;
    light->setValue(FlyStyleView::Acro3D);
    auto* small = new FlyStyleView;
    small->resize(260, 72);
    small->setValue(FlyStyleView::Sport);
    auto* page1 =
            page({strip(true, {dark.at(0), dark.at(1)}), strip(true, {dark.at(2), dark.at(3)}),
                  strip(false, {{"value 3", light}, {"260 x 72", small}})});
    return {QStringLiteral("flystyleview"), page1, {}};
}

GalleryScene Gallery::sliderScene()
{
    auto make = [](int value, bool enabled = true) {
        auto* s = new DoubleDirectSlider;
        s->setSliderRange(-100, 100);
        s->getSlider()->setValue(value);
        s->setEnabled(enabled);
        return s;
    };
    auto* h1 = make(-40);
    h1->setOrientation(Qt::Horizontal);
    auto* h2 = make(75);
    h2->setOrientation(Qt::Horizontal);
    auto* lightH = make(30);
    lightH->setOrientation(Qt::Horizontal);
    QWidget* w = page({strip(true, {{"\u221260", make(-60)},
                                    {"0", make(0)},
                                    {"+100", make(100)},
                                    {"disabled", make(25, false)},
                                    {"horizontal \u221240", h1},
                                    {"horizontal +75", h2}}),
                       strip(false, {{"+45", make(45)}, {"horizontal +30", lightH}})});
    return {QStringLiteral("doubledirectslider"), w, {}};
}

GalleryScene Gallery::cyclicScene()
{
    auto* fresh = new SwashTrimCyclic;
    fresh->setMonitorRange(1120, 1920);

    auto* trimmed = new SwashTrimCyclic;
    trimmed->setMonitorRange(1120, 1920);
    trimmed->setTrimValue(SwashTrimCyclic::Aileron, SwashTrimCyclic::Positive, 12);
    trimmed->setTrimValue(SwashTrimCyclic::Aileron, SwashTrimCyclic::Negative, -7);
    trimmed->setTrimValue(SwashTrimCyclic::Elevator, SwashTrimCyclic::Positive, 100);
    trimmed->setTrimValue(SwashTrimCyclic::Pitch, SwashTrimCyclic::Negative, -45);
    feedMonitors(trimmed, 1520, 1604, 1388, 1950);

    auto* light = new SwashTrimCyclic;
    light->setMonitorRange(1120, 1920);
    light->setTrimValue(SwashTrimCyclic::Elevator, SwashTrimCyclic::Negative, 20);
    feedMonitors(light, 1490, 1550, 1520, 1520);
    auto* small = new SwashTrimCyclic;
    small->resize(218, 226);
    small->setMonitorRange(1120, 1920);
    feedMonitors(small, 1400, 1640, 1520, 1520);

    QWidget* w =
            page({strip(true, {{"no values yet", fresh}, {"trimmed, CH4 out of range", trimmed}}),
                  strip(false, {{"light skin", light}, {"218 x 226", small}})});
    m_animators.append([trimmed](double t) {
        feedMonitors(trimmed, 1520 + int(300 * std::sin(t)), 1520 + int(300 * std::sin(t + 2)),
                     1520 + int(300 * std::sin(t + 4)), 1520);
    });
    return {QStringLiteral("swashtrimcyclic"), w, {}};
}

GalleryScene Gallery::collectiveScene()
{
    auto* fresh = new SwashTrimCollective;
    fresh->setMonitorRange(1120, 1920);
    auto* trimmed = new SwashTrimCollective;
    trimmed->setMonitorRange(1120, 1920);
    trimmed->setTrimValue(12);
    feedMonitors(trimmed, 1580, 1582, 1579, 1520);
    auto* negative = new SwashTrimCollective;
    negative->setMonitorRange(1120, 1920);
    negative->setTrimValue(-100);
    feedMonitors(negative, 1100, 1124, 1130, 1520);
    auto* light = new SwashTrimCollective;
    light->setMonitorRange(1120, 1920);
    light->setTrimValue(-35);
    feedMonitors(light, 1450, 1452, 1449, 1520);
    QWidget* w = page({strip(true, {{"no values yet", fresh},
                                    {"+12", trimmed},
                                    {"\u2212100, CH1 out of range", negative}}),
                       strip(false, {{"light skin", light}})});
    return {QStringLiteral("swashtrimcollective"), w, {}};
}

GalleryScene Gallery::buttonGroupScene()
{
    auto makeGroup = [](const QString& image, bool dark) {
        auto* holder = new Backdrop(dark);
        auto* row = new QHBoxLayout(holder);
        row->setContentsMargins(0, 0, 0, 0);
        auto* group = new ButtonGroup(image, holder);
        const char* pictures[] = {"images/swash/swash1.png", "images/swash/swash2.png",
                                  "images/swash/swash3.png"};
        for (int i = 0; i < 3; ++i) {
            QToolButton* b = pictureButton(QString::fromLatin1(pictures[i]),
                                           QStringLiteral("Type %1").arg(i + 1));
            row->addWidget(b);
            group->addButton(b, i + 1);
        }
        group->button(2)->setChecked(true);
        group->setLastButtonChecked(group->button(2));
        holder->resize(3 * 110 + 2 * row->spacing(), 110);
        return holder;
    };
    QWidget* w = page(
            {strip(true, {{"images/checked.png", makeGroup("images/checked.png", true)},
                          {"image missing: drawn mark", makeGroup("no/such/checked.png", true)}}),
             strip(false, {{"light skin", makeGroup("images/checked.png", false)}})});
    return {QStringLiteral("buttongroup"), w, {}};
}

GalleryScene Gallery::alertScene()
{
    auto makeCase = [](bool dark, const QString& text) {
        auto* holder = new Backdrop(dark);
        holder->resize(330, 110);
        auto* edit = new QLineEdit(QStringLiteral("125"), holder);
        edit->setAlignment(Qt::AlignCenter);
        edit->setGeometry(150, 14, 60, 26);
        edit->setStyleSheet("QLineEdit { background: #12161b; color: #e4e8ee;"
                            " border: 1px solid #f0a030; border-radius: 4px; }");
        auto* alert = new LineEditAlert(holder);
        alert->setFixedSize(170, 45);
        alert->setText(text);
        alert->move(edit->x() - 120, edit->y() + edit->height() + 2);
        alert->showMe();
        return holder;
    };
    QWidget* w = page(
            {strip(true, {{"shown under an edit", makeCase(true, "Press Enter to send the value")},
                          {"long text",
                           makeCase(true, "Appuyez sur Entrée pour envoyer la valeur au module")}}),
             strip(false, {{"light skin", makeCase(false, "Press Enter to send the value")}})});
    return {QStringLiteral("lineeditalert"), w, {}};
}

GalleryScene Gallery::progressScene()
{
    auto makeCase = [](bool dark, int state, const QString& text, int value) {
        auto* holder = new Backdrop(dark);
        holder->resize(460, 200);
        auto* dialog = new ProgressDialog(holder);
        dialog->show();
        dialog->setContent(text);
        dialog->changeState(state);
        dialog->setProgressBarValue(value);
        return holder;
    };
    QWidget* w = page(
            {strip(true,
                   {{"state 0: busy", makeCase(true, 0, "Setting the stick centres\u2026", 0)},
                    {"state 1: progress", makeCase(true, 1, "Writing firmware", 42)}}),
             strip(false,
                   {{"light skin, busy",
                     makeCase(false, 0, "Waiting for the unit to restart in its bootloader", 0)},
                    {"light skin, 100%", makeCase(false, 1, "Done", 100)}})});
    return {QStringLiteral("progressdialog"), w, {}};
}

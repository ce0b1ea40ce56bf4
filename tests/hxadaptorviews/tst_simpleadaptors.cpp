// The simple adaptors on real widgets: every connection made by signature string
// resolves, values set by the program are never announced as user edits, user actions
// are announced with the widget's converted value, and a destroyed widget is harmless.

#include "buttongroupadaptor.h"
#include "checkablebuttonadaptor.h"
#include "checkboxadaptor.h"
#include "comboboxadaptor.h"
#include "lineeditadaptor.h"
#include "slideradaptor.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QStringList>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>

namespace {

enum class Kind { CheckBox, CheckableButton, ComboBox, ButtonGroup, LineEdit, Slider };

// A window holding one widget of the kind and its adaptor. Button groups get three
// radio buttons with ids 1..3 and combo boxes three items whose data is not their index.
struct Fixture
{
    explicit Fixture(Kind kind)
    {
        auto* layout = new QVBoxLayout(&window);
        switch (kind) {
        case Kind::CheckBox:
            field = new QCheckBox("check", &window);
            adaptor = new CheckBoxAdaptor(field);
            break;
        case Kind::CheckableButton: {
            auto* button = new QToolButton(&window);
            button->setCheckable(true);
            field = button;
            adaptor = new CheckableButtonAdaptor(field);
            break;
        }
        case Kind::ComboBox: {
            auto* combo = new QComboBox(&window);
            combo->addItem("two", 2);
            combo->addItem("zero", 0);
            combo->addItem("one", 1);
            field = combo;
            adaptor = new ComboBoxAdaptor(field);
            break;
        }
        case Kind::ButtonGroup: {
            auto* group = new QButtonGroup(&window);
            for (int id = 1; id <= 3; ++id) {
                auto* radio = new QRadioButton(QString::number(id), &window);
                layout->addWidget(radio);
                group->addButton(radio, id);
            }
            field = group;
            adaptor = new ButtonGroupAdaptor(field);
            break;
        }
        case Kind::LineEdit:
            field = new QLineEdit(&window);
            adaptor = new LineEditAdaptor(field);
            break;
        case Kind::Slider: {
            auto* slider = new QSlider(Qt::Horizontal, &window);
            slider->setRange(0, 100);
            field = slider;
            adaptor = new SliderAdaptor(field);
            break;
        }
        }
        if (auto* widget = qobject_cast<QWidget*>(field.data()))
            layout->addWidget(widget);
    }

    QWidget window;
    QPointer<QObject> field;
    QPointer<AbstractFieldAdaptor> adaptor;
    std::unique_ptr<AbstractFieldAdaptor> owner{nullptr};
};

QStringList g_warnings;

void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        g_warnings.append(message);
}

} // namespace

Q_DECLARE_METATYPE(Kind)

class TestSimpleAdaptors : public QObject
{
    Q_OBJECT

private slots:
    void connectionsResolve_data();
    void connectionsResolve();
    void programValueIsNotAnnounced_data();
    void programValueIsNotAnnounced();
    void checkBoxClick_data();
    void checkBoxClick();
    void comboReportsItemData();
    void comboKeepsSelectionForUnknownValue();
    void buttonGroupClick();
    void buttonGroupIgnoresUnknownId();
    void destroyedWidgetIsHarmless_data();
    void destroyedWidgetIsHarmless();
    void removedFieldIsNoLongerFollowed();
};

void TestSimpleAdaptors::connectionsResolve_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::newRow("check box") << Kind::CheckBox;
    QTest::newRow("checkable button") << Kind::CheckableButton;
    QTest::newRow("combo box") << Kind::ComboBox;
    QTest::newRow("button group") << Kind::ButtonGroup;
    QTest::newRow("line edit") << Kind::LineEdit;
    QTest::newRow("slider") << Kind::Slider;
}

// A mistyped signature string only shows as a runtime warning and a dead adaptor.
void TestSimpleAdaptors::connectionsResolve()
{
    QFETCH(Kind, kind);
    g_warnings.clear();
    QtMessageHandler previous = qInstallMessageHandler(collectWarnings);
    {
        Fixture f(kind);
        delete f.adaptor;
    }
    qInstallMessageHandler(previous);
    QVERIFY2(g_warnings.isEmpty(), qPrintable(g_warnings.join('\n')));
}

void TestSimpleAdaptors::programValueIsNotAnnounced_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("shown");
    QTest::newRow("check box on") << Kind::CheckBox << 1 << 1;
    QTest::newRow("check box any non-zero") << Kind::CheckBox << 7 << 1;
    QTest::newRow("checkable button on") << Kind::CheckableButton << 1 << 1;
    QTest::newRow("combo box by data") << Kind::ComboBox << 1 << 1;
    QTest::newRow("button group") << Kind::ButtonGroup << 3 << 3;
    QTest::newRow("line edit") << Kind::LineEdit << -42 << -42;
    QTest::newRow("slider") << Kind::Slider << 37 << 37;
    QTest::newRow("slider clamps") << Kind::Slider << 500 << 100;
}

void TestSimpleAdaptors::programValueIsNotAnnounced()
{
    QFETCH(Kind, kind);
    QFETCH(int, value);
    QFETCH(int, shown);
    Fixture f(kind);
    f.owner.reset(f.adaptor);
    QSignalSpy sent(f.adaptor.data(), &AbstractFieldAdaptor::_adaptorValueChanged);

    f.adaptor->setValue(value);

    QCOMPARE(f.adaptor->getValue().toInt(), shown);
    QCOMPARE(sent.count(), 0);
    QVERIFY(!f.adaptor->isReadOnly());
}

void TestSimpleAdaptors::checkBoxClick_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::newRow("check box") << Kind::CheckBox;
    QTest::newRow("checkable button") << Kind::CheckableButton;
}

void TestSimpleAdaptors::checkBoxClick()
{
    QFETCH(Kind, kind);
    Fixture f(kind);
    f.owner.reset(f.adaptor);
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));

    // The widget signal comes first so the window can react before the write.
    QStringList order;
    QSignalSpy clicked(f.adaptor.data(), SIGNAL(_clicked(QObject*, bool)));
    QSignalSpy toggled(f.adaptor.data(), SIGNAL(_toggled(bool)));
    QSignalSpy sent(f.adaptor.data(), &AbstractFieldAdaptor::_adaptorValueChanged);
    connect(f.adaptor.data(), &AbstractFieldAdaptor::_adaptorValueChanged, this,
            [&order, &clicked] { order << QString("sent after %1 clicks").arg(clicked.count()); });

    auto* widget = qobject_cast<QWidget*>(f.field.data());
    QTest::mouseClick(widget, Qt::LeftButton);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).value<QObject*>(), f.field.data());
    QCOMPARE(clicked.at(0).at(1).toBool(), true);
    QCOMPARE(toggled.count(), 1);
    QCOMPARE(sent.count(), 1);
    QCOMPARE(sent.at(0).at(0).toInt(), 1);
    QCOMPARE(sent.at(0).at(1).toBool(), false);
    QCOMPARE(order, QStringList{"sent after 1 clicks"});

    QTest::mouseClick(widget, Qt::LeftButton);
    QCOMPARE(sent.count(), 2);
    QCOMPARE(sent.at(1).at(0).toInt(), 0);

    // Toggled by the program: relayed, but not a user edit.
    f.adaptor->setValue(1);
    QCOMPARE(toggled.count(), 3);
    QCOMPARE(sent.count(), 2);
}

void TestSimpleAdaptors::comboReportsItemData()
{
    Fixture f(Kind::ComboBox);
    f.owner.reset(f.adaptor);
    auto* combo = qobject_cast<QComboBox*>(f.field.data());
    QSignalSpy activated(f.adaptor.data(), SIGNAL(_activated(QObject*, int)));
    QSignalSpy sent(f.adaptor.data(), &AbstractFieldAdaptor::_adaptorValueChanged);

    QCOMPARE(f.adaptor->getValue().toInt(), 2); // first item, data 2
    QTest::keyClick(combo, Qt::Key_Down);       // the user picks index 1, data 0
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(activated.count(), 1);
    QCOMPARE(activated.at(0).at(1).toInt(), 1);
    QCOMPARE(sent.count(), 1);
    QCOMPARE(sent.at(0).at(0).toInt(), 0);

    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(sent.count(), 2);
    QCOMPARE(sent.at(1).at(0).toInt(), 1);

    // The program's choice is found by data, from the first item on.
    combo->addItem("zero again", 0);
    f.adaptor->setValue(0);
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(sent.count(), 2);
}

void TestSimpleAdaptors::comboKeepsSelectionForUnknownValue()
{
    Fixture f(Kind::ComboBox);
    f.owner.reset(f.adaptor);
    auto* combo = qobject_cast<QComboBox*>(f.field.data());
    combo->setCurrentIndex(2);
    f.adaptor->setValue(5);
    QCOMPARE(combo->currentIndex(), 2);
    f.adaptor->setValue(QVariant()); // an invalid value reads as 0
    QCOMPARE(combo->currentIndex(), 1);
}

void TestSimpleAdaptors::buttonGroupClick()
{
    Fixture f(Kind::ButtonGroup);
    f.owner.reset(f.adaptor);
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    auto* group = qobject_cast<QButtonGroup*>(f.field.data());
    QCOMPARE(f.adaptor->getValue().toInt(), -1);

    QSignalSpy clicked(f.adaptor.data(), SIGNAL(_buttonClicked(QObject*, int)));
    QSignalSpy toggled(f.adaptor.data(), SIGNAL(_buttonToggled(int, bool)));
    QSignalSpy sent(f.adaptor.data(), &AbstractFieldAdaptor::_adaptorValueChanged);
    QTest::mouseClick(group->button(3), Qt::LeftButton);

    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).value<QObject*>(), group);
    QCOMPARE(clicked.at(0).at(1).toInt(), 3);
    QCOMPARE(toggled.count(), 1);
    QCOMPARE(sent.count(), 1);
    QCOMPARE(sent.at(0).at(0).toInt(), 3);

    f.adaptor->setValue(2);
    QVERIFY(group->button(2)->isChecked());
    QCOMPARE(sent.count(), 1);
}

void TestSimpleAdaptors::buttonGroupIgnoresUnknownId()
{
    Fixture f(Kind::ButtonGroup);
    f.owner.reset(f.adaptor);
    f.adaptor->setValue(2);
    f.adaptor->setValue(9);
    f.adaptor->setValue(-1);
    QCOMPARE(f.adaptor->getValue().toInt(), 2);
}

void TestSimpleAdaptors::destroyedWidgetIsHarmless_data()
{
    connectionsResolve_data();
}

// At shutdown the window may go before the adaptors that bind its widgets.
void TestSimpleAdaptors::destroyedWidgetIsHarmless()
{
    QFETCH(Kind, kind);
    Fixture f(kind);
    f.owner.reset(f.adaptor);
    QSignalSpy sent(f.adaptor.data(), &AbstractFieldAdaptor::_adaptorValueChanged);

    delete f.field;
    QCOMPARE(f.adaptor->inputField(), nullptr);
    QVERIFY(!f.adaptor->getValue().isValid());
    f.adaptor->setValue(1);
    f.adaptor->setReadOnly(true);
    // Every slot the widget could have reached must cope without it.
    for (const char* slot :
         {"clicked(bool)", "activated(int)", "buttonClicked(int)", "returnPressed()",
          "textEdited(QString)", "sliderPressed()", "sliderReleased()",
          "sliderActionTriggered(int)", "sliderValueChanged(int)"}) {
        const QMetaObject* meta = f.adaptor->metaObject();
        const int index = meta->indexOfSlot(slot);
        if (index < 0)
            continue;
        QMetaMethod method = meta->method(index);
        if (method.parameterCount() == 0)
            method.invoke(f.adaptor.data());
        else if (method.parameterType(0) == QMetaType::Bool)
            method.invoke(f.adaptor.data(), Q_ARG(bool, true));
        else if (method.parameterType(0) == QMetaType::Int)
            method.invoke(f.adaptor.data(), Q_ARG(int, 1));
        else
            method.invoke(f.adaptor.data(), Q_ARG(QString, "1"));
    }
    f.adaptor->removeField();
    QCOMPARE(sent.count(), 0);
    f.owner.reset();
    QVERIFY(f.adaptor.isNull());
}

void TestSimpleAdaptors::removedFieldIsNoLongerFollowed()
{
    Fixture f(Kind::CheckBox);
    f.owner.reset(f.adaptor);
    auto* box = qobject_cast<QCheckBox*>(f.field.data());
    QSignalSpy sent(f.adaptor.data(), &AbstractFieldAdaptor::_adaptorValueChanged);
    QSignalSpy toggled(f.adaptor.data(), SIGNAL(_toggled(bool)));

    f.adaptor->removeField();
    QCOMPARE(f.adaptor->inputField(), nullptr);
    box->click();
    QCOMPARE(sent.count(), 0);
    QCOMPARE(toggled.count(), 0);

    // A replacement field is shown and read but its clicks are not followed.
    QCheckBox other;
    f.adaptor->setInputField(&other);
    f.adaptor->setValue(1);
    QVERIFY(other.isChecked());
    QCOMPARE(f.adaptor->getValue().toInt(), 1);
    other.click();
    QCOMPARE(sent.count(), 0);
}

QTEST_MAIN(TestSimpleAdaptors)
#include "tst_simpleadaptors.moc"

// Both paths between the unit and the widgets, without a device: a user edit on a real
// widget comes out of the adaptor model as (address, raw value, flag), and a value
// pushed for an address shows on its widget without being echoed as an edit.

#include "adaptormodel.h"

#include "buttongroupadaptor.h"
#include "checkboxadaptor.h"
#include "comboboxadaptor.h"
#include "lineeditadaptor.h"
#include "sliderwithlineeditadaptor.h"
#include "vbecsliderwithlineeditadaptor.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

namespace {

enum class Edit {
    SliderStep,
    SliderEntry,
    VoltageEntry,
    LineEntry,
    ComboPick,
    GroupClick,
    CheckClick
};

// A small form bound the way the program binds its window.
struct Form
{
    Form()
        : window(new QWidget)
    {
        auto* layout = new QVBoxLayout(window);
        slider = new QSlider(Qt::Horizontal, window);
        slider->setRange(0, 100);
        sliderEdit = new QLineEdit(window);
        vbecSlider = new QSlider(Qt::Horizontal, window);
        vbecSlider->setRange(30, 120);
        vbecEdit = new QLineEdit(window);
        lineEdit = new QLineEdit(window);
        combo = new QComboBox(window);
        combo->addItem("Off", 0);
        combo->addItem("Rescue", 2);
        combo->addItem("Bail-out", 1);
        group = new QButtonGroup(window);
        for (int id = 1; id <= 4; ++id) {
            auto* button = new QRadioButton(QString::number(id), window);
            group->addButton(button, id);
            layout->addWidget(button);
        }
        check = new QCheckBox("pump", window);
        for (QWidget* w : {static_cast<QWidget*>(slider), static_cast<QWidget*>(sliderEdit),
                           static_cast<QWidget*>(vbecSlider), static_cast<QWidget*>(vbecEdit),
                           static_cast<QWidget*>(lineEdit), static_cast<QWidget*>(combo),
                           static_cast<QWidget*>(check)})
            layout->addWidget(w);

        model.addAdaptor(301, new SliderWithLineEditAdaptor(slider, sliderEdit));
        model.addAdaptor(103, new VBecSliderWithLineEditAdaptor(vbecSlider, vbecEdit));
        model.addAdaptor(139, new LineEditAdaptor(lineEdit));
        model.addAdaptor(150, new ComboBoxAdaptor(combo));
        model.addAdaptor(121, new ButtonGroupAdaptor(group));
        model.addAdaptor(138, new CheckBoxAdaptor(check));

        model.setAdaptorValue(301, 50);
        model.setAdaptorValue(103, 70);
        model.setAdaptorValue(139, 5);
        model.setAdaptorValue(121, 1);
    }
    ~Form() { delete window; }

    static void enter(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    // Check boxes and radio buttons only take clicks on their indicator and label, which
    // the middle of a widget stretched by the layout misses.
    static void clickIndicator(QAbstractButton* button)
    {
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(6, button->height() / 2));
    }

    void perform(Edit edit)
    {
        switch (edit) {
        case Edit::SliderStep:
            QTest::keyClick(slider, Qt::Key_Right);
            break;
        case Edit::SliderEntry:
            enter(sliderEdit, "80");
            break;
        case Edit::VoltageEntry:
            enter(vbecEdit, "7.45");
            break;
        case Edit::LineEntry:
            enter(lineEdit, "12");
            break;
        case Edit::ComboPick:
            QTest::keyClick(combo, Qt::Key_Down);
            break;
        case Edit::GroupClick:
            clickIndicator(group->button(4));
            break;
        case Edit::CheckClick:
            clickIndicator(check);
            break;
        }
    }

    QPointer<QWidget> window;
    QSlider* slider;
    QLineEdit* sliderEdit;
    QSlider* vbecSlider;
    QLineEdit* vbecEdit;
    QLineEdit* lineEdit;
    QComboBox* combo;
    QButtonGroup* group;
    QCheckBox* check;
    AdaptorModel model;
};

} // namespace

Q_DECLARE_METATYPE(Edit)

class TestFieldBinding : public QObject
{
    Q_OBJECT

private slots:
    void userEditReachesController_data();
    void userEditReachesController();
    void pushedValueIsShown_data();
    void pushedValueIsShown();
    void valuesDoNotOverwriteAnEditInProgress();
    void windowDestroyedBeforeModel();
};

void TestFieldBinding::userEditReachesController_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("raw");
    QTest::newRow("slider step") << Edit::SliderStep << 301 << 51;
    QTest::newRow("slider edit entry") << Edit::SliderEntry << 301 << 80;
    QTest::newRow("supply voltage entry") << Edit::VoltageEntry << 103 << 74;
    QTest::newRow("line edit") << Edit::LineEntry << 139 << 12;
    QTest::newRow("combo box") << Edit::ComboPick << 150 << 2;
    QTest::newRow("button group") << Edit::GroupClick << 121 << 4;
    QTest::newRow("check box") << Edit::CheckClick << 138 << 1;
}

void TestFieldBinding::userEditReachesController()
{
    QFETCH(Edit, edit);
    QFETCH(int, address);
    QFETCH(int, raw);
    Form form;
    form.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.window));
    QSignalSpy writes(&form.model, SIGNAL(_adaptorValueChanged(int, int, bool)));
    QVERIFY(writes.isValid());

    form.perform(edit);

    QCOMPARE(writes.count(), 1);
    QCOMPARE(writes.at(0), (QVariantList{address, raw, false}));
    QCOMPARE(form.model.value(address), raw);
}

void TestFieldBinding::pushedValueIsShown_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("raw");
    QTest::addColumn<QString>("shown");
    QTest::newRow("slider") << 301 << 64 << "64";
    QTest::newRow("slider clamped") << 301 << 140 << "100";
    QTest::newRow("supply voltage") << 103 << 74 << "7.4";
    QTest::newRow("line edit") << 139 << -3 << "-3";
    QTest::newRow("combo box") << 150 << 1 << "Bail-out";
    QTest::newRow("button group") << 121 << 3 << "3";
    QTest::newRow("check box") << 138 << 1 << "checked";
}

void TestFieldBinding::pushedValueIsShown()
{
    QFETCH(int, address);
    QFETCH(int, raw);
    QFETCH(QString, shown);
    Form form;
    QSignalSpy writes(&form.model, SIGNAL(_adaptorValueChanged(int, int, bool)));

    form.model.setAdaptorValue(address, raw);

    QString actual;
    switch (address) {
    case 301:
        actual = form.sliderEdit->text();
        QCOMPARE(form.slider->value(), shown.toInt());
        break;
    case 103:
        actual = form.vbecEdit->text();
        QCOMPARE(form.vbecSlider->value(), raw);
        break;
    case 139:
        actual = form.lineEdit->text();
        break;
    case 150:
        actual = form.combo->currentText();
        break;
    case 121:
        actual = form.group->checkedButton()->text();
        break;
    case 138:
        actual = form.check->isChecked() ? "checked" : "unchecked";
        break;
    }
    QCOMPARE(actual, shown);
    QCOMPARE(writes.count(), 0);
}

void TestFieldBinding::valuesDoNotOverwriteAnEditInProgress()
{
    Form form;
    QTest::keyClicks(form.lineEdit, "7");
    QVERIFY(form.model.isReadOnly(139));
    form.model.setAdaptorValue(139, 99);
    QCOMPARE(form.lineEdit->text(), QString("57"));

    form.slider->setSliderDown(true);
    QVERIFY(form.model.isReadOnly(301));
    form.model.setAdaptorValue(301, 10);
    QCOMPARE(form.slider->value(), 50);
    form.slider->setSliderDown(false);
}

// At shutdown the window goes first; the adaptors are released with the model later.
void TestFieldBinding::windowDestroyedBeforeModel()
{
    auto* form = new Form;
    delete form->window;
    QVERIFY(form->model.inputFields().isEmpty());
    for (int address : {301, 103, 139, 150, 121, 138}) {
        form->model.setAdaptorValue(address, 1);
        QCOMPARE(form->model.value(address), 0);
    }
    delete form;
}

QTEST_MAIN(TestFieldBinding)
#include "tst_fieldbinding.moc"

// The registry between the controller and the adaptors: which device values reach a
// widget, how user edits and resets come out, and who deletes the adaptors.

#include "adaptormodel.h"

#include "abstractfieldadaptor.h"
#include "lineeditadaptor.h"

#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

namespace {

// An adaptor without a widget that counts what the model asks of it.
class FakeAdaptor : public AbstractFieldAdaptor
{
    Q_OBJECT

public:
    explicit FakeAdaptor(int value = 0)
        : AbstractFieldAdaptor(nullptr)
        , m_value(value)
    {}

    QVariant getValue() const override { return m_value; }
    void setValue(const QVariant& val) override
    {
        ++setCalls;
        m_value = val.toInt();
    }

    void userEdit(int value, bool blocking = false)
    {
        m_value = value;
        emit _adaptorValueChanged(value, blocking);
    }
    void requestReset(int value) { emit _resetValue(value); }

    int setCalls = 0;

private:
    int m_value;
};

void flushDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestAdaptorModel : public QObject
{
    Q_OBJECT

private slots:
    void pushSkipRules_data();
    void pushSkipRules();
    void addressWithoutAdaptor();
    void relaysEditsWithAddress_data();
    void relaysEditsWithAddress();
    void resetsGoToCommandAddress_data();
    void resetsGoToCommandAddress();
    void replacingSchedulesOldForDeletion();
    void registeringTwiceIsHarmless();
    void destructionDeletesAdaptors();
    void adaptorDeletedElsewhereIsForgotten();
    void inputFieldsLeaveOutDestroyedWidgets();
};

void TestAdaptorModel::pushSkipRules_data()
{
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("pushed");
    QTest::addColumn<bool>("applied");
    QTest::newRow("new value") << false << 5 << 6 << true;
    QTest::newRow("same value") << false << 5 << 5 << false;
    QTest::newRow("read-only") << true << 5 << 6 << false;
    QTest::newRow("read-only same") << true << 5 << 5 << false;
}

void TestAdaptorModel::pushSkipRules()
{
    QFETCH(bool, readOnly);
    QFETCH(int, shown);
    QFETCH(int, pushed);
    QFETCH(bool, applied);
    AdaptorModel model;
    auto* adaptor = new FakeAdaptor(shown);
    model.addAdaptor(103, adaptor);
    model.setAdaptorReadOnly(103, readOnly);
    QCOMPARE(model.isReadOnly(103), readOnly);

    model.setAdaptorValue(103, pushed);

    QCOMPARE(adaptor->setCalls, applied ? 1 : 0);
    QCOMPARE(model.value(103), applied ? pushed : shown);

    // A skipped value is dropped, not applied when the edit ends.
    model.setAdaptorReadOnly(103, false);
    QCOMPARE(adaptor->setCalls, applied ? 1 : 0);
}

void TestAdaptorModel::addressWithoutAdaptor()
{
    AdaptorModel model;
    model.addAdaptor(5, nullptr);
    QCOMPARE(model.count(), 0);
    QCOMPARE(model.value(5), 0);
    QCOMPARE(model.adaptor(5), nullptr);
    QVERIFY(!model.isReadOnly(5));
    model.setAdaptorReadOnly(5, true);
    model.setAdaptorValue(5, 1);
    QVERIFY(!model.isReadOnly(5));
    QCOMPARE(model.count(), 0);
}

void TestAdaptorModel::relaysEditsWithAddress_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<bool>("blocking");
    QTest::addColumn<bool>("relayed");
    QTest::newRow("normal") << 103 << false << true;
    QTest::newRow("blocking flag kept") << 225 << true << true;
    QTest::newRow("address 1") << 1 << false << true;
    QTest::newRow("address 0") << 0 << false << false;
    QTest::newRow("negative") << -4 << false << false;
}

void TestAdaptorModel::relaysEditsWithAddress()
{
    QFETCH(int, address);
    QFETCH(bool, blocking);
    QFETCH(bool, relayed);
    AdaptorModel model;
    auto* adaptor = new FakeAdaptor;
    auto* neighbour = new FakeAdaptor;
    model.addAdaptor(address, adaptor);
    model.addAdaptor(500, neighbour);
    QSignalSpy edits(&model, &AdaptorModel::_adaptorValueChanged);

    adaptor->userEdit(74, blocking);

    QCOMPARE(edits.count(), relayed ? 1 : 0);
    if (relayed)
        QCOMPARE(edits.at(0), (QVariantList{address, 74, blocking}));

    // An adaptor the model does not know is not relayed even if connected by hand.
    FakeAdaptor stranger;
    connect(&stranger, SIGNAL(_adaptorValueChanged(QVariant, bool)), &model,
            SLOT(adaptorValueChanged(QVariant, bool)));
    stranger.userEdit(1);
    QCOMPARE(edits.count(), relayed ? 1 : 0);
}

void TestAdaptorModel::resetsGoToCommandAddress_data()
{
    QTest::addColumn<int>("address");
    QTest::newRow("collective trim") << 140;
    QTest::newRow("servo page") << 131;
    QTest::newRow("address 0") << 0;
}

void TestAdaptorModel::resetsGoToCommandAddress()
{
    QFETCH(int, address);
    AdaptorModel model;
    auto* adaptor = new FakeAdaptor;
    model.addAdaptor(address, adaptor);
    QSignalSpy resets(&model, &AdaptorModel::_resetValue);
    QSignalSpy edits(&model, &AdaptorModel::_adaptorValueChanged);

    adaptor->requestReset(60);

    QCOMPARE(resets.count(), 1);
    QCOMPARE(resets.at(0), (QVariantList{10, 60, false}));
    QCOMPARE(edits.count(), 0);
}

void TestAdaptorModel::replacingSchedulesOldForDeletion()
{
    AdaptorModel model;
    QPointer<FakeAdaptor> first = new FakeAdaptor;
    auto* second = new FakeAdaptor;
    model.addAdaptor(116, first);
    model.addAdaptor(116, second);
    QCOMPARE(model.count(), 1);
    QCOMPARE(model.adaptor(116), second);

    QSignalSpy edits(&model, &AdaptorModel::_adaptorValueChanged);
    QSignalSpy resets(&model, &AdaptorModel::_resetValue);
    QVERIFY(first); // scheduled, not yet deleted: it may still emit
    first->userEdit(3);
    first->requestReset(50);
    QCOMPARE(edits.count(), 0);
    QCOMPARE(resets.count(), 0);
    second->userEdit(4);
    QCOMPARE(edits.count(), 1);

    flushDeferredDeletes();
    QVERIFY(first.isNull());
    QCOMPARE(model.adaptor(116), second);
}

void TestAdaptorModel::registeringTwiceIsHarmless()
{
    QPointer<FakeAdaptor> adaptor = new FakeAdaptor;
    {
        AdaptorModel model;
        model.addAdaptor(300, adaptor);
        model.addAdaptor(300, adaptor);
        flushDeferredDeletes();
        QVERIFY(adaptor);
        QSignalSpy edits(&model, &AdaptorModel::_adaptorValueChanged);
        adaptor->userEdit(9);
        QCOMPARE(edits.count(), 1); // connected once

        // An adaptor serves one address: registering it elsewhere moves it.
        model.addAdaptor(301, adaptor);
        QCOMPARE(model.count(), 1);
        QCOMPARE(model.adaptor(300), nullptr);
        adaptor->userEdit(8);
        QCOMPARE(edits.count(), 2);
        QCOMPARE(edits.at(1), (QVariantList{301, 8, false}));
    } // deleted once only
    QVERIFY(adaptor.isNull());
}

void TestAdaptorModel::destructionDeletesAdaptors()
{
    QPointer<FakeAdaptor> a = new FakeAdaptor;
    QPointer<FakeAdaptor> b = new FakeAdaptor;
    auto* model = new AdaptorModel;
    model->addAdaptor(1, a);
    model->addAdaptor(2, b);
    delete model;
    QVERIFY(a.isNull());
    QVERIFY(b.isNull());
}

void TestAdaptorModel::adaptorDeletedElsewhereIsForgotten()
{
    AdaptorModel model;
    auto* adaptor = new FakeAdaptor(1);
    model.addAdaptor(139, adaptor);
    delete adaptor;
    QCOMPARE(model.count(), 0);
    QCOMPARE(model.adaptor(139), nullptr);
    model.setAdaptorValue(139, 2);
    QCOMPARE(model.value(139), 0);
}

void TestAdaptorModel::inputFieldsLeaveOutDestroyedWidgets()
{
    AdaptorModel model;
    auto* kept = new QLineEdit;
    auto* gone = new QLineEdit;
    model.addAdaptor(139, new LineEditAdaptor(kept));
    model.addAdaptor(210, new LineEditAdaptor(gone));
    model.addAdaptor(526, new LineEditAdaptor(kept)); // two addresses may share a widget
    delete gone;
    QList<QObject*> fields = model.inputFields();
    QCOMPARE(fields, (QList<QObject*>{kept, kept}));
    QCOMPARE(model.value(210), 0);
    model.setAdaptorValue(210, 5);
    delete kept;
}

QTEST_MAIN(TestAdaptorModel)
#include "tst_adaptormodel.moc"

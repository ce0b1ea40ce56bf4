#ifndef MAINWIDGET_H
#define MAINWIDGET_H

#include "ui_mainwidget_ui.h"

#include <customframe.h>
#include <progressdialog.h>

#include <QHash>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QString>

class QAbstractAnimation;
class QAbstractButton;
class QButtonGroup;
class QKeyEvent;
class QStackedWidget;
class QStandardItemModel;

class AdvanceServosView;
class ButtonGroup;
class DoubleDirectSlider;
class FlyStyleView;
class LazyChartPage;
class LineEditAlert;
class ResourceManager;
class RxMonitorView;
class SwashTrimCollective;
class SwashTrimCyclic;

// The main window: the designer form built into the skinned frame, plus the drawn
// widgets and button groups laid over the form's placeholders. It only shows things;
// reading and writing the unit is the controller's business, which reaches the
// widgets through the public members and calls the slots below.
class Ui_MainWidget : public CustomFrame, public Ui::MainWidget_Ui
{
    Q_OBJECT
public:
    Ui_MainWidget();
    ~Ui_MainWidget() override;

    ResourceManager* resourceManager = nullptr;
    LineEditAlert* lineEditAlert = nullptr;
    ProgressDialog* progressDialog = nullptr;
    QButtonGroup* heliSizeGroup = nullptr;
    FlyStyleView* flyStyleView = nullptr;
    RxMonitorView* rxViewLeft = nullptr;
    RxMonitorView* rxViewRight = nullptr;
    ButtonGroup* sensorDirectionGroup = nullptr;
    ButtonGroup* swashTypeGroup = nullptr;
    ButtonGroup* rotateDirectionGroup = nullptr;
    AdvanceServosView* swashView = nullptr;
    AdvanceServosView* servosView = nullptr;
    DoubleDirectSlider* servoSlider1 = nullptr;
    DoubleDirectSlider* servoSlider2 = nullptr;
    DoubleDirectSlider* servoSlider3 = nullptr;
    DoubleDirectSlider* servoSlider4 = nullptr;
    SwashTrimCyclic* swashTrimCyclic = nullptr;
    ButtonGroup* collectiveDirectionGroup = nullptr;
    SwashTrimCollective* swashTrimCollective = nullptr;
    QButtonGroup* tailServoTypeGroup = nullptr;
    DoubleDirectSlider* tailServoSlider = nullptr;
    QStandardItemModel* eventModel = nullptr;
    // The flight-log chart's page, made when the chart is first opened.
    LazyChartPage* chartPage = nullptr;

    void setVisible(bool visible) override;

public slots:
    void registerUiConnections();
    void intializeWidgetProperties();
    void setToolTipForWidgets();

    void hideLineEditAlert();
    void showProgressDialog(ProgressDialog::Type state = ProgressDialog::Busy,
                            QString content = QString());
    void hideProgressDialog();

    void updateWidgetsPositionOnTabServos(int swashType);
    void updateRelativePositionOnTabServos(QPoint point, QAbstractButton* button,
                                           DoubleDirectSlider* sliderServos);
    void updateLabelPortStatus(bool connected);
    void updateLabelFlashStatus(QString text);

    void animationWhenTabChange(int tabIndex);
    void animationWhenLoadFirmwareParams(bool isAnimToShow);
    void animationWhenBindRx();
    void animationWhenShowAdvance(QStackedWidget* stackedWidget, bool toAdvance);
    void animationShowGyroOff();

    void comboBox_currentIndexChanged(int index);
    void btnChangeAdvanceNormalMode_clicked(bool checked);
    void btnChangeAdvanceNormalMode_toggled(bool checked);
    void buttonGroup_button_toggled(int id, bool checked);
    void servoButtons_toggled(bool checked);
    void slider_valueChanged(int value);
    void lineEdit_textEdited(QString text);
    void rxView_sensor_value_changed(qint32 x, qint32 y);
    void swashView_angle_changed(QList<int> angles);
    void btnChangeEventAndChartMode_clicked(bool checked);
    void btnCyclicGainAdvance_clicked();
    void btnTailGainAdvanceButton_clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString text(int id) const;
    // Styles the form and fills the help pages: the first time the event loop runs, while
    // the splash is still up, or at once when the window is shown before that.
    void finishLook();
    void loadHelpPages();
    void loadChartPage();
    // Brings an animation still running on `target` to its end state at once, so a
    // new one starts from where the widget really rests instead of from mid-flight.
    void finishAnimation(QObject* target);
    void startAnimation(QObject* target, QAbstractAnimation* animation);

    QHash<QObject*, QPointer<QAbstractAnimation>> m_animations;
    bool m_lookFinished = false;
};

namespace Ui {
class MainWidget : public Ui_MainWidget
{};
} // namespace Ui

#endif // MAINWIDGET_H

#ifndef MODELBUILDER_H
#define MODELBUILDER_H

#include "abstractadaptorfactory.h"

#include <QHash>

class AdaptorModel;
class ParameterModel;
class QLineEdit;
class QObject;
class Ui_MainWidget;

// Turns the main window's widgets into the two models: it knows which widget shows which
// parameter address (the map of the unit's parameter space), makes the adaptor that binds
// each, and creates the parameter records from what the widgets show.
//
// Used once at start-up: build the adaptor model first, then the parameter model (whose
// values are read from the fresh adaptors), and hand both over. The builder never
// deletes the models; whoever takes them over owns them.
class ModelBuilder : public AbstractAdaptorFactory
{
public:
    // The window is not owned.
    explicit ModelBuilder(Ui_MainWidget* window);
    ~ModelBuilder() override;

    ModelBuilder(const ModelBuilder&) = delete;
    ModelBuilder& operator=(const ModelBuilder&) = delete;

    // Registers one adaptor per address of the map.
    AdaptorModel* buildAdaptorModel();
    // One record per address, the live monitor channels excepted.
    ParameterModel* buildParameterModel();

    AbstractFieldAdaptor* createAdaptor(int address, QObject* widget) override;

    AdaptorModel* adaptorModel() const;
    ParameterModel* parameterModel() const;

    // The receiver stick channels and swash servo channels are live readings, not
    // settings: they get adaptors but no parameter records.
    static bool isMonitorChannel(int address);

private:
    void createWidgetMap();
    // The line edit that accompanies the slider of a slider-with-edit address, or null
    // for the other addresses.
    QLineEdit* companionEdit(int address) const;
    AbstractFieldAdaptor* createSliderWithEditAdaptor(int address, QObject* slider,
                                                      QLineEdit* edit) const;
    AbstractFieldAdaptor* createSpecialAdaptor(int address) const;
    AbstractFieldAdaptor* createAdaptorByType(int address, QObject* widget) const;

    QHash<int, QObject*> m_widgetMap;
    Ui_MainWidget* m_window;
    ParameterModel* m_parameterModel;
    AdaptorModel* m_adaptorModel;
};

#endif // MODELBUILDER_H

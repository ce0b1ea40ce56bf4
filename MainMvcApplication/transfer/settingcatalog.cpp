#include "settingcatalog.h"

#include "adaptormodel.h"
#include "mainwidget.h"

#include <abstractfieldadaptor.h>
#include <resourcemanager.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>

namespace {

const int TabNone = -1;
const int TabStart = 0;
const int TabRx = 1;
const int TabSensor = 2;
const int TabSwash = 3;
const int TabServos = 4;
const int TabCollective = 5;
const int TabCyclic = 6;
const int TabTail = 7;
const int TabGovernor = 8;
const int TabBank = 9;
const int TabGps = 11;

// Localised descriptions for settings without a caption of their own; %1 is `arg`.
const int TextServoDirection = 5241;
const int TextReserved = 5242;
const int TextServoCentre = 5243;
const int TextTailServoCentre = 5244;
const int TextAileronTrim = 5245;
const int TextElevatorTrim = 5246;
const int TextPitchTrim = 5247;
const int TextGovernorMode = 5248;
const int TextThrottleServoType = 5249;
const int TextRpmSource = 5250;
const int TextOn = 5251;
const int TextOff = 5252;
const int TextNormal = 5253;
const int TextReversed = 5254;
const int TextMounting = 5255;

// Where the window shows a setting: its tab, up to two captions (object names of labels or
// check boxes, outer first), and a description when the captions do not say enough.
struct Place
{
    int address;
    int tab;
    const char* caption;
    const char* detail;
    int textId;
    const char* arg;
};

const Place places[] = {
        {101, TabRx, "lbReceiverType", nullptr, 0, nullptr},
        {103, TabStart, "label_19", nullptr, 0, nullptr},
        {104, TabNone, "lbBankConfig", nullptr, 0, nullptr},
        {121, TabStart, "lbMonitorHeader_11", nullptr, 0, nullptr},
        {122, TabStart, "lbMonitorHeader_10", nullptr, 0, nullptr},
        {124, TabSwash, "lbMonitorHeader_3", nullptr, 0, nullptr},
        {125, TabServos, "lbMonitorHeader_8", nullptr, 0, nullptr},
        {126, TabTail, "lbServosTypeHeader", nullptr, 0, nullptr},
        {127, TabSensor, nullptr, nullptr, TextMounting, nullptr},
        {131, TabServos, nullptr, nullptr, TextServoDirection, "4"},
        {132, TabServos, nullptr, nullptr, TextServoDirection, "1"},
        {133, TabServos, nullptr, nullptr, TextServoDirection, "2"},
        {134, TabServos, nullptr, nullptr, TextServoDirection, "3"},
        {135, TabTail, "lbTailServoHeader", nullptr, 0, nullptr},
        {136, TabCollective, "lbMonitorHeader_6", nullptr, 0, nullptr},
        {137, TabCollective, "lbMonitorHeader_7", "lbMonitorHeader_16", 0, nullptr},
        {138, TabCollective, "lbPitchpump", nullptr, 0, nullptr},
        {139, TabCollective, "lbPitchpump", nullptr, 0, nullptr},
        {140, TabCollective, "lbCollectiveTrimHeader", nullptr, 0, nullptr},
        {141, TabCollective, nullptr, nullptr, TextReserved, "141"},
        {142, TabCollective, "lbMonitorHeader_7", "lbMonitorHeader_13", 0, nullptr},
        {150, TabStart, "label_21", nullptr, 0, nullptr},
        {152, TabStart, "label_20", nullptr, 0, nullptr},
        {203, TabSwash, "lbMonitorHeader_2", nullptr, 0, nullptr},
        {204, TabServos, nullptr, nullptr, TextServoCentre, "1"},
        {205, TabServos, nullptr, nullptr, TextServoCentre, "2"},
        {206, TabServos, nullptr, nullptr, TextServoCentre, "3"},
        {207, TabTail, nullptr, nullptr, TextTailServoCentre, nullptr},
        {209, TabSwash, "checkCyclicRing", nullptr, 0, nullptr},
        {210, TabSwash, "checkCyclicRing", nullptr, 0, nullptr},
        {211, TabSwash, "label_14", nullptr, 0, nullptr},
        {212, TabTail, "lbTailTravel1", nullptr, 0, nullptr},
        {216, TabTail, "lbTailTravel2", nullptr, 0, nullptr},
        {222, TabServos, "lbMonitorHeader_9", nullptr, TextAileronTrim, "+"},
        {223, TabServos, "lbMonitorHeader_9", nullptr, TextAileronTrim, "\u2212"},
        {225, TabServos, "lbMonitorHeader_9", nullptr, TextElevatorTrim, "+"},
        {226, TabServos, "lbMonitorHeader_9", nullptr, TextElevatorTrim, "\u2212"},
        {227, TabServos, "lbMonitorHeader_9", nullptr, TextPitchTrim, "+"},
        {228, TabServos, "lbMonitorHeader_9", nullptr, TextPitchTrim, "\u2212"},
        {290, TabCyclic, "lbCyclicGainsHeader", "label_17", 0, nullptr},
        {291, TabCyclic, "lbCyclicGainsHeader", "label_18", 0, nullptr},
        {292, TabCyclic, nullptr, nullptr, TextReserved, "292"},
        {300, TabCyclic, "lbCyclicResponse", nullptr, 0, nullptr},
        {301, TabCyclic, "lbCyclicGain", nullptr, 0, nullptr},
        {302, TabCyclic, "lbCyclicLimit", nullptr, 0, nullptr},
        {303, TabTail, "lbMonitorHeader_29", nullptr, 0, nullptr},
        {304, TabTail, "lbMonitorHeader_28", nullptr, 0, nullptr},
        {305, TabCyclic, "lbCyclicRoll", nullptr, 0, nullptr},
        {306, TabCyclic, "lbCyclicGain_3", nullptr, 0, nullptr},
        {307, TabCyclic, "lbCyclicGainsHeader", "label_4", 0, nullptr},
        {308, TabCyclic, "lbCyclicGainsHeader", "label_11", 0, nullptr},
        {309, TabCyclic, "lbCyclicGainsHeader", "label_12", 0, nullptr},
        {310, TabCyclic, "edit", nullptr, 0, nullptr},
        {311, TabCyclic, "lbMonitorHeader_15", nullptr, 0, nullptr},
        {312, TabCyclic, "lbMonitorHeader_17", nullptr, 0, nullptr},
        {313, TabCyclic, "lbMonitorHeader_14", "lbMonitorHeader_18", 0, nullptr},
        {314, TabTail, "lbMonitorHeader_20", nullptr, 0, nullptr},
        {315, TabTail, "lbMonitorHeader_22", nullptr, 0, nullptr},
        {316, TabTail, "lbMonitorHeader_19", "lbMonitorHeader_21", 0, nullptr},
        {317, TabTail, "lbMonitorHeader_24", "lbMonitorHeader_27", 0, nullptr},
        {318, TabTail, "lbMonitorHeader_24", "lbMonitorHeader_25", 0, nullptr},
        {319, TabTail, "lbMonitorHeader_26", nullptr, 0, nullptr},
        {320, TabTail, "lbTailGainsHeader", "label_15", 0, nullptr},
        {321, TabTail, "lbTailGainsHeader", "label_13", 0, nullptr},
        {322, TabTail, "lbTailGainsHeader", "label_16", 0, nullptr},
        {340, TabBank, "label_25", "label_22", 0, nullptr},
        {341, TabBank, "label_25", "label_23", 0, nullptr},
        {342, TabBank, "label_25", "label_24", 0, nullptr},
        {343, TabBank, "label_25", nullptr, TextReserved, "343"},
        {344, TabBank, "label_25", nullptr, TextReserved, "344"},
        {345, TabBank, "label_26", "label_22", 0, nullptr},
        {346, TabBank, "label_26", "label_23", 0, nullptr},
        {347, TabBank, "label_26", "label_24", 0, nullptr},
        {348, TabBank, "label_26", nullptr, TextReserved, "348"},
        {349, TabBank, "label_26", nullptr, TextReserved, "349"},
        {400, TabGps, "rthAltitudeLabel", nullptr, 0, nullptr},
        {401, TabGps, "rthSpeedLabel", nullptr, 0, nullptr},
        {402, TabGps, "rthUpDownLabel", nullptr, 0, nullptr},
        {406, TabGps, "gpsGainLabel", nullptr, 0, nullptr},
        {411, TabGps, "altiGainLabel", nullptr, 0, nullptr},
        {511, TabGovernor, nullptr, nullptr, TextGovernorMode, nullptr},
        {512, TabGovernor, nullptr, nullptr, TextThrottleServoType, nullptr},
        {521, TabGovernor, "lbGovernor_6", nullptr, 0, nullptr},
        {522, TabGovernor, "lbGovernor_4", nullptr, 0, nullptr},
        {523, TabGovernor, "checkThrottleServosReverse", nullptr, 0, nullptr},
        {524, TabGovernor, "lbGovernor_2", nullptr, 0, nullptr},
        {525, TabGovernor, "lbGovernor", nullptr, 0, nullptr},
        {526, TabGovernor, nullptr, nullptr, TextReserved, "526"},
        {527, TabGovernor, "lbSensorConfig", nullptr, 0, nullptr},
        {528, TabGovernor, "checkAutoBaillout", nullptr, 0, nullptr},
        {529, TabGovernor, "checkIdleDuringBailout", nullptr, 0, nullptr},
        {530, TabGovernor, "lbGovernor_9", nullptr, 0, nullptr},
        {531, TabGovernor, "lbGovernor_10", nullptr, 0, nullptr},
        {532, TabGovernor, "lbGain", nullptr, 0, nullptr},
        {533, TabGovernor, "lbGovernor_13", nullptr, 0, nullptr},
        {534, TabGovernor, "lbGovernor_14", nullptr, 0, nullptr},
        {535, TabGovernor, nullptr, nullptr, TextRpmSource, nullptr},
};

const Place* placeOf(int address)
{
    for (const Place& place : places) {
        if (place.address == address)
            return &place;
    }
    return nullptr;
}

const QString Separator = QStringLiteral(" \u203a ");

} // namespace

SettingCatalog::SettingCatalog(Ui_MainWidget* window, AdaptorModel* adaptors,
                               ResourceManager* resources)
    : m_window(window)
    , m_adaptors(adaptors)
    , m_resources(resources)
{}

QString SettingCatalog::text(int id) const
{
    return m_resources ? m_resources->getValue(id) : QString();
}

QString SettingCatalog::labelText(const char* objectName) const
{
    if (!objectName || !m_window)
        return QString();
    QObject* widget = m_window->findChild<QObject*>(QLatin1String(objectName));
    QString caption;
    if (auto* label = qobject_cast<QLabel*>(widget))
        caption = label->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        caption = button->text();
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        caption = group->title();
    return caption.simplified();
}

QString SettingCatalog::name(int address) const
{
    const Place* place = placeOf(address);
    if (!place)
        return text(TextReserved).arg(address);
    QStringList parts;
    if (place->tab != TabNone && m_window && place->tab < m_window->mainTab->count())
        parts << m_window->mainTab->tabText(place->tab);
    for (const char* caption : {place->caption, place->detail}) {
        const QString shown = labelText(caption);
        if (!shown.isEmpty())
            parts << shown;
    }
    if (place->textId) {
        QString description = text(place->textId);
        if (place->arg)
            description = description.arg(QString::fromUtf8(place->arg));
        parts << description;
    }
    return parts.join(Separator);
}

QString SettingCatalog::display(int address, int raw) const
{
    switch (address) {
    case 103: // tenths of a volt
        return QString::number(raw / 10.0, 'f', 1) + QStringLiteral(" V");
    case 140: // centred trims and servo centres: the window shows the offset from 100
    case 204:
    case 205:
    case 206:
    case 207:
    case 222:
    case 223:
    case 225:
    case 226:
    case 227:
    case 228:
        return QString::number(raw - 100);
    case 211:
        return QString::number(raw) + QStringLiteral("\u00b0");
    case 521: // the motor-off slider runs the other way
        return QString::number(-raw);
    case 524: // head speeds in tens of rpm
    case 533:
    case 534:
        return QString::number(qint64(raw) * 10) + QStringLiteral(" rpm");
    case 525: // gear ratio in hundredths
        return QString::number(raw / 100.0, 'f', 2);
    default:
        break;
    }

    AbstractFieldAdaptor* adaptor = m_adaptors ? m_adaptors->adaptor(address) : nullptr;
    QObject* widget = adaptor ? adaptor->inputField() : nullptr;
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        const int index = combo->findData(raw, Qt::UserRole);
        if (index >= 0)
            return combo->itemText(index);
    } else if (qobject_cast<QCheckBox*>(widget)) {
        return text(raw ? TextOn : TextOff);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        if (button->isCheckable()) // servo directions: checked is normal
            return text(raw ? TextNormal : TextReversed);
    } else if (auto* group = qobject_cast<QButtonGroup*>(widget)) {
        if (QAbstractButton* choice = group->button(raw)) {
            const QString caption = choice->text().simplified();
            if (!caption.isEmpty())
                return caption;
        }
    }
    return QString::number(raw);
}

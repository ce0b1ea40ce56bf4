#ifndef EXTRAADAPTORS_H
#define EXTRAADAPTORS_H

// The program's own field adaptors, built on the generic ones of hxadaptorviews: the
// parameters whose raw value is not what the widget shows, the drawn widgets, the live
// monitors and the choices the user must confirm.

#include "buttongroupwithverifyadaptor.h"
#include "checkablebuttonwithverifyadaptor.h"
#include "doubledirectslideradaptor.h"
#include "flystyleadaptor.h"
#include "gearratiolineeditadaptor.h"
#include "genericdividelineeditadaptor.h"
#include "govmotoroffsliderwithlineeditadaptor.h"
#include "govscrollupwithlineeditadaptor.h"
#include "govstartthrottlewithlineeditadaptor.h"
#include "labeladaptorgpscompass.h"
#include "labeladaptorgpsstatus.h"
#include "labeladaptorvbec.h"
#include "rxmonitoradaptor.h"
#include "rxtypecomboboxadaptor.h"
#include "servoangleadaptor.h"
#include "swashtrimcollectiveadaptor.h"
#include "swashtrimcyclicadaptor.h"
#include "swashtrimcyclicmonitoradaptor.h"

#endif // EXTRAADAPTORS_H

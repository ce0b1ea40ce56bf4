#ifndef HXSERIAL_GLOBAL_H
#define HXSERIAL_GLOBAL_H

#include <QtCore/qglobal.h>

#if defined(HXSERIAL_LIBRARY)
#define HXSERIAL_EXPORT Q_DECL_EXPORT
#else
#define HXSERIAL_EXPORT Q_DECL_IMPORT
#endif

#endif // HXSERIAL_GLOBAL_H

#ifndef HXIO_GLOBAL_H
#define HXIO_GLOBAL_H

#include <QtCore/qglobal.h>

#if defined(HXIO_LIBRARY)
#define HXIO_EXPORT Q_DECL_EXPORT
#else
#define HXIO_EXPORT Q_DECL_IMPORT
#endif

#endif // HXIO_GLOBAL_H

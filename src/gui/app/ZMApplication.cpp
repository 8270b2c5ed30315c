#include "app/ZMApplication.h"

#include <QLocale>
#include <QtGlobal>

#include "common/ZMFormat.h"

void InitZMResources() { Q_INIT_RESOURCE(resources); }

void ApplyLocaleToCore() {
  const QString point = QLocale().decimalPoint();
  SetDecimalSeparator(point.size() == 1 ? point.at(0).toLatin1() : '.');
}

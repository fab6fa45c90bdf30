// Tracing of the serial layer, off by default; switch it on with
// QT_LOGGING_RULES="daxo.serial.debug=true".
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcSerial)

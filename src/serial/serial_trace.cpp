#include "serial_trace.h"

Q_LOGGING_CATEGORY(lcSerial, "daxo.serial", QtInfoMsg)

// SPDX-License-Identifier: GPL-3.0-or-later
#include "datalog.h"

// Only critical messages by default, and none is ever written: the category is off.
Q_LOGGING_CATEGORY(dataLog, "zibrin.data", QtCriticalMsg)

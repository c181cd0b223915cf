// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetslog.h"

// Only critical messages by default, and none is ever written: the category is off.
Q_LOGGING_CATEGORY(sheetsLog, "zibrin.sheets", QtCriticalMsg)

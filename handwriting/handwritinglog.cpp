// SPDX-License-Identifier: GPL-3.0-or-later
#include "handwritinglog.h"

// Only critical messages by default, and none is ever written: the category is off.
Q_LOGGING_CATEGORY(handwritingLog, "zibrin.handwriting", QtCriticalMsg)

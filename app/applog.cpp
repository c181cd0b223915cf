// SPDX-License-Identifier: GPL-3.0-or-later
#include "applog.h"

// Warnings and above by default; debug and info stay off.
Q_LOGGING_CATEGORY(appLog, "zibrin.app", QtWarningMsg)

// SPDX-License-Identifier: GPL-3.0-or-later
#include "handwritinglog.h"

// Warnings and above by default; debug and info stay off.
Q_LOGGING_CATEGORY(handwritingLog, "zibrin.handwriting", QtWarningMsg)

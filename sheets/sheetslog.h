// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// zibrin.sheets: why a practice sheet could not be written or printed. Off by default (the user
// is told in a message box or on stderr); QT_LOGGING_RULES="zibrin.*=true" turns it on.
Q_DECLARE_LOGGING_CATEGORY(sheetsLog)

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// zibrin.sheets: why a practice sheet could not be written or printed, beside what the user is
// told in a message box or on stderr. Warnings are on by default.
Q_DECLARE_LOGGING_CATEGORY(sheetsLog)

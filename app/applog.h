// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// zibrin.app: why the program's own machinery fell back (the instance lock or socket could not be
// made, a later start could not hand over to the running copy). Warnings are on by default; the
// program goes on without what failed.
Q_DECLARE_LOGGING_CATEGORY(appLog)

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// zibrin.app: why the program's own machinery fell back (the instance lock or socket could not be
// made, a later start could not hand over to the running copy). Off by default, as the program
// goes on without them; QT_LOGGING_RULES="zibrin.*=true" turns it on.
Q_DECLARE_LOGGING_CATEGORY(appLog)

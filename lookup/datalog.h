// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// zibrin.data: why a data file or a picture could not be used (Photo.mdb, LIST2.txt, a stored
// picture). Off by default, as the program reports no such failure itself;
// QT_LOGGING_RULES="zibrin.*=true" turns it on.
Q_DECLARE_LOGGING_CATEGORY(dataLog)

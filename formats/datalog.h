// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// zibrin.data: why a data file or a picture could not be used (Photo.mdb, LIST2.txt, a table
// segment, a stored picture). Warnings are on by default, so that a broken file is named on
// standard error; QT_LOGGING_RULES="zibrin.data.warning=false" silences them.
Q_DECLARE_LOGGING_CATEGORY(dataLog)

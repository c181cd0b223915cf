// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// zibrin.handwriting: why the handwriting model could not be used (missing, cut short, its sizes
// not those of the file). Off by default, as the pad says only that no model is there;
// QT_LOGGING_RULES="zibrin.*=true" turns it on.
Q_DECLARE_LOGGING_CATEGORY(handwritingLog)

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// zibrin.handwriting: why the handwriting model or the matcher's medians could not be used
// (missing, cut short, its sizes not those of the file) and why a recognition gave no list.
// Warnings are on by default: the pad itself says only that no model is there.
Q_DECLARE_LOGGING_CATEGORY(handwritingLog)

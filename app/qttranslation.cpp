// SPDX-License-Identifier: GPL-3.0-or-later
#include "qttranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

bool installQtChineseTranslation(QCoreApplication &app)
{
    auto translator = std::make_unique<QTranslator>(&app);
    if (!translator->load(
            QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || !QCoreApplication::installTranslator(translator.get()))
        return false;
    translator.release(); // owned by the application from here on
    return true;
}

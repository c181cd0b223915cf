// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;

// Qt's own simplified-Chinese texts (standard buttons 确定, the text boxes' context menus 撤销,
// 复制, 粘贴 ...), loaded whatever the desktop's language: qtbase_zh_CN.qm from Qt's translations
// folder, which Debian's qt6-translations-l10n installs. Returns whether it was found and
// installed; without it the standard texts stay English.
bool installQtChineseTranslation(QCoreApplication &app);

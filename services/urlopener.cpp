// SPDX-License-Identifier: GPL-3.0-or-later
#include "urlopener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

QUrl pageAddress(const QUrl &url)
{
    if (!url.isLocalFile())
        return url;
    const QString path = url.toLocalFile();
    if (!QFileInfo(path).isDir())
        return url;
    const QString index
        = path + (path.endsWith(QLatin1Char('/')) ? "" : "/") + QLatin1String("index.html");
    return QFileInfo(index).isFile() ? QUrl::fromLocalFile(index) : url;
}

void DesktopUrlOpener::open(const QUrl &url)
{
    // The result is ignored on purpose: no browser or no mail program is not reported.
    QDesktopServices::openUrl(pageAddress(url));
}

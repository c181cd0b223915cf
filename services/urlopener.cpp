#include "urlopener.h"

#include <QDesktopServices>
#include <QUrl>

void DesktopUrlOpener::open(const QUrl &url)
{
    // The result is ignored on purpose: no browser or no mail program is not reported.
    QDesktopServices::openUrl(url);
}

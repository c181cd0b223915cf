#include "addresses.h"

#include "urlencode.h"

#include <QString>
#include <QUrl>

namespace {

// The character as one path segment: UTF-8, everything but unreserved ASCII percent-encoded.
QString pathSegment(const QString &character)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(character));
}

QUrl strokeOrderPage(QLatin1String service, const QString &character)
{
    return QUrl(strokeOrderBaseAddress + service + pathSegment(character)
                    + QLatin1String(".html"),
                QUrl::TolerantMode);
}

} // namespace

QUrl strokeAnimationAddress(const QString &character)
{
    return strokeOrderPage(QLatin1String("/bsdh/post/"), character);
}

QUrl strokeQueryAddress(const QString &character, bool pictureVisible)
{
    if (!pictureVisible)
        return QUrl(strokeOrderBaseAddress + QLatin1String("/bscx"), QUrl::TolerantMode);
    return strokeOrderPage(QLatin1String("/bscx/post/"), character);
}

QUrl dictionaryAddress(const QString &character)
{
    return QUrl(dictionaryBaseAddress + QLatin1String("/s?wd=") + UrlEncodeUtf8(character),
                QUrl::TolerantMode);
}

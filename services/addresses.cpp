// SPDX-License-Identifier: GPL-3.0-or-later
#include "addresses.h"

#include "urlencode.h"

#include <QString>
#include <QUrl>

#ifndef ZIBRIN_STROKE_ORDER_BASE
#define ZIBRIN_STROKE_ORDER_BASE ""
#endif

namespace {

// The character as one path segment: UTF-8, everything but unreserved ASCII percent-encoded.
QString pathSegment(const QString &character)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(character));
}

QUrl strokeOrderPage(const QString &base, QLatin1String service, const QString &character)
{
    return QUrl(
        base + service + pathSegment(character) + QLatin1String(".html"), QUrl::TolerantMode);
}

} // namespace

QString strokeOrderBaseAddress(const QString &programDirectory)
{
    const QString configured = QStringLiteral(ZIBRIN_STROKE_ORDER_BASE);
    if (!configured.isEmpty())
        return configured.endsWith(QLatin1Char('/')) ? configured.chopped(1) : configured;
    return QString::fromLatin1(
        QUrl::fromLocalFile(programDirectory + QLatin1String("/strokeorder")).toEncoded());
}

QUrl strokeAnimationAddress(const QString &base, const QString &character)
{
    return strokeOrderPage(base, QLatin1String("/bsdh/post/"), character);
}

QUrl strokeQueryAddress(const QString &base, const QString &character, bool pictureVisible)
{
    if (!pictureVisible)
        return QUrl(base + QLatin1String("/bscx"), QUrl::TolerantMode);
    return strokeOrderPage(base, QLatin1String("/bscx/post/"), character);
}

QUrl dictionaryAddress(const QString &character)
{
    return QUrl(dictionaryBaseAddress + QLatin1String("/s?wd=") + UrlEncodeUtf8(character),
        QUrl::TolerantMode);
}

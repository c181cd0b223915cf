#pragma once

#include <QLatin1String>

class QString;
class QUrl;

// Scheme and host of the two web sites, without a trailing slash; every path is appended as is.
inline constexpr QLatin1String strokeOrderBaseAddress("https://bishun.zibrin.example");
inline constexpr QLatin1String dictionaryBaseAddress("https://hanyu.baidu.com");

// The addresses of the three link labels for the current character. The character reaches the
// browser as UTF-8: QUrl::toEncoded() percent-encodes it, toString() shows it as is. In the
// stroke-order paths the character is one path segment, so "/", "?", "#", "%" and spaces in it are
// percent-encoded instead of splitting the address. An empty character leaves an empty segment.

// stroke-order base + "/bsdh/post/" + character + ".html"
QUrl strokeAnimationAddress(const QString &character);

// stroke-order base + "/bscx/post/" + character + ".html" while the picture is shown,
// otherwise stroke-order base + "/bscx"
QUrl strokeQueryAddress(const QString &character, bool pictureVisible);

// dictionary base + "/s?wd=" + UrlEncodeUtf8(character)
QUrl dictionaryAddress(const QString &character);

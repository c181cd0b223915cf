// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLatin1String>

// The maker's addresses shown and opened by the About dialog.
namespace aboutinfo {

inline constexpr QLatin1String webSite("https://www.zibrin.example");
inline constexpr QLatin1String downloadPage("https://www.zibrin.example/download");
inline constexpr QLatin1String email("support@zibrin.example");
inline constexpr QLatin1String instantMessagingNumber("10000");

} // namespace aboutinfo

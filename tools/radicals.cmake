# SPDX-License-Identifier: GPL-3.0-or-later
# The modern radical of a character, its structure and parts (called by the card data tool), and
# the check of the filing against a second opinion.
add_library(zibrin_radicalfiling STATIC radicalfiling.cpp radicalfiling.h)
target_include_directories(zibrin_radicalfiling PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(zibrin_radicalfiling PUBLIC Qt6::Core)

add_executable(zibrin-radicalcheck radicalcheck.cpp)
target_link_libraries(zibrin-radicalcheck PRIVATE zibrin_radicalfiling zibrin_toolsupport)

# SPDX-License-Identifier: GPL-3.0-or-later
# build/strokeorder/: the stroke-order pages of every character of Photo.mdb (see pagegen.cpp),
# beside the program. The stamp file stands for the folder in the build's dependencies.

set(ZIBRIN_STROKE_ORDER_DIR ${CMAKE_BINARY_DIR}/strokeorder)
set(ZIBRIN_STROKE_ORDER_STAMP ${CMAKE_BINARY_DIR}/strokeorder.stamp)

add_executable(pagegen pagegen.cpp)
target_link_libraries(pagegen PRIVATE zibrin_formats zibrin_tabledata zibrin_toolsupport Qt6::Core Qt6::Sql)

if(ZIBRIN_DATA_FROM)
  # The sanitizer build links to the pages of the normal build.
  add_custom_command(
    OUTPUT ${ZIBRIN_STROKE_ORDER_STAMP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${ZIBRIN_STROKE_ORDER_DIR}
    COMMAND ${CMAKE_COMMAND} -E create_symlink ${ZIBRIN_DATA_FROM}/strokeorder ${ZIBRIN_STROKE_ORDER_DIR}
    COMMAND ${CMAKE_COMMAND} -E touch ${ZIBRIN_STROKE_ORDER_STAMP}
    DEPENDS ${ZIBRIN_DATA_FROM}/strokeorder.stamp
    COMMENT "Linking strokeorder/ to ${ZIBRIN_DATA_FROM}"
    VERBATIM)
else()
  file(GLOB page_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/pages/*)
  set(hanzi_writer ${ZIBRIN_NODE_MODULES}/hanzi-writer/dist/hanzi-writer.min.js)
  add_custom_command(
    OUTPUT ${ZIBRIN_STROKE_ORDER_STAMP}
    COMMAND pagegen --photo ${ZIBRIN_PHOTO_DB} --outlines ${ZIBRIN_OUTLINES} --pages ${CMAKE_SOURCE_DIR}/pages
            --hanzi-writer ${hanzi_writer} --output ${ZIBRIN_STROKE_ORDER_DIR}
            --corrections ${ZIBRIN_STROKE_ORDER_FIXES} --facts ${ZIBRIN_FACTS}
    COMMAND ${CMAKE_COMMAND} -E touch ${ZIBRIN_STROKE_ORDER_STAMP}
    DEPENDS pagegen ${ZIBRIN_PHOTO_DB} ${ZIBRIN_STROKE_ORDER_FIXES} ${ZIBRIN_FACTS} ${page_sources} ${hanzi_writer}
    COMMENT "Building the stroke-order pages in strokeorder/"
    VERBATIM)
endif()
add_custom_target(strokeorder ALL DEPENDS ${ZIBRIN_STROKE_ORDER_STAMP})

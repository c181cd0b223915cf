# SPDX-License-Identifier: GPL-3.0-or-later
# build/Photo.mdb: the character records with their stroke-order pictures, and ARPHICPL.TXT, the
# licence of the outlines the pictures are drawn from, shipped beside the program.

add_executable(photogen photogen.cpp)
target_link_libraries(photogen PRIVATE zibrin_formats zibrin_tabledata zibrin_toolsupport Qt6::Sql)

set(ZIBRIN_PHOTO_DB ${CMAKE_BINARY_DIR}/Photo.mdb)
set(ZIBRIN_OUTLINES ${ZIBRIN_NODE_MODULES}/hanzi-writer-data)
set(ZIBRIN_FACTS ${CMAKE_SOURCE_DIR}/data/characters.tsv)
set(ZIBRIN_STROKE_ORDER_FIXES ${CMAKE_SOURCE_DIR}/data/stroke-order.tsv)

if(ZIBRIN_DATA_FROM)
  # The sanitizer build takes the files of the normal build rather than render again instrumented.
  add_custom_command(
    OUTPUT ${ZIBRIN_PHOTO_DB} ${CMAKE_BINARY_DIR}/ARPHICPL.TXT
    COMMAND ${CMAKE_COMMAND} -E copy ${ZIBRIN_DATA_FROM}/Photo.mdb ${ZIBRIN_PHOTO_DB}
    COMMAND ${CMAKE_COMMAND} -E copy ${ZIBRIN_DATA_FROM}/ARPHICPL.TXT ${CMAKE_BINARY_DIR}/ARPHICPL.TXT
    DEPENDS ${ZIBRIN_DATA_FROM}/Photo.mdb ${ZIBRIN_DATA_FROM}/ARPHICPL.TXT
    COMMENT "Copying Photo.mdb and ARPHICPL.TXT from ${ZIBRIN_DATA_FROM}"
    VERBATIM)
else()
  add_custom_command(
    OUTPUT ${ZIBRIN_PHOTO_DB}
    COMMAND photogen --facts ${ZIBRIN_FACTS} --outlines ${ZIBRIN_OUTLINES} --corrections ${ZIBRIN_STROKE_ORDER_FIXES}
            --output ${ZIBRIN_PHOTO_DB}
    DEPENDS photogen ${ZIBRIN_FACTS} ${ZIBRIN_STROKE_ORDER_FIXES} ${ZIBRIN_OUTLINES}/package.json
    COMMENT "Drawing the stroke-order pictures into Photo.mdb"
    VERBATIM)
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/ARPHICPL.TXT
    COMMAND ${CMAKE_COMMAND} -E copy ${ZIBRIN_OUTLINES}/ARPHICPL.TXT ${CMAKE_BINARY_DIR}/ARPHICPL.TXT
    DEPENDS ${ZIBRIN_OUTLINES}/ARPHICPL.TXT
    VERBATIM)
endif()
add_custom_target(photo ALL DEPENDS ${ZIBRIN_PHOTO_DB} ${CMAKE_BINARY_DIR}/ARPHICPL.TXT)

# SPDX-License-Identifier: GPL-3.0-or-later
# build/LIST2.txt: the characters that have a stroke-animation page in strokeorder/ and a GBK
# code, beside the program.

set(ZIBRIN_LIST2 ${CMAKE_BINARY_DIR}/LIST2.txt)

if(ZIBRIN_DATA_FROM)
  # The sanitizer build takes the file of the normal build.
  add_custom_command(
    OUTPUT ${ZIBRIN_LIST2}
    COMMAND ${CMAKE_COMMAND} -E copy ${ZIBRIN_DATA_FROM}/LIST2.txt ${ZIBRIN_LIST2}
    DEPENDS ${ZIBRIN_DATA_FROM}/LIST2.txt
    COMMENT "Copying LIST2.txt from ${ZIBRIN_DATA_FROM}"
    VERBATIM)
else()
  add_executable(makelist2 makelist2.cpp)
  target_link_libraries(makelist2 PRIVATE zibrin_toolsupport Qt6::Core)
  add_custom_command(
    OUTPUT ${ZIBRIN_LIST2}
    COMMAND makelist2 ${ZIBRIN_STROKE_ORDER_DIR} ${ZIBRIN_LIST2}
    DEPENDS makelist2 ${ZIBRIN_STROKE_ORDER_STAMP}
    COMMENT "Writing LIST2.txt"
    VERBATIM)
endif()
add_custom_target(list2 ALL DEPENDS ${ZIBRIN_LIST2})

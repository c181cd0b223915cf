# build/LIST2.txt: the characters that have a stroke-animation page, beside the program (GBK).

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
  target_link_libraries(makelist2 PRIVATE zibrin_tables)
  add_custom_command(
    OUTPUT ${ZIBRIN_LIST2}
    COMMAND makelist2 ${ZIBRIN_LIST2}
    DEPENDS makelist2
    COMMENT "Writing LIST2.txt"
    VERBATIM)
endif()
add_custom_target(list2 ALL DEPENDS ${ZIBRIN_LIST2})

# SPDX-License-Identifier: GPL-3.0-or-later
# The table segments and the facts file. Both are committed: the build does not rewrite them, the
# target regenerate-data does, and the test data-reproducible checks that they equal what the
# pinned sources give.
add_library(zibrin_tabledata STATIC tabledata.cpp tabledata.h strokeorder.cpp strokeorder.h)
target_include_directories(zibrin_tabledata PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(zibrin_tabledata PUBLIC zibrin_formats Qt6::Core)

# What the data tools share: their messages (zibrin.tools), command lines and output replacement.
add_library(zibrin_toolsupport STATIC toolsupport.cpp toolsupport.h)
target_include_directories(zibrin_toolsupport PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(zibrin_toolsupport PUBLIC Qt6::Core)

add_executable(zibrin-datagen datagen.cpp)
target_link_libraries(zibrin-datagen PRIVATE zibrin_tabledata zibrin_toolsupport)

set(ZIBRIN_UNIHAN_TEXT ${CMAKE_BINARY_DIR}/Unihan_Readings.txt)
add_custom_command(OUTPUT ${ZIBRIN_UNIHAN_TEXT}
  COMMAND bzip2 -dc ${ZIBRIN_UNIHAN_READINGS} > ${ZIBRIN_UNIHAN_TEXT}
  DEPENDS ${ZIBRIN_UNIHAN_READINGS}
  COMMENT "Unpacking the Unihan readings")
add_custom_target(unihan-readings ALL DEPENDS ${ZIBRIN_UNIHAN_TEXT})

set(ZIBRIN_DATAGEN_ARGS
  --order ${ZIBRIN_NODE_MODULES}/cnchar-order/cnchar.order.min.js
  --unihan ${ZIBRIN_UNIHAN_TEXT}
  --outlines ${ZIBRIN_NODE_MODULES}/hanzi-writer-data
  --data ${CMAKE_SOURCE_DIR}/data)

add_custom_target(regenerate-data
  COMMAND zibrin-datagen ${ZIBRIN_DATAGEN_ARGS}
          --segments ${CMAKE_SOURCE_DIR}/tables/segments --facts ${CMAKE_SOURCE_DIR}/data/characters.tsv
          --check ${CMAKE_SOURCE_DIR}/data/stroke-check.txt
  DEPENDS zibrin-datagen unihan-readings
  COMMENT "Regenerating tables/segments, data/characters.tsv and data/stroke-check.txt")

if(BUILD_TESTING)
  add_test(NAME data-reproducible
    COMMAND ${CMAKE_COMMAND}
      -DDATAGEN=$<TARGET_FILE:zibrin-datagen>
      "-DARGS=${ZIBRIN_DATAGEN_ARGS}"
      -DOUT=${CMAKE_BINARY_DIR}/data-reproducible
      -DSOURCE=${CMAKE_SOURCE_DIR}
      -P ${CMAKE_CURRENT_SOURCE_DIR}/compare-data.cmake)
endif()

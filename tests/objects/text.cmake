# Tests of the text-showing kinds: static text, static picture, page number, value display
# and entry, message text, clock and measurement unit, with their built-in pictures.
kes_add_test(test_objects_text
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/test_tsttxt.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_tstbmp.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_tlxval.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_tmsgtxt.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_trtc.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_text_sheet.cpp
  LIBS LxObject)

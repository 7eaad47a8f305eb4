# Tests of the drawn kinds: geometry, scale, bar graph, the two meters and the curves.
kes_add_test(test_objects_shapes
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/test_tgeom.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_tscale.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_tprogbar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_tcirmeter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_trectmeter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_tlxcurve.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_shapes_sheet.cpp
  LIBS LxObject)

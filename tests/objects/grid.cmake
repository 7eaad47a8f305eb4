# Property grid and its row classes.
kes_add_test(test_propgrid WIDGETS
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_proprows.cpp ${CMAKE_CURRENT_LIST_DIR}/test_propgrid.cpp
  LIBS LxObject)

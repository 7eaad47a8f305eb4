# The inspector's row classes (the grid that shows them is tested with the UI base).
kes_add_test(test_proprows
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_proprows.cpp
  LIBS LxObject)

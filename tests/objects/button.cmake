# Button and state-picture kinds: bit-state pictures, multi-range picture, multi-state
# picture, lamp, button and their built-in pictures.
kes_add_test(test_objects_button
  SOURCES test_lxbitpics.cpp test_tlxdevbmp.cpp test_tvrgbmp.cpp test_tactbmp.cpp test_tlight.cpp
          test_tlxbtn.cpp test_button_sheet.cpp
  LIBS LxObject)

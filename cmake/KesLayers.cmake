# The layers of the tree, bottom up, and which folders each may include from. A source
# belongs to the longest folder below that holds it; it may include headers of its own
# folder and of the folders listed for it, nothing else of ours, each named from the top of
# the tree: an include that climbs with "..", or that names no header of a layer, fails the
# check. Folders marked MODEL use QtCore/QtGui only: a Qt Widgets or PrintSupport header
# there fails the check, and their libraries must not link Qt Widgets. ARCHITECTURE.md draws
# the same table.
#
# kes_layer(<folder> <MODEL|WIDGETS> [SEES <folders>...] [LIBRARIES <targets>...])
#   LIBRARIES: the targets built from the folder, checked for Qt Widgets when MODEL.

set(KES_LAYER_TABLE "")
set(KES_MODEL_LIBRARIES "")

function(kes_layer folder kind)
  cmake_parse_arguments(L "" "" "SEES;LIBRARIES" ${ARGN})
  string(JOIN " " sees ${L_SEES})
  set(KES_LAYER_TABLE "${KES_LAYER_TABLE}${folder}|${kind}|${sees}\n" PARENT_SCOPE)
  if(kind STREQUAL "MODEL")
    set(KES_MODEL_LIBRARIES ${KES_MODEL_LIBRARIES} ${L_LIBRARIES} PARENT_SCOPE)
  endif()
endfunction()

# 1-3: platform services, panel objects, the page record decoder.
set(_base platform)
kes_layer(platform MODEL LIBRARIES KesPlatform)
kes_layer(objects MODEL SEES platform LIBRARIES LxObject)
list(PREPEND _base objects)
kes_layer(decoder MODEL SEES ${_base} LIBRARIES Morvik KesEncoder)
list(PREPEND _base decoder)
# 4-6: models and device tables, the project document, the link engine.
kes_layer(app/model MODEL SEES ${_base} LIBRARIES KesModel)
list(PREPEND _base app/model)
kes_layer(app/project MODEL SEES ${_base} LIBRARIES KesProject)
list(PREPEND _base app/project)
kes_layer(app/comm MODEL SEES ${_base} LIBRARIES KesComm)
list(PREPEND _base app/comm)
# 7: the UI base, the property grid of the inspector's rows among it.
kes_layer(app/ui WIDGETS SEES ${_base})
list(PREPEND _base app/ui)
# 8: window subsystems. The editor opens dialogs and feeds the inspector; print draws pages.
kes_layer(app/inspector WIDGETS SEES ${_base})
kes_layer(app/dialogs WIDGETS SEES ${_base})
kes_layer(app/project/ui WIDGETS SEES ${_base})
kes_layer(app/comm/ui WIDGETS SEES ${_base})
kes_layer(app/editor WIDGETS SEES app/dialogs app/inspector ${_base})
kes_layer(app/print WIDGETS SEES app/editor app/dialogs app/inspector ${_base})
# 9: the main window, and the program.
set(_windows app/print app/editor app/comm/ui app/project/ui app/dialogs app/inspector)
kes_layer(app/shell WIDGETS SEES ${_windows} ${_base})
kes_layer(app/main.cpp WIDGETS SEES app/shell ${_windows} ${_base})
unset(_base)
unset(_windows)

# Fails the configure step when a MODEL library links Qt Widgets, directly or through what
# it links.
function(kes_check_model_links)
  foreach(target IN LISTS KES_MODEL_LIBRARIES)
    set(pending ${target})
    set(seen "")
    while(pending)
      list(POP_FRONT pending item)
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" item "${item}")
      if(item IN_LIST seen OR NOT TARGET ${item})
        continue()
      endif()
      list(APPEND seen ${item})
      get_target_property(aliased ${item} ALIASED_TARGET)
      if(aliased)
        list(APPEND pending ${aliased})
        continue()
      endif()
      if(item MATCHES "^Qt6::(Widgets|PrintSupport)$" OR item MATCHES "^Qt6::(Widgets|PrintSupport)Private$")
        message(FATAL_ERROR "${target} is below the UI base but links ${item}")
      endif()
      set(deps "")
      if(item STREQUAL target)
        get_target_property(deps ${item} LINK_LIBRARIES)
      endif()
      get_target_property(ideps ${item} INTERFACE_LINK_LIBRARIES)
      foreach(list IN ITEMS deps ideps)
        if(${list})
          list(APPEND pending ${${list}})
        endif()
      endforeach()
    endwhile()
  endforeach()
endfunction()

# The include check: a target of ALL that every library waits for, so a wrong include stops
# the build before anything compiles. It runs again whenever a source changes.
function(kes_add_layer_check)
  set(table ${CMAKE_BINARY_DIR}/kes-layers.txt)
  file(WRITE ${table} "${KES_LAYER_TABLE}")
  set(sources "")
  foreach(dir platform objects decoder app)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.h ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  get_target_property(widget_dirs Qt6::Widgets INTERFACE_INCLUDE_DIRECTORIES)
  get_target_property(print_dirs Qt6::PrintSupport INTERFACE_INCLUDE_DIRECTORIES)
  list(APPEND widget_dirs ${print_dirs})
  list(FILTER widget_dirs INCLUDE REGEX "/Qt(Widgets|PrintSupport)$")
  set(stamp ${CMAKE_BINARY_DIR}/kes-layers.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR} -DTABLE=${table}
            "-DWIDGET_DIRS=${widget_dirs}" -DSTAMP=${stamp}
            -P ${PROJECT_SOURCE_DIR}/cmake/check-layers.cmake
    DEPENDS ${sources} ${table} ${PROJECT_SOURCE_DIR}/cmake/check-layers.cmake
    COMMENT "Checking the includes against the layers"
    VERBATIM)
  add_custom_target(kes_layer_check ALL DEPENDS ${stamp})
  foreach(target IN ITEMS KesPlatform LxObject Morvik ${ARGN})
    add_dependencies(${target} kes_layer_check)
  endforeach()
endfunction()

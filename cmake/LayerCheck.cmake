# Fails when a source file includes a header from a higher layer, or when a
# model file includes widget code. Run as
#   cmake -DROOT=<folder holding the layer folders> -P LayerCheck.cmake
#
# The layers, lowest first. A file may include headers of its own layer and of
# the layers before it. Code in a ui/ folder, and all of controls/ and
# dialogs/, is widget code (kavo_ui); no other file may include it. The
# program's entry, app/main.cpp, is built against the widget library too.
set(KAVO_LAYERS
  platform geometry core graphics undo keyword shapes document fileformat
  richtext render editing controls dialogs frame app)
set(KAVO_WIDGET_LAYERS controls dialogs)

cmake_minimum_required(VERSION 3.25)

if(NOT ROOT)
  message(FATAL_ERROR "LayerCheck: pass -DROOT=<source folder>")
endif()

function(kavo_layer_of relpath out_layer out_widget)
  string(REGEX MATCH "^[^/]+" layer "${relpath}")
  set(widget OFF)
  if("${relpath}" MATCHES "(^|/)ui/" OR layer IN_LIST KAVO_WIDGET_LAYERS
     OR relpath STREQUAL "app/main.cpp")
    set(widget ON)
  endif()
  set(${out_layer} "${layer}" PARENT_SCOPE)
  set(${out_widget} ${widget} PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE files RELATIVE "${ROOT}" "${ROOT}/*.h" "${ROOT}/*.cpp" "${ROOT}/*.inc")
set(faults 0)
foreach(rel IN LISTS files)
  kavo_layer_of("${rel}" layer widget)
  list(FIND KAVO_LAYERS "${layer}" rank)
  if(rank EQUAL -1)
    message(NOTICE "LAYER ${rel}: folder '${layer}' is not in the layer list")
    math(EXPR faults "${faults} + 1")
    continue()
  endif()
  file(STRINGS "${ROOT}/${rel}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" inc "${line}")
    kavo_layer_of("${inc}" inc_layer inc_widget)
    list(FIND KAVO_LAYERS "${inc_layer}" inc_rank)
    if(inc_rank EQUAL -1)
      continue()  # a file beside it or a generated one, not a layer path
    endif()
    if(inc_rank GREATER rank)
      message(NOTICE "LAYER ${rel}: includes ${inc} from the higher layer '${inc_layer}'")
      math(EXPR faults "${faults} + 1")
    elseif(inc_widget AND NOT widget)
      message(NOTICE "LAYER ${rel}: model code includes the widget header ${inc}")
      math(EXPR faults "${faults} + 1")
    endif()
  endforeach()
endforeach()

list(LENGTH files count)
if(faults GREATER 0)
  message(FATAL_ERROR "LayerCheck: ${faults} include(s) against the layer order in ${count} files")
endif()
message(STATUS "LayerCheck: ${count} files follow the layer order")

cmake_policy(SET CMP0057 NEW)
# Includes run one way through the engine's folders: a file may include its own folder and the
# folders before it in this list, never a later one. The two front ends sit on top and never
# include each other.
set(_gryvel_layers common search dictionary results solvers shell)

function(gryvel_check_layers src_dir)
  set(_all_layers ${_gryvel_layers} cli gui)
  list(LENGTH _gryvel_layers _engine_count)
  set(_rank 0)
  foreach(_folder IN LISTS _all_layers)
    if(_rank LESS _engine_count)
      list(SUBLIST _all_layers ${_rank} -1 _higher)
      list(REMOVE_AT _higher 0)
    else()
      # cli and gui: each may use the whole engine but not the other front end.
      list(FILTER _higher EXCLUDE REGEX ".*")
      foreach(_front IN ITEMS cli gui)
        if(NOT _front STREQUAL _folder)
          list(APPEND _higher ${_front})
        endif()
      endforeach()
    endif()
    file(GLOB_RECURSE _files "${src_dir}/${_folder}/*.h" "${src_dir}/${_folder}/*.cpp")
    foreach(_file IN LISTS _files)
      file(STRINGS "${_file}" _includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z_]+/")
      foreach(_line IN LISTS _includes)
        string(REGEX REPLACE "^[^\"]*\"([a-z_]+)/.*$" "\\1" _target "${_line}")
        if(_target IN_LIST _higher)
          file(RELATIVE_PATH _rel "${src_dir}" "${_file}")
          message(FATAL_ERROR "${_rel} includes ${_target}/, a layer above ${_folder}/ "
                              "(order: ${_all_layers})")
        endif()
      endforeach()
    endforeach()
    math(EXPR _rank "${_rank} + 1")
  endforeach()
endfunction()

# Inside the window the feature folders run one way too: app/ (start-up) over main_window/, over
# the windows it opens (options/, statistics/, search_dialog/, which never include each other),
# over the shared files at the root and widgets/, which may include each other. A file includes
# its own folder, the groups after its own and the shared ones, never an earlier group.
set(_gryvel_gui_layers app main_window "options statistics search_dialog")
set(_gryvel_gui_shared root widgets)

# The gui folder an include or a file belongs to: its first folder below gui/, or root.
function(_gryvel_gui_folder path out)
  if(path MATCHES "^([a-z_]+)/")
    set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
  else()
    set(${out} root PARENT_SCOPE)
  endif()
endfunction()

# The folders a file in `folder` may include.
function(_gryvel_gui_allowed folder out)
  set(_allowed ${folder} ${_gryvel_gui_shared})
  set(_below FALSE)
  foreach(_group IN LISTS _gryvel_gui_layers)
    string(REPLACE " " ";" _members "${_group}")
    if(_below)
      list(APPEND _allowed ${_members})
    elseif(folder IN_LIST _members)
      set(_below TRUE)
    endif()
  endforeach()
  set(${out} ${_allowed} PARENT_SCOPE)
endfunction()

function(gryvel_check_gui_layers src_dir)
  get_filename_component(_gui_dir "${src_dir}/gui" ABSOLUTE)
  file(GLOB_RECURSE _files "${_gui_dir}/*.h" "${_gui_dir}/*.cpp")
  foreach(_file IN LISTS _files)
    file(RELATIVE_PATH _rel "${_gui_dir}" "${_file}")
    _gryvel_gui_folder("${_rel}" _folder)
    _gryvel_gui_allowed(${_folder} _allowed)
    file(STRINGS "${_file}" _includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"gui/")
    foreach(_line IN LISTS _includes)
      string(REGEX REPLACE "^[^\"]*\"gui/([^\"]*)\".*$" "\\1" _target_path "${_line}")
      _gryvel_gui_folder("${_target_path}" _target)
      if(NOT _target IN_LIST _allowed)
        message(FATAL_ERROR "gui/${_rel} includes gui/${_target_path}, which runs from ${_folder}/ "
                            "to ${_target}/ against the window's order (${_gryvel_gui_layers}, then "
                            "${_gryvel_gui_shared})")
      endif()
    endforeach()
  endforeach()
endfunction()

# Run as a script (the IncludeLayers test): cmake -DSRC=<src folder> -P check_layers.cmake
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  gryvel_check_layers("${SRC}")
  gryvel_check_gui_layers("${SRC}")
endif()

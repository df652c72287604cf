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

# Run as a script (the IncludeLayers test): cmake -DSRC=<src folder> -P check_layers.cmake
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  gryvel_check_layers("${SRC}")
endif()

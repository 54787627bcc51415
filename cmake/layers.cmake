# Include roots per layer. Each root is a folder in the build tree that links
# to just the source folders a layer may include, so that an include of a
# higher layer's header fails to compile instead of quietly working.
function(zenko_include_root name)
  set(root ${CMAKE_BINARY_DIR}/include/${name})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root})
  foreach(folder IN LISTS ARGN)
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endforeach()
  set(ZENKO_INCLUDE_ROOT_${name} ${root} PARENT_SCOPE)
endfunction()

# Sources named in a layer file must all exist, and every source file of a
# layer's folders must be named: a file left out of the list is a mistake.
function(zenko_check_sources layer)
  cmake_parse_arguments(ARG "" "" "FOLDERS;SOURCES" ${ARGN})
  foreach(folder IN LISTS ARG_FOLDERS)
    file(GLOB found RELATIVE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
    foreach(file IN LISTS found)
      if(NOT file IN_LIST ARG_SOURCES)
        message(FATAL_ERROR "${file} belongs to the ${layer} layer but is not in its source list")
      endif()
    endforeach()
  endforeach()
endfunction()

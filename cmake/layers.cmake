# Include roots per layer. Each root is a folder in the build tree that links
# to just the source folders a layer may include, so that an include of a
# higher layer's header fails to compile instead of quietly working. Folders
# after EXCEPT are subfolders of those that stay out: their parent is linked
# entry by entry instead of whole.
function(zenko_include_root name)
  cmake_parse_arguments(ARG "" "" "EXCEPT" ${ARGN})
  set(root ${CMAKE_BINARY_DIR}/include/${name})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root})
  foreach(folder IN LISTS ARG_UNPARSED_ARGUMENTS)
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    set(entries ${folder})
    foreach(excluded IN LISTS ARG_EXCEPT)
      get_filename_component(excluded_parent ${excluded} DIRECTORY)
      if(excluded_parent STREQUAL folder)
        # A new file in the folder reconfigures, so it is linked too.
        file(GLOB entries CONFIGURE_DEPENDS LIST_DIRECTORIES true RELATIVE ${CMAKE_SOURCE_DIR}
          ${CMAKE_SOURCE_DIR}/${folder}/*)
        list(REMOVE_ITEM entries ${ARG_EXCEPT})
        file(MAKE_DIRECTORY ${root}/${folder})
        break()
      endif()
    endforeach()
    foreach(entry IN LISTS entries)
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${entry} ${root}/${entry} SYMBOLIC)
    endforeach()
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

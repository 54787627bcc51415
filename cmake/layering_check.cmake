# The build's own check of the layers: a file of rules/ that includes the
# main window's header must not compile with the engine's include root, while
# one that includes an engine header must. Both probes are built only by the
# tests, never by the default build.
set(probe_dir ${CMAKE_BINARY_DIR}/layering_probe/rules)
file(WRITE ${probe_dir}/includes_engine.cpp "#include \"rules/types.h\"\nint probe_engine = zenko::BoardFiles;\n")
file(WRITE ${probe_dir}/includes_form1.cpp "#include \"ui/form1.h\"\nint probe_form1 = 0;\n")
foreach(probe engine form1)
  add_library(layering_probe_${probe} OBJECT EXCLUDE_FROM_ALL ${probe_dir}/includes_${probe}.cpp)
  target_include_directories(layering_probe_${probe} PRIVATE ${ZENKO_INCLUDE_ROOT_engine})
endforeach()
add_test(NAME Layering.EngineFileMayIncludeEngineHeaders
  COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target layering_probe_engine)
add_test(NAME Layering.EngineFileCannotIncludeTheMainWindow
  COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target layering_probe_form1)
set_tests_properties(Layering.EngineFileCannotIncludeTheMainWindow PROPERTIES
  PASS_REGULAR_EXPRESSION "ui/form1\\.h: No such file or directory")
set_tests_properties(Layering.EngineFileMayIncludeEngineHeaders Layering.EngineFileCannotIncludeTheMainWindow
  PROPERTIES RESOURCE_LOCK build_tree)

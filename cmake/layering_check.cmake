# The build's own check of the layers: a file of rules/ that includes the
# main window's header must not compile with the engine's include root, while
# one that includes an engine header must; likewise a file of game/ may include
# Form1's header but neither the Qt shell's nor the sound library's. The
# probes are built only by the tests, never by the default build.
set(probe_root ${CMAKE_BINARY_DIR}/layering_probe)
file(WRITE ${probe_root}/rules/includes_engine.cpp "#include \"rules/types.h\"\nint probe_engine = zenko::BoardFiles;\n")
file(WRITE ${probe_root}/rules/includes_form1.cpp "#include \"ui/form1.h\"\nint probe_form1 = 0;\n")
file(WRITE ${probe_root}/game/includes_application.cpp "#include \"ui/form1.h\"\nint probe_application = 0;\n")
file(WRITE ${probe_root}/game/includes_qt_shell.cpp "#include \"ui/qt/main_window.h\"\nint probe_qt_shell = 0;\n")
file(WRITE ${probe_root}/game/includes_sound_library.cpp
  "#include \"sound/library/ds.h\"\nint probe_sound_library = 0;\n")
foreach(probe rules/engine rules/form1 game/application game/qt_shell game/sound_library)
  string(REPLACE "/" ";" parts ${probe})
  list(GET parts 0 folder)
  list(GET parts 1 header)
  set(layer engine)
  if(folder STREQUAL "game")
    set(layer application)
  endif()
  add_library(layering_probe_${header} OBJECT EXCLUDE_FROM_ALL ${probe_root}/${folder}/includes_${header}.cpp)
  target_include_directories(layering_probe_${header} PRIVATE ${ZENKO_INCLUDE_ROOT_${layer}})
endforeach()

function(zenko_layering_test name probe)
  add_test(NAME Layering.${name} COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target layering_probe_${probe})
  set_tests_properties(Layering.${name} PROPERTIES RESOURCE_LOCK build_tree)
  if(ARGN)
    set_tests_properties(Layering.${name} PROPERTIES PASS_REGULAR_EXPRESSION "${ARGN}: No such file or directory")
  endif()
endfunction()
zenko_layering_test(EngineFileMayIncludeEngineHeaders engine)
zenko_layering_test(EngineFileCannotIncludeTheMainWindow form1 "ui/form1\\.h")
zenko_layering_test(ApplicationFileMayIncludeApplicationHeaders application)
zenko_layering_test(ApplicationFileCannotIncludeTheQtShell qt_shell "ui/qt/main_window\\.h")
zenko_layering_test(ApplicationFileCannotIncludeTheSoundLibrary sound_library "sound/library/ds\\.h")

# The record formats: a file of record/formats/ may include its own headers
# and the engine's, but neither the application's state nor the main window.
file(WRITE ${probe_root}/record/formats/includes_formats.cpp
  "#include \"record/formats/game_record.h\"\n#include \"rules/engine.h\"\nint probe_formats = 0;\n")
file(WRITE ${probe_root}/record/formats/includes_history.cpp "#include \"record/history_state.h\"\nint probe_history = 0;\n")
file(WRITE ${probe_root}/record/formats/includes_form1_from_formats.cpp "#include \"ui/form1.h\"\nint probe_form1_from_formats = 0;\n")
foreach(header formats history form1_from_formats)
  add_library(layering_probe_${header} OBJECT EXCLUDE_FROM_ALL ${probe_root}/record/formats/includes_${header}.cpp)
  target_include_directories(layering_probe_${header} PRIVATE ${ZENKO_INCLUDE_ROOT_formats})
endforeach()
zenko_layering_test(FormatsFileMayIncludeFormatsAndEngineHeaders formats)
zenko_layering_test(FormatsFileCannotIncludeTheHistory history "record/history_state\\.h")
zenko_layering_test(FormatsFileCannotIncludeTheMainWindow form1_from_formats "ui/form1\\.h")

# The sound library over SDL2_mixer, and the Qt shell: the only code that
# uses Qt Widgets. The shell's root is the whole source tree.
set(ZENKO_SOUND_LIBRARY_SOURCES
  sound/library/ds.cpp
  sound/library/ds_sound_library.cpp
)
zenko_check_sources(sound_library FOLDERS sound/library
  SOURCES ${ZENKO_SOUND_LIBRARY_SOURCES} sound/library/loaded_sound_library.cpp)
# Linked in for the tests of the library itself.
add_library(zenko_sound STATIC ${ZENKO_SOUND_LIBRARY_SOURCES})
target_include_directories(zenko_sound PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(zenko_sound PUBLIC SDL2_mixer::SDL2_mixer SDL2::SDL2)
# The game loads the library as a shared object of its own once its window
# shows, so SDL2_mixer and its codecs do not hold up the first picture.
add_library(zenko-sound MODULE sound/library/ds.cpp)
target_include_directories(zenko-sound PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(zenko-sound PRIVATE SDL2_mixer::SDL2_mixer SDL2::SDL2)
add_library(zenko_sound_loader STATIC sound/library/loaded_sound_library.cpp)
target_include_directories(zenko_sound_loader PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(zenko_sound_loader PUBLIC ${CMAKE_DL_LIBS})

set(ZENKO_SHELL_SOURCES
  ui/qt/main_window.cpp
  ui/qt/menu_table.cpp
  ui/qt/move_list_panel.cpp
  ui/qt/review_view.cpp
  ui/qt/position_editor.cpp
  ui/qt/qt_canvas.cpp
  ui/qt/qt_dialogs.cpp
  ui/qt/qt_engine_process.cpp
  ui/qt/record_panel.cpp
  ui/qt/record_exchange.cpp
  ui/qt/outside_close.cpp
)
zenko_check_sources(shell FOLDERS ui/qt SOURCES ${ZENKO_SHELL_SOURCES})
file(GLOB PICTURES CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}/ui/pictures ui/pictures/*.png)
add_library(zenko_shell STATIC ${ZENKO_SHELL_SOURCES})
set_target_properties(zenko_shell PROPERTIES AUTOMOC ON)
target_include_directories(zenko_shell PUBLIC ${CMAKE_SOURCE_DIR})
# xcb: the shell asks the X server whether its window still exists.
find_library(XCB_LIBRARY xcb REQUIRED)
target_link_libraries(zenko_shell PUBLIC zenko_app zenko_formats zenko_engine_player zenko_engine Qt6::Widgets ${XCB_LIBRARY})
if(PICTURES)
  list(TRANSFORM PICTURES PREPEND ui/pictures/)
  qt_add_resources(zenko_shell "pictures" PREFIX "/pictures" BASE ui/pictures FILES ${PICTURES})
endif()

add_executable(zenko main.cpp)
target_link_libraries(zenko PRIVATE zenko_shell zenko_sound_loader zenko_app zenko_formats zenko_engine_player zenko_engine)
add_dependencies(zenko zenko-sound)

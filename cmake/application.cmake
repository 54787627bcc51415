# The computer's engine levels: the UCI client, engine notation and the
# move choice within the game's rules; the review of a game on the engine. Standard library only and free of
# Form1 (its include root holds no ui/), so the engine tool links it too.
set(ZENKO_ENGINE_PLAYER_SOURCES
  game/engine_player.cpp
  game/review_judgement.cpp
  game/review_session.cpp
  game/uci_client.cpp
  game/uci_notation.cpp
)
zenko_include_root(engine_player rules ai game)
add_library(zenko_engine_player OBJECT ${ZENKO_ENGINE_PLAYER_SOURCES})
target_include_directories(zenko_engine_player PUBLIC ${ZENKO_INCLUDE_ROOT_engine_player})
target_link_libraries(zenko_engine_player PUBLIC zenko_engine)

# Application: Form1 and its procedures. No Qt at all; it reaches the window,
# the dialogs, the clock and the sound library through ui/platform.h.
set(ZENKO_APP_SOURCES
  game/board_input.cpp
  game/clock.cpp
  game/commands.cpp
  game/computer_turn.cpp
  game/engine_turn.cpp
  game/game_review.cpp
  game/history_review.cpp
  game/kept_play.cpp
  game/review_commands.cpp
  game/setup.cpp
  game/standard_play.cpp
  record/handicap.cpp
  record/history.cpp
  record/record_file.cpp
  record/record_exchange.cpp
  record/review_notes.cpp
  record/kept_game.cpp
  record/saved_game.cpp
  record/move_list.cpp
  record/position_check.cpp
  record/position_editing.cpp
  record/position_setup.cpp
  ui/form1.cpp
  ui/pictures.cpp
  ui/presentation.cpp
  ui/ruled_lines.cpp
  ui/text.cpp
  ui/window.cpp
  settings/data_folder.cpp
  settings/file_access.cpp
  settings/settings_file.cpp
  settings/list_options.cpp
  settings/shift_jis.cpp
  sound/sound_commands.cpp
)
zenko_check_sources(application FOLDERS game record ui settings sound
  SOURCES ${ZENKO_APP_SOURCES} ${ZENKO_ENGINE_PLAYER_SOURCES} ${ZENKO_FORMATS_SOURCES})
# Its root holds neither ui/qt/ nor sound/library/.
zenko_include_root(application rules ai game record ui settings sound EXCEPT ui/qt sound/library)

# The program's name and version, for the version box and the window caption.
configure_file(${CMAKE_SOURCE_DIR}/cmake/version.h.in ${CMAKE_BINARY_DIR}/include/generated/zenko/version.h @ONLY)

add_library(zenko_app OBJECT ${ZENKO_APP_SOURCES})
target_include_directories(zenko_app PUBLIC ${ZENKO_INCLUDE_ROOT_application} ${CMAKE_BINARY_DIR}/include/generated)
target_link_libraries(zenko_app PUBLIC zenko_formats zenko_engine_player zenko_engine)

# Record formats: the readers and writers of the records Xiangqi players
# exchange (PGN, XQF, DhtmlXQ, FEN and the game's own .棋譜), the move
# notations and text decoding. The standard library and the C library's
# iconv only, free of Form1 and Qt: its include root holds rules/, its own
# folder and the two headers of the .棋譜 move lines, so the engine tool, the
# application and the tests all link it.
set(ZENKO_FORMATS_SOURCES
  record/formats/dhtmlxq_reader.cpp
  record/formats/fen_reader.cpp
  record/formats/game_builder.cpp
  record/formats/game_record.cpp
  record/formats/kifu.cpp
  record/formats/notation.cpp
  record/formats/notation_reading.cpp
  record/formats/pgn_reader.cpp
  record/formats/pgn_writer.cpp
  record/formats/record_file_reader.cpp
  record/formats/text_encoding.cpp
  record/formats/utf8.cpp
  record/formats/xqf_reader.cpp
  record/record_line.cpp
)
zenko_check_sources(formats FOLDERS record/formats SOURCES ${ZENKO_FORMATS_SOURCES})
zenko_include_root(formats rules record/formats record/record_line.h record/move_record.h)

add_library(zenko_formats OBJECT ${ZENKO_FORMATS_SOURCES})
target_include_directories(zenko_formats PUBLIC ${ZENKO_INCLUDE_ROOT_formats})
target_link_libraries(zenko_formats PUBLIC zenko_engine)

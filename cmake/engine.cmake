# Engine: rules and the computer player. The standard library only; it may
# include nothing but rules/ and ai/.
set(ZENKO_ENGINE_SOURCES
  rules/board.cpp
  rules/fen.cpp
  rules/legality.cpp
  rules/mate.cpp
  rules/safety.cpp
  rules/standard_rules.cpp
  rules/move_generation.cpp
  ai/evaluation.cpp
  ai/search.cpp
  ai/survey.cpp
)
zenko_check_sources(engine FOLDERS rules ai SOURCES ${ZENKO_ENGINE_SOURCES})
zenko_include_root(engine rules ai)

add_library(zenko_engine OBJECT ${ZENKO_ENGINE_SOURCES})
target_include_directories(zenko_engine PUBLIC ${ZENKO_INCLUDE_ROOT_engine})

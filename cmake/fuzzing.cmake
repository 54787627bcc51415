# Fuzz targets of the record readers: each tests/fuzz/*_fuzz.cpp defines
# LLVMFuzzerTestOneInput. Built with the small driver of tests/fuzz/, each
# runs as a test on the committed test files and a few thousand fixed
# mutations of them, in every build and so under the sanitizers as well.
# With clang, -DZENKO_LIBFUZZER=ON builds them as libFuzzer programs
# instead, for open-ended fuzzing by hand (the tests then leave them out):
#   CXX=clang++ cmake -S . -B build-fuzz -DZENKO_LIBFUZZER=ON -DZENKO_SANITIZE=ON -DZENKO_WERROR=OFF
#   cmake --build build-fuzz --target pgn_fuzz
#   mkdir corpus && cp tests/formats/data/* corpus && build-fuzz/pgn_fuzz corpus
# (clang warns where g++ does not, hence no -Werror; libFuzzer adds the
# inputs it finds to the corpus folder, so not to tests/formats/data).
file(GLOB FUZZ_TARGET_SOURCES CONFIGURE_DEPENDS tests/fuzz/*_fuzz.cpp)
if(NOT ZENKO_LIBFUZZER)
  add_library(zenko_fuzz_driver OBJECT tests/fuzz/fuzz_driver.cpp)
  target_include_directories(zenko_fuzz_driver PRIVATE ${CMAKE_SOURCE_DIR}/tests)
endif()
foreach(source IN LISTS FUZZ_TARGET_SOURCES)
  get_filename_component(name ${source} NAME_WE)
  if(ZENKO_LIBFUZZER)
    add_executable(${name} ${source})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    add_executable(${name} ${source} $<TARGET_OBJECTS:zenko_fuzz_driver>)
    add_test(NAME Fuzz.${name} COMMAND ${name} --runs 3000 ${CMAKE_SOURCE_DIR}/tests/formats/data)
    set_tests_properties(Fuzz.${name} PROPERTIES TIMEOUT 120)
  endif()
  target_link_libraries(${name} PRIVATE zenko_formats zenko_engine)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
endforeach()

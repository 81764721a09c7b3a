# Build helpers shared by every folder: sanitizers, test, fuzz and bench programs.
include_guard(GLOBAL)

function(kestavo_apply_sanitizers)
  if(KESTAVO_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
      message(FATAL_ERROR "KESTAVO_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang")
    endif()
    if(NOT KESTAVO_SANITIZE)
      set(KESTAVO_SANITIZE "address,undefined" CACHE STRING "" FORCE)
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
  if(KESTAVO_SANITIZE)
    add_compile_options(-fsanitize=${KESTAVO_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=${KESTAVO_SANITIZE})
  endif()
endfunction()

# Paths the tests use to find what the build made (components, data, sources).
function(_kestavo_test_definitions target)
  target_compile_definitions(${target} PRIVATE
    KESTAVO_TEST_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    KESTAVO_TEST_BIN_DIR="${CMAKE_BINARY_DIR}/bin"
    KESTAVO_TEST_LIB_DIR="${CMAKE_BINARY_DIR}/${KESTAVO_PRIVATE_LIBDIR}"
    KESTAVO_TEST_DATA_DIR="${KESTAVO_BUILD_DATADIR}")
endfunction()

# kestavo_gtest(NAME n LABEL folder SOURCES ... LIBS ... [DEPENDS targets...])
# One GoogleTest program; every test gets a fresh temporary hive folder and a
# QApplication on the offscreen platform (tests/fixtures/TestMain.cpp).
function(kestavo_gtest)
  cmake_parse_arguments(T "" "NAME;LABEL" "SOURCES;LIBS;DEPENDS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE kestavo_test_main ${T_LIBS} GTest::gtest GTest::gmock)
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  _kestavo_test_definitions(${T_NAME})
  if(T_DEPENDS)
    add_dependencies(${T_NAME} ${T_DEPENDS})
  endif()
  gtest_discover_tests(${T_NAME}
    PROPERTIES LABELS ${T_LABEL} ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 120
    DISCOVERY_MODE PRE_TEST)
endfunction()

# kestavo_fuzz(NAME n LABEL folder SOURCES ... LIBS ... [CORPUS dir])
# With KESTAVO_FUZZ a libFuzzer program; otherwise the same entry point is
# built with a plain driver that replays the kept corpus as a regression test.
function(kestavo_fuzz)
  cmake_parse_arguments(F "" "NAME;LABEL;CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${F_NAME} ${F_SOURCES})
  target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
  set_target_properties(${F_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  _kestavo_test_definitions(${F_NAME})
  if(KESTAVO_FUZZ)
    target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
  else()
    target_link_libraries(${F_NAME} PRIVATE kestavo_fuzz_replay)
  endif()
  if(F_CORPUS AND EXISTS ${F_CORPUS})
    if(KESTAVO_FUZZ)
      add_test(NAME fuzz-corpus.${F_NAME} COMMAND ${F_NAME} -runs=0 ${F_CORPUS})
    else()
      add_test(NAME fuzz-corpus.${F_NAME} COMMAND ${F_NAME} ${F_CORPUS})
    endif()
    set_tests_properties(fuzz-corpus.${F_NAME} PROPERTIES LABELS "${F_LABEL};fuzz"
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endif()
endfunction()

# kestavo_bench(NAME n SOURCES ... LIBS ...): a Google Benchmark program under build/bench.
function(kestavo_bench)
  cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${B_NAME} ${B_SOURCES})
  target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} benchmark::benchmark)
  set_target_properties(${B_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  _kestavo_test_definitions(${B_NAME})
endfunction()

# Helpers shared by every folder: one static library per subsystem folder, one test
# executable per layer, warnings as errors on our own code.

function(quillon_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror
                         # GCC 12 at -O3 reports std::string assignments from literals as
                         # overlapping copies (a known false positive).
                         $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
endfunction()

# quillon_library(NAME DIR DEPS...) : every .cpp directly in DIR is compiled into NAME.
function(quillon_library name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARGN})
  quillon_warnings(${name})
endfunction()

# quillon_tests(NAME DIR [GUI] DEPS...) : every .cpp in DIR becomes one GoogleTest executable,
# registered with CTest. GUI tests run under xvfb-run.
function(quillon_tests name dir)
  cmake_parse_arguments(QT "GUI;QTTEST" "" "" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  if(QT_QTTEST)
    target_link_libraries(${name} PRIVATE ${QT_UNPARSED_ARGUMENTS} Qt6::Test)
  else()
    target_link_libraries(${name} PRIVATE ${QT_UNPARSED_ARGUMENTS} GTest::gtest GTest::gmock GTest::gtest_main)
  endif()
  quillon_warnings(${name})
  set(env "QUILLON_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  if(QUILLON_SANITIZE OR QUILLON_FUZZ)
    # Also reaches the programs the tests start (the window, the command line).
    list(APPEND env "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan_suppressions.txt:print_suppressions=0"
         "UBSAN_OPTIONS=print_stacktrace=1")
  endif()
  if(QT_GUI)
    add_test(NAME ${name} COMMAND xvfb-run -a -s "-screen 0 1280x1024x24" $<TARGET_FILE:${name}>)
    if(QUILLON_SANITIZE OR QUILLON_FUZZ)
      # Under X, Qt's session bus connection leaks at exit blocks allocated by a library that is
      # unloaded by then, so no suppression can name them: memory errors and undefined
      # behaviour still stop the window tests, leaks are checked in every other layer.
      list(APPEND env "ASAN_OPTIONS=detect_leaks=0")
    endif()
  else()
    add_test(NAME ${name} COMMAND ${name})
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 900)
endfunction()

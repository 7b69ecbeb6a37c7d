# GoogleTest for both trees and the helper that registers one test program.
if(WIN32)
  # Debian ships the sources only for the host: build them with the cross compiler.
  set(TAVOLI_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(${TAVOLI_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  add_library(tavoli_gtest ALIAS gtest)
else()
  find_package(GTest REQUIRED)
  add_library(tavoli_gtest ALIAS GTest::gtest)
endif()

# Windows test programs run twice, once per locale, each in its own Wine prefix: the
# English run must see ANSI code page 1252 and the Japanese one 932, and the program
# asserts which one it got (TAVOLI_EXPECTED_ACP).
if(WIN32)
  find_program(TAVOLI_XVFB_RUN xvfb-run REQUIRED)
endif()

set(TAVOLI_TEST_LOCALES
    "en|C.UTF-8|1252"
    "ja|ja_JP.UTF-8|932")

function(tavoli_add_test_program name)
  # DPIS: the Windows runs happen once per display scale instead, named <name>.<tag>-<dpi>.
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;HOST_ENVIRONMENT;DPIS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/test_main.cpp)
  if(WIN32)
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/test_version.rc)
  endif()
  target_link_libraries(${name} PRIVATE tavoli_options tavoli_checked tavoli_gtest ${ARG_LIBRARIES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  # Wine reaches the source tree through drive Z:.
  if(WIN32)
    set(source_dir "Z:${PROJECT_SOURCE_DIR}")
  else()
    set(source_dir "${PROJECT_SOURCE_DIR}")
  endif()
  target_compile_definitions(${name} PRIVATE
    TAVOLI_SOURCE_DIR="${source_dir}"
    TAVOLI_TEST_DATA="${source_dir}/tests/data")
  if(WIN32)
    set(dpis ${ARG_DPIS})
    if(NOT dpis)
      set(dpis default)
    endif()
    foreach(locale ${TAVOLI_TEST_LOCALES})
      string(REPLACE "|" ";" parts "${locale}")
      list(GET parts 0 tag)
      list(GET parts 1 lc_all)
      list(GET parts 2 acp)
      foreach(dpi ${dpis})
        set(test_name ${name}.${tag})
        set(screen 1024x768x24)
        set(environment "LC_ALL=${lc_all};TAVOLI_EXPECTED_ACP=${acp};TAVOLI_WINEPREFIX=${CMAKE_BINARY_DIR}/wine-${tag}")
        if(NOT dpi STREQUAL "default")
          set(test_name ${name}.${tag}-${dpi})
          set(screen 1600x1200x24)  # room for the dialogs at twice their size
          list(APPEND environment "TAVOLI_WINE_DPI=${dpi}")
        endif()
        # Each run on a virtual display of its own: the two locales' windows run at the
        # same time and must not take the keyboard focus from each other. Each test looks
        # for a free display from a number of its own: two runs that started at once from
        # the same number could both take it.
        get_property(display_base GLOBAL PROPERTY TAVOLI_NEXT_DISPLAY)
        if(NOT display_base)
          set(display_base 200)
        endif()
        math(EXPR next_display "${display_base} + 4")
        set_property(GLOBAL PROPERTY TAVOLI_NEXT_DISPLAY ${next_display})
        add_test(NAME ${test_name}
          COMMAND ${TAVOLI_XVFB_RUN} -n ${display_base} -a -s "-screen 0 ${screen}"
                  ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}> --gtest_color=no)
        set_tests_properties(${test_name} PROPERTIES
          ENVIRONMENT "${environment}"
          # One program at a time in a prefix: its Wine session has one foreground window,
          # which the dialogs and the program under test must not lose to another run;
          # and a run at another scale changes the prefix's DPI while it runs.
          RESOURCE_LOCK wine-${tag}
          # The longest run takes under half a minute; a Wine session that stalls (seen
          # once: a first dialog never shown on a fresh prefix) costs minutes, not a quarter
          # of an hour, and ./test runs a timed-out suite once more.
          TIMEOUT 300)
      endforeach()
    endforeach()
  else()
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    set_tests_properties(${name} PROPERTIES TIMEOUT 900 ENVIRONMENT "${ARG_HOST_ENVIRONMENT}")
  endif()
endfunction()

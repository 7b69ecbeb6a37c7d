# Compiler settings shared by every target of one tree.
add_library(tavoli_options INTERFACE)
target_compile_options(tavoli_options INTERFACE -Wall -Wextra -Wno-unused-parameter)
target_include_directories(tavoli_options INTERFACE ${PROJECT_SOURCE_DIR}/src)

# Test programs (and the core they test) build with the sanitizers on the host; the
# programs, tools and benchmarks build without them.
add_library(tavoli_checked INTERFACE)
if(WIN32)
  # Unicode stays off: the program speaks the ANSI API in the system code page.
  target_compile_definitions(tavoli_options INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX
                                                      _WIN32_WINNT=0x0601 WINVER=0x0601)
else()
  option(TAVOLI_SANITIZE "Build the host test programs with AddressSanitizer and UBSan" ON)
  if(TAVOLI_SANITIZE)
    # Any report fails the run: UBSan must not recover and go on.
    set(TAVOLI_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
                               -fno-omit-frame-pointer)
    target_compile_options(tavoli_checked INTERFACE ${TAVOLI_SANITIZER_FLAGS})
    target_link_options(tavoli_checked INTERFACE ${TAVOLI_SANITIZER_FLAGS})
  endif()
endif()

# libFuzzer targets: clang only, in their own tree (scripts/fuzz).
option(TAVOLI_FUZZ "Build the libFuzzer targets (needs clang)" OFF)

# QUILLMERE_SANITIZE: a comma-separated list for -fsanitize= ("address,undefined"
# or "thread"), applied to every target of the build. Any report ends the
# program with an error, so a test that triggers one fails.
set(QUILLMERE_SANITIZE "" CACHE STRING "Sanitizers to build with, e.g. address,undefined or thread")

# Test environment for the sanitizers; the suppression files hold only
# findings inside system libraries, each with its reason.
set(QUILLMERE_SANITIZER_ENV "")
if(QUILLMERE_SANITIZE)
  add_compile_options(-fsanitize=${QUILLMERE_SANITIZE} -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${QUILLMERE_SANITIZE})
  # Sanitizer builds exist to run tests; their benchmarks and tools would only
  # lengthen the build.
  set(QUILLMERE_BUILD_EXTRAS OFF)
  set(suppressions ${CMAKE_SOURCE_DIR}/tests/sanitizers)
  set(QUILLMERE_SANITIZER_ENV
    "ASAN_OPTIONS=halt_on_error=1:abort_on_error=0:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1"
    "LSAN_OPTIONS=suppressions=${suppressions}/lsan.supp:print_suppressions=0"
    "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1"
    "TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=${suppressions}/tsan.supp:print_suppressions=0")
endif()

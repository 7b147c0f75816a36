# SPDX-License-Identifier: GPL-3.0-or-later

# QUILLMERE_SANITIZE: a comma-separated list for -fsanitize= ("address,undefined"
# or "thread"), applied to every target of the build. Any report ends the
# program with an error, so a test that triggers one fails.
set(QUILLMERE_SANITIZE "" CACHE STRING "Sanitizers to build with, e.g. address,undefined or thread")

# Test environment for the sanitizers. Debian's Qt, glib and Tesseract are not
# instrumented: ThreadSanitizer looks at our code's memory accesses only
# (ignore_noninstrumented_modules), and the locks inside Qt that order our
# hand-offs between threads are made known to it by tests/sanitizers/QtHandOffs.cpp.
# Children of a test (helper servers) exec at once after fork (die_after_fork=0).
# tests/sanitizers/lsan.supp names the leaks of system libraries, with reasons.
set(QUILLMERE_SANITIZER_ENV "")
if(QUILLMERE_SANITIZE)
  add_compile_options(-fsanitize=${QUILLMERE_SANITIZE} -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${QUILLMERE_SANITIZE})
  # Sanitizer builds exist to run tests; their benchmarks and tools would only
  # lengthen the build.
  set(QUILLMERE_BUILD_EXTRAS OFF)
  set(QUILLMERE_SANITIZER_ENV
    "ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1"
    "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/sanitizers/lsan.supp:print_suppressions=0"
    "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1"
    "TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:die_after_fork=0:ignore_noninstrumented_modules=1")
endif()

# Under ThreadSanitizer every test also gets the stand-ins that make Qt's
# thread hand-offs visible to it (tests/sanitizers/QtHandOffs.cpp).
if(QUILLMERE_SANITIZE MATCHES "thread")
  find_package(Qt6 REQUIRED COMPONENTS Core)
  add_library(quillmere_tsan_qt OBJECT ${CMAKE_SOURCE_DIR}/tests/sanitizers/QtHandOffs.cpp)
  target_link_libraries(quillmere_tsan_qt PUBLIC Qt6::Core ${CMAKE_DL_LIBS})
endif()

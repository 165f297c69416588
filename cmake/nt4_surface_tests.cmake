# Tests that the 32-bit programs would start on Windows NT 4.0, which Wine
# cannot show: it exports nearly every later function. Each checks one
# program's header and imports (and, for Setup, the entry points it resolves
# at run time) against cmake/nt4-imports.txt.
if(NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
  return()
endif()

set(NT4_ALLOWED ${CMAKE_CURRENT_LIST_DIR}/nt4-imports.txt)
set(NT4_CHECK ${CMAKE_CURRENT_LIST_DIR}/check_nt4_surface.cmake)
# The lists of entry points that Setup resolves at run time, separated by |.
set(NT4_RUNTIME_ENTRIES
  "${CMAKE_SOURCE_DIR}/driver/device_api_entries.inc|${CMAKE_SOURCE_DIR}/pages/common_dialog_entries.inc")

# The programs of the medium, one target a line.
set(NT4_CHECKED_PROGRAMS
  setup
  qvmain
  qvpage
  uninstal
)

function(add_nt4_surface_test name image)
  add_test(NAME Nt4Surface.${name}
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DIMAGE=${image} -DALLOWED=${NT4_ALLOWED} ${ARGN}
            -P ${NT4_CHECK})
endfunction()

foreach(program IN LISTS NT4_CHECKED_PROGRAMS)
  if(NOT TARGET ${program})
    continue()
  endif()
  set(entries)
  if(program STREQUAL "setup")
    set(entries "-DRUNTIME_ENTRIES=${NT4_RUNTIME_ENTRIES}")
  endif()
  add_nt4_surface_test(${program} $<TARGET_FILE:${program}> ${entries})
endforeach()

# The check itself must refuse a program built for Windows 2000.
add_executable(nt4_newer_system ${CMAKE_SOURCE_DIR}/tests/fixtures/nt4/newer_system.c)
set_target_properties(nt4_newer_system PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
target_link_options(nt4_newer_system PRIVATE -static
  -Wl,--major-subsystem-version,5,--minor-subsystem-version,0,--major-os-version,5,--minor-os-version,0)
add_nt4_surface_test(RefusesNewerSystem $<TARGET_FILE:nt4_newer_system>)
set_tests_properties(Nt4Surface.RefusesNewerSystem PROPERTIES PASS_REGULAR_EXPRESSION
  "subsystem version 5\\.0.*operating system version 5\\.0.*imports KERNEL32!GetFileSizeEx, which is not on")

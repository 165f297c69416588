# Fails when setup/ mixes its two layers. Its ground (the setup state, the
# texts, the page framework: every file of setup/ but the top's) includes no
# header of a stage folder, so that the stages can stand on it; its top
# (start-up and the wizard sequence) is included by nothing but the entry
# point, itself and the tests.
#   cmake -DSOURCE_DIR=<tree> -P check_setup_layers.cmake
cmake_minimum_required(VERSION 3.20)
set(STAGE_FOLDERS script pages install background driver)
set(TOP_FILES setup/winmain.cpp setup/startup.h setup/startup.cpp setup/wizard.h setup/wizard.cpp)
set(TOP_HEADERS setup/startup.h setup/wizard.h)
set(SCANNED_FOLDERS setup script pages install background driver resources media mkmedium tests)

set(globs)
foreach(folder IN LISTS SCANNED_FOLDERS)
  foreach(ext h cpp c inc rc dlg)
    list(APPEND globs ${SOURCE_DIR}/${folder}/*.${ext})
  endforeach()
endforeach()
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${globs})
if(NOT sources)
  message(FATAL_ERROR "no sources found below ${SOURCE_DIR}")
endif()

set(faults 0)
foreach(source IN LISTS sources)
  file(STRINGS ${SOURCE_DIR}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" included "${line}")
    string(REGEX MATCH "^[^/]+" included_folder "${included}")
    if(source MATCHES "^setup/" AND NOT source IN_LIST TOP_FILES AND included_folder IN_LIST STAGE_FOLDERS)
      message(SEND_ERROR "${source} includes ${included}: the ground of setup/ must not stand on a stage")
      math(EXPR faults "${faults} + 1")
    endif()
    if(included IN_LIST TOP_HEADERS AND NOT source IN_LIST TOP_FILES AND NOT source MATCHES "^tests/")
      message(SEND_ERROR "${source} includes ${included}: only the entry point and the tests include the top")
      math(EXPR faults "${faults} + 1")
    endif()
  endforeach()
endforeach()
list(LENGTH sources count)
if(faults GREATER 0)
  message(FATAL_ERROR "${faults} includes cross the layers of setup/")
endif()
message(STATUS "${count} files, no include across the layers of setup/")

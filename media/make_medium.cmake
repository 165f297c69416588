# Lays out the medium with mkmedium from the description medium.ini. The
# description names its files relative to itself, and some of them are
# built, so it and its files are gathered in a stage folder first.

file(REMOVE_RECURSE ${STAGE_DIR})
file(COPY ${MEDIA_SOURCE}/ DESTINATION ${STAGE_DIR}
     PATTERN companion EXCLUDE PATTERN CMakeLists.txt EXCLUDE PATTERN make_medium.cmake EXCLUDE)
file(COPY ${SETUP_EXE} ${QVMAIN_EXE} ${QVPAGE_DLL} ${UNINSTAL_EXE} DESTINATION ${STAGE_DIR})

execute_process(COMMAND ${MKMEDIUM} build --force ${MEDIUM_DIR} ${STAGE_DIR}/medium.ini RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "mkmedium could not lay out ${MEDIUM_DIR}")
endif()

# GoogleTest from Debian's sources, built with the project's compiler: the
# cross compiler, or the host's for the tools of build-host.
set(GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
foreach(t gtest gtest_main)
  target_compile_options(${t} PRIVATE -w)
  if(WIN32)
    target_link_options(${t} INTERFACE -static)
  endif()
endforeach()

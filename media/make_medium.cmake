# Lays out the medium: SETUP.EXE, SETUP.INF and the driver INF at the top,
# every other file in the folder that SETUP.INF's [DirectoryName] gives it,
# and the files the script names with a trailing "_" LZ-compressed.

find_program(MSCOMPRESS mscompress REQUIRED)

file(REMOVE_RECURSE ${MEDIUM_DIR})
file(MAKE_DIRECTORY ${MEDIUM_DIR}/HELP ${MEDIUM_DIR}/SAMPLES ${MEDIUM_DIR}/DRIVER ${MEDIUM_DIR}/WINDOWS)

file(COPY ${SETUP_EXE} ${MEDIA_SOURCE}/SETUP.INF ${MEDIA_SOURCE}/RKMOUSE.INF ${MEDIA_SOURCE}/README.TXT
     ${UNINSTAL_EXE} DESTINATION ${MEDIUM_DIR})
file(COPY ${MEDIA_SOURCE}/HELP/WHEEL.TXT DESTINATION ${MEDIUM_DIR}/HELP)
file(COPY ${MEDIA_SOURCE}/WINDOWS/ROLLER.INI DESTINATION ${MEDIUM_DIR}/WINDOWS)
# The class installer takes the driver image uncompressed, beside the
# compressed copy that the script lists.
file(COPY ${MEDIA_SOURCE}/DRIVER/RKMOUSE.SYS DESTINATION ${MEDIUM_DIR}/DRIVER)

# mscompress writes NAME.EXT_; a medium names it NAME.EX_.
function(compress_into source folder)
  get_filename_component(name ${source} NAME)
  string(REGEX REPLACE ".$" "_" packed ${name})
  set(work ${MEDIUM_DIR}/.work)
  file(MAKE_DIRECTORY ${work})
  file(COPY ${source} DESTINATION ${work})
  execute_process(COMMAND ${MSCOMPRESS} ${name} WORKING_DIRECTORY ${work} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "mscompress failed on ${name}")
  endif()
  file(RENAME ${work}/${name}_ ${MEDIUM_DIR}/${folder}/${packed})
  file(REMOVE_RECURSE ${work})
endfunction()

compress_into(${QVMAIN_EXE} .)
compress_into(${QVPAGE_DLL} .)
compress_into(${MEDIA_SOURCE}/HELP/ROLLER.HLP HELP)
compress_into(${MEDIA_SOURCE}/SAMPLES/SCROLL.TXT SAMPLES)
compress_into(${MEDIA_SOURCE}/DRIVER/RKMOUSE.SYS DRIVER)
compress_into(${MEDIA_SOURCE}/RKMOUSE.INF DRIVER)

file(TOUCH ${MEDIUM_DIR}/.laid-out)

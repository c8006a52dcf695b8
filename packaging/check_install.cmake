# Stages an install of the build in a fresh folder and checks that it holds
# the program with its files, the command, the icons, and a desktop entry
# that desktop-file-validate accepts.
#   cmake -DBUILD_DIR=... -DSTAGE=... -DPROGRAM_FOLDER=... -DBINDIR=... -DDATADIR=... [-DRUFFLE=1] -P check_install.cmake
file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE} ${CMAKE_COMMAND} --install ${BUILD_DIR}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
set(flash_runtime)
if(RUFFLE)
  set(flash_runtime ${PROGRAM_FOLDER}/ruffle/ruffle.js)
endif()
foreach(file ${PROGRAM_FOLDER}/quilmora ${PROGRAM_FOLDER}/power.dll ${PROGRAM_FOLDER}/Quilmora.chm
             ${PROGRAM_FOLDER}/home.html ${flash_runtime} ${BINDIR}/quilmora ${DATADIR}/applications/quilmora.desktop
             ${DATADIR}/icons/hicolor/48x48/apps/quilmora.png ${DATADIR}/icons/hicolor/256x256/apps/quilmora.png)
  if(NOT EXISTS ${STAGE}${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
file(READ ${STAGE}${DATADIR}/applications/quilmora.desktop entry)
if(NOT entry MATCHES "Exec=${PROGRAM_FOLDER}/quilmora %f" OR NOT entry MATCHES "video/x-msvideo;")
  message(FATAL_ERROR "the desktop entry does not start the installed program for its types:\n${entry}")
endif()
find_program(VALIDATE desktop-file-validate REQUIRED)
execute_process(COMMAND ${VALIDATE} ${STAGE}${DATADIR}/applications/quilmora.desktop
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT output STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate: ${output}")
endif()
file(REMOVE_RECURSE ${STAGE})

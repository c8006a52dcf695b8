# Stages an install of the build in a fresh folder and checks that it holds
# the program with its files, the command, the icons, the sample clip and the
# copyright file, a desktop entry that desktop-file-validate accepts, AppStream
# metainfo that appstreamcli accepts, and a manual page man reads without a
# warning.
#   cmake -DBUILD_DIR=... -DSTAGE=... -DPREFIX=... -DPROGRAM_SUBDIR=... -DBINDIR=... -DDATADIR=...
#         -DMANDIR=... -DSAMPLE_SUBDIR=... -DMETAINFO_ID=... [-DRUFFLE=1] -P check_install.cmake
file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE} ${CMAKE_COMMAND} --install ${BUILD_DIR}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
set(root ${STAGE}${PREFIX})
set(flash_runtime)
if(RUFFLE)
  set(flash_runtime ${PROGRAM_SUBDIR}/ruffle/ruffle.js)
endif()
set(desktop_entry ${DATADIR}/applications/quilmora.desktop)
set(metainfo ${DATADIR}/metainfo/${METAINFO_ID}.metainfo.xml)
set(man_page ${MANDIR}/man1/quilmora.1.gz)
foreach(file ${PROGRAM_SUBDIR}/quilmora ${PROGRAM_SUBDIR}/power.dll ${PROGRAM_SUBDIR}/Quilmora.chm
             ${PROGRAM_SUBDIR}/home.html ${PROGRAM_SUBDIR}/installed ${flash_runtime} ${BINDIR}/quilmora
             ${desktop_entry} ${metainfo} ${man_page} ${SAMPLE_SUBDIR} ${DATADIR}/doc/quilmora/copyright
             ${DATADIR}/icons/hicolor/48x48/apps/quilmora.png ${DATADIR}/icons/hicolor/256x256/apps/quilmora.png)
  if(NOT EXISTS ${root}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

file(READ ${root}/${desktop_entry} entry)
if(NOT entry MATCHES "Exec=${PREFIX}/${PROGRAM_SUBDIR}/quilmora %f" OR NOT entry MATCHES "video/x-msvideo;")
  message(FATAL_ERROR "the desktop entry does not start the installed program for its types:\n${entry}")
endif()

# Each checker must say nothing: a warning is a fault too.
function(expect_silent name)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0 OR NOT output STREQUAL "")
    message(FATAL_ERROR "${name}: ${output}")
  endif()
endfunction()
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
expect_silent(desktop-file-validate ${DESKTOP_FILE_VALIDATE} ${root}/${desktop_entry})
find_program(MAN man REQUIRED)
# In UTF-8, as a Chinese desktop's terminal; groff's warnings go to stderr.
execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 MANWIDTH=80 ${MAN} --warnings -l ${root}/${man_page}
                RESULT_VARIABLE result OUTPUT_VARIABLE page ERROR_VARIABLE warnings)
if(NOT result EQUAL 0 OR NOT warnings STREQUAL "" OR NOT page MATCHES "QUILMORA_MUSIC_MPV_OPTIONS")
  message(FATAL_ERROR "man: ${result} ${warnings}")
endif()
find_program(APPSTREAMCLI appstreamcli REQUIRED)
# --no-net: the web address is not fetched. The metainfo names the desktop
# entry it launches; appstreamcli reports only problems, and a pass.
execute_process(COMMAND ${APPSTREAMCLI} validate --no-net --explain ${root}/${metainfo}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
string(REGEX REPLACE "[^\n]*Validation was successful[^\n]*\n?" "" problems "${output}")
string(STRIP "${problems}" problems)
if(NOT result EQUAL 0 OR NOT problems STREQUAL "")
  message(FATAL_ERROR "appstreamcli validate: ${output}")
endif()
file(READ ${root}/${metainfo} metainfo_text)
if(NOT metainfo_text MATCHES "<launchable type=\"desktop-id\">quilmora.desktop</launchable>")
  message(FATAL_ERROR "the metainfo does not launch the installed desktop entry")
endif()
file(REMOVE_RECURSE ${STAGE})

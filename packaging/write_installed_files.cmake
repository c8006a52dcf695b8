# Run by the install step: writes and installs the files that name installed
# paths (the desktop entry, the manual page) for the prefix being installed
# into, which cpack sets anew for the package.
# Set by the caller: WORK_DIR, DESKTOP_ENTRY_WRITER, MAN_PAGE_IN, GZIP,
# PROGRAM_SUBDIR, SAMPLE_SUBDIR, DATADIR, MANDIR, and the manual page's other
# @-variables.
set(QM_PROGRAM_FOLDER "${CMAKE_INSTALL_PREFIX}/${PROGRAM_SUBDIR}")
set(QM_SAMPLE "${CMAKE_INSTALL_PREFIX}/${SAMPLE_SUBDIR}")
# A folder of this install's own: two installs at once do not share files.
string(MD5 key "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(work "${WORK_DIR}/${key}")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}")

execute_process(COMMAND "${DESKTOP_ENTRY_WRITER}" "${work}/quilmora.desktop" "${QM_PROGRAM_FOLDER}/quilmora"
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the desktop entry could not be written: ${result}")
endif()

configure_file("${MAN_PAGE_IN}" "${work}/quilmora.1" @ONLY)
# -n: no name or time stamp inside, so the same page packs to the same bytes.
execute_process(COMMAND "${GZIP}" -9nf "${work}/quilmora.1" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the manual page could not be compressed: ${result}")
endif()

file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${DATADIR}/applications" TYPE FILE FILES "${work}/quilmora.desktop")
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${MANDIR}/man1" TYPE FILE FILES "${work}/quilmora.1.gz")
file(REMOVE_RECURSE "${work}")

# Compiles one help project into a .chm:
#   cmake -DSOURCE_DIR=<folder> -DPROJECT=<name.hhp> -DWORK_DIR=<folder>
#         -DOUTPUT=<file.chm> -DTOPIC=<page> -DCHMCMD=<exe> -DCHMLS=<exe> -P compile_help.cmake
# chmcmd writes beside its project, so the sources are compiled in a copy.
# The result must hold the topic the player opens, or the build fails.
cmake_minimum_required(VERSION 3.25)

foreach(arg SOURCE_DIR PROJECT WORK_DIR OUTPUT TOPIC CHMCMD CHMLS)
  if(NOT DEFINED ${arg})
    message(FATAL_ERROR "compile_help.cmake: ${arg} not given")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK_DIR})
file(COPY ${SOURCE_DIR}/ DESTINATION ${WORK_DIR})

get_filename_component(chm_name ${OUTPUT} NAME)
execute_process(COMMAND ${CHMCMD} ${PROJECT}
  WORKING_DIRECTORY ${WORK_DIR}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE log
  ERROR_VARIABLE log)
if(NOT result EQUAL 0 OR NOT EXISTS ${WORK_DIR}/${chm_name})
  message(FATAL_ERROR "chmcmd could not compile ${PROJECT} into ${chm_name}:\n${log}")
endif()
if(log MATCHES "(Warning|Error)")
  message(WARNING "chmcmd on ${PROJECT}:\n${log}")
endif()

execute_process(COMMAND ${CHMLS} -n list ${WORK_DIR}/${chm_name}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE listing
  ERROR_QUIET)
string(REPLACE "\n" ";" entries "${listing}")
list(FIND entries "/${TOPIC}" topic_index)
if(NOT result EQUAL 0 OR topic_index EQUAL -1)
  message(FATAL_ERROR "${chm_name} does not contain the topic ${TOPIC}:\n${listing}")
endif()

file(COPY_FILE ${WORK_DIR}/${chm_name} ${OUTPUT})

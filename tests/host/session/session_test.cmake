# corvane_add_session_test(NAME SESSION file EXPECTED file [ADDIN target] [DATA folder...])
# One CTest test: copies the DATA folders into a fresh work folder, runs gishost there on the
# session (with the add-in module ADDIN, else the modules built beside gishost) and compares
# its standard output with the EXPECTED transcript. The run must fail (non-zero status)
# exactly when the expected transcript holds an "error LINE: WHAT" line.
set(CORVANE_SESSION_RUNNER ${CMAKE_CURRENT_LIST_DIR}/run_session.cmake)

function(corvane_add_session_test name)
  cmake_parse_arguments(ARG "" "SESSION;EXPECTED;ADDIN" "DATA" ${ARGN})
  set(addin)
  if(ARG_ADDIN)
    set(addin "-DADDIN=$<TARGET_FILE:${ARG_ADDIN}>")
  endif()
  string(REPLACE ";" "|" data "${ARG_DATA}")
  add_test(NAME ${name}
    COMMAND ${CMAKE_COMMAND} -DGISHOST=$<TARGET_FILE:gishost> ${addin}
      -DSESSION=${ARG_SESSION} -DEXPECTED=${ARG_EXPECTED} "-DDATA=${data}"
      -DWORK=${CMAKE_CURRENT_BINARY_DIR}/session-work/${name}
      -P ${CORVANE_SESSION_RUNNER})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "CORVANE_REGISTRY=${PROJECT_BINARY_DIR}/test-registry/${name}.reg")
endfunction()

# corvane_add_session_folder(PREFIX prefix FOLDER dir [ADDIN target] [DATA folder...])
# One session test for every NAME.session of the folder, named PREFIX_NAME, compared with the
# NAME.transcript beside it.
function(corvane_add_session_folder)
  cmake_parse_arguments(ARG "" "PREFIX;FOLDER;ADDIN" "DATA" ${ARGN})
  file(GLOB sessions CONFIGURE_DEPENDS ${ARG_FOLDER}/*.session)
  set(addin)
  if(ARG_ADDIN)
    set(addin ADDIN ${ARG_ADDIN})
  endif()
  foreach(session ${sessions})
    get_filename_component(name ${session} NAME_WE)
    corvane_add_session_test(${ARG_PREFIX}_${name}
      SESSION ${session} EXPECTED ${ARG_FOLDER}/${name}.transcript ${addin} DATA ${ARG_DATA})
  endforeach()
endfunction()

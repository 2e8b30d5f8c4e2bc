# Runs one network session test: copies the DATA folders into a fresh work folder, then carries
# out STEPS in it, in order ("|" between them):
#   session:FILE   runs gishost on the session file, adding its output to the transcript (paths
#                  in the work folder written from it: "gothenburg/Corvane.ini");
#   touch:FILE     sets the file's modification time to now;
#   older:FILE=REFERENCE  sets FILE's modification time two minutes before REFERENCE's;
#   same:FILE=EXPECTED  the file must equal EXPECTED, line by line;
#   line:FILE=TEXT the file must hold a line equal to TEXT;
#   edit:FILE=OLD>NEW  the file's line OLD becomes NEW, as a user's editor would leave it (every
#                  line ended by CR LF, blank lines left out).
# The transcript must equal EXPECTED, and every session must succeed.
#
# The network opening compares the shapefile's modification time with that of "Corvane.ini"
# (one minute's grace), so the copies all carry one fixed time long past: files a session
# writes are newer whatever the times of the checkout, and the steps above set times relative
# to each other, never to how long a session took.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
string(REPLACE "|" ";" folders "${DATA}")
foreach(folder ${folders})
  file(COPY ${folder} DESTINATION ${WORK})
endforeach()
file(GLOB_RECURSE copies ${WORK}/*)
execute_process(COMMAND touch -d "2000-01-01 00:00:00" ${copies} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the copies' times cannot be set (${status})")
endif()

set(transcript "")
string(REPLACE "|" ";" steps "${STEPS}")
foreach(step ${steps})
  string(REGEX MATCH "^([a-z]+):(.*)$" parsed "${step}")
  set(kind ${CMAKE_MATCH_1})
  set(argument ${CMAKE_MATCH_2})
  if(kind STREQUAL "session")
    execute_process(COMMAND ${GISHOST} ${argument}
      WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
    # Messages name files by their full path; the transcript names them from the work folder, so
    # that it reads the same wherever the build is.
    string(REPLACE "${WORK}/" "" output "${output}")
    string(APPEND transcript "${output}")
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "gishost failed (${status}) on ${argument}:\n${output}\n${errors}")
    endif()
  elseif(kind STREQUAL "older")
    string(REGEX MATCH "^([^=]+)=(.*)$" pair "${argument}")
    execute_process(COMMAND touch -r ${CMAKE_MATCH_2} -d "-2 minutes" ${CMAKE_MATCH_1}
      WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status)
  elseif(kind STREQUAL "touch")
    execute_process(COMMAND touch ${argument} WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status)
  elseif(kind STREQUAL "same")
    string(REGEX MATCH "^([^=]+)=(.*)$" pair "${argument}")
    file(STRINGS ${WORK}/${CMAKE_MATCH_1} actual_lines)
    file(STRINGS ${CMAKE_MATCH_2} expected_lines)
    if(NOT actual_lines STREQUAL expected_lines)
      message(FATAL_ERROR "${CMAKE_MATCH_1} differs from ${CMAKE_MATCH_2}:\n${actual_lines}")
    endif()
    set(status 0)
  elseif(kind STREQUAL "edit")
    string(REGEX MATCH "^([^=]+)=([^>]*)>(.*)$" pair "${argument}")
    set(edited_file ${WORK}/${CMAKE_MATCH_1})
    set(old_line "${CMAKE_MATCH_2}")
    set(new_line "${CMAKE_MATCH_3}")
    file(STRINGS ${edited_file} lines)
    list(FIND lines "${old_line}" found)
    if(found EQUAL -1)
      message(FATAL_ERROR "${CMAKE_MATCH_1} holds no line \"${old_line}\"")
    endif()
    set(text "")
    foreach(line IN LISTS lines)
      if(line STREQUAL old_line)
        set(line "${new_line}")
      endif()
      string(APPEND text "${line}\r\n")
    endforeach()
    file(WRITE ${edited_file} "${text}")
    set(status 0)
  elseif(kind STREQUAL "line")
    string(REGEX MATCH "^([^=]+)=(.*)$" pair "${argument}")
    file(STRINGS ${WORK}/${CMAKE_MATCH_1} actual_lines)
    list(FIND actual_lines "${CMAKE_MATCH_2}" found)
    if(found EQUAL -1)
      message(FATAL_ERROR "${CMAKE_MATCH_1} holds no line \"${CMAKE_MATCH_2}\":\n${actual_lines}")
    endif()
    set(status 0)
  else()
    message(FATAL_ERROR "unknown step ${step}")
  endif()
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "step ${step} failed (${status})")
  endif()
endforeach()

file(WRITE ${WORK}/actual.transcript "${transcript}")
file(READ ${EXPECTED} expected)
if(NOT transcript STREQUAL expected)
  execute_process(COMMAND diff -u ${EXPECTED} ${WORK}/actual.transcript OUTPUT_VARIABLE difference)
  message(FATAL_ERROR "The transcript differs from ${EXPECTED}:\n${difference}")
endif()

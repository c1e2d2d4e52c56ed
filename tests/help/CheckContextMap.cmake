# Reads the compiled help file back with chmls: each context number of
# Quirevue.ali must be in its map, naming that alias's topic, and the topic
# must be inside the file. Run by CTest:
#   cmake -DCHM=<chm> -DCHMLS=<chmls> -DALIASES=<Quirevue.ali> -DWORK=<folder> -P CheckContextMap.cmake
cmake_minimum_required(VERSION 3.20)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY_FILE "${CHM}" "${WORK}/Quirevue.chm")
# chmls writes the map beside the file it reads, as Quirevue.ali.
execute_process(COMMAND "${CHMLS}" extractalias "${WORK}/Quirevue.chm" WORKING_DIRECTORY "${WORK}"
  OUTPUT_QUIET ERROR_QUIET)
execute_process(COMMAND "${CHMLS}" -n -p list "${WORK}/Quirevue.chm" OUTPUT_VARIABLE listing ERROR_QUIET)
if(NOT EXISTS "${WORK}/Quirevue.ali")
  message(FATAL_ERROR "the compiled help file has no context map")
endif()
file(STRINGS "${WORK}/Quirevue.ali" compiled)
string(REPLACE "\n" ";" names "${listing}")

set(compiledIds "")
foreach(line IN LISTS compiled)
  if(line MATCHES "^helpid([0-9]+)=(.*)$")
    set(compiled_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
    list(APPEND compiledIds ${CMAKE_MATCH_1})
  endif()
endforeach()

set(errors "")
set(expectedIds "")
file(STRINGS "${ALIASES}" aliases REGEX "^IDH_[0-9]+=")
foreach(line IN LISTS aliases)
  string(REGEX MATCH "^IDH_([0-9]+)=(.+)$" matched "${line}")
  set(id "${CMAKE_MATCH_1}")
  set(topic "${CMAKE_MATCH_2}")
  list(APPEND expectedIds ${id})
  if(NOT DEFINED compiled_${id})
    string(APPEND errors "context ${id} is missing from the compiled map\n")
    continue()
  endif()
  # The viewer looks the target up inside the file: it must be the topic's
  # own name there, not a path of the machine that compiled it.
  string(REGEX REPLACE "^/" "" target "${compiled_${id}}")
  if(NOT target STREQUAL topic)
    string(APPEND errors "context ${id} names \"${compiled_${id}}\", not ${topic}\n")
  endif()
  if(NOT "/${target}" IN_LIST names)
    string(APPEND errors "context ${id} names \"${target}\", which the file does not hold\n")
  endif()
endforeach()
foreach(id IN LISTS compiledIds)
  if(NOT id IN_LIST expectedIds)
    string(APPEND errors "context ${id} is in the compiled map but not in Quirevue.ali\n")
  endif()
endforeach()
list(LENGTH expectedIds count)
if(errors)
  message(FATAL_ERROR "${errors}")
endif()
message(STATUS "${count} contexts resolve to topics inside the help file")

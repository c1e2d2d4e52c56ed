# Compiles Quirevue.chm: cmake -DSOURCE=<help folder> -DSTAGE=<work folder>
#   -DOUTPUT=<chm> -DCHMCMD=... -DCHMLS=... -DICONV=... -DMEND=<chm-map-mend> -P MakeHelp.cmake
#
# The sources are UTF-8; the help viewer reads the contents, the index and
# the topics in the code page their META names, so the stage holds them in
# Shift-JIS (code page 932). The index is gathered from the topics' keywords,
# the context map from Quirevue.ali. chmcmd runs in the stage with names
# relative to it, and its context map is then mended (tools/chm-map-mend.cpp).
cmake_minimum_required(VERSION 3.20)

foreach(var SOURCE STAGE OUTPUT CHMCMD CHMLS ICONV MEND)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "MakeHelp.cmake: ${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}")

# Writes `text` (UTF-8) to `path` in code page 932; a character that code
# page lacks fails the build.
function(write_cp932 path text)
  file(WRITE "${path}.utf8" "${text}")
  execute_process(COMMAND "${ICONV}" -f UTF-8 -t CP932 "${path}.utf8" OUTPUT_FILE "${path}"
    RESULT_VARIABLE failed ERROR_VARIABLE why)
  file(REMOVE "${path}.utf8")
  if(failed)
    message(FATAL_ERROR "${path}: not representable in Shift-JIS: ${why}")
  endif()
endfunction()

function(html_escape out text)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "\"" "&quot;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Topics: staged in Shift-JIS; their titles and keywords make the index.
file(GLOB_RECURSE topics RELATIVE "${SOURCE}" "${SOURCE}/topics/*.htm")
list(SORT topics)
set(keywords "")
foreach(topic IN LISTS topics)
  file(READ "${SOURCE}/${topic}" html)
  get_filename_component(folder "${STAGE}/${topic}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  write_cp932("${STAGE}/${topic}" "${html}")
  if(NOT html MATCHES "<title>([^<]+)</title>")
    message(FATAL_ERROR "${topic}: no title")
  endif()
  set(title_${topic} "${CMAKE_MATCH_1}")
  if(NOT html MATCHES "charset=Shift_JIS")
    message(FATAL_ERROR "${topic}: its META must name charset=Shift_JIS")
  endif()
  if(html MATCHES "<meta name=\"keywords\" content=\"([^\"]*)\">")
    set(words "${CMAKE_MATCH_1}")  # separated by ';', a CMake list as it stands
    foreach(word IN LISTS words)
      string(STRIP "${word}" word)
      if(word STREQUAL "")
        continue()
      endif()
      string(MD5 key "${word}")
      if(NOT DEFINED word_${key})
        list(APPEND keywords "${word}")
        set(word_${key} "")
      endif()
      list(APPEND word_${key} "${topic}")
    endforeach()
  endif()
endforeach()

list(SORT keywords)
set(index "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n<HTML>\n<HEAD>\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\n</HEAD>\n<BODY>\n<UL>\n")
foreach(word IN LISTS keywords)
  string(MD5 key "${word}")
  html_escape(name "${word}")
  string(APPEND index "<LI> <OBJECT type=\"text/sitemap\">\n<param name=\"Name\" value=\"${name}\">\n")
  list(LENGTH word_${key} count)
  foreach(topic IN LISTS word_${key})
    if(count GREATER 1)
      html_escape(title "${title_${topic}}")
      string(APPEND index "<param name=\"Name\" value=\"${title}\">\n")
    endif()
    string(APPEND index "<param name=\"Local\" value=\"${topic}\">\n")
  endforeach()
  string(APPEND index "</OBJECT>\n")
endforeach()
string(APPEND index "</UL>\n</BODY>\n</HTML>\n")
write_cp932("${STAGE}/Quirevue.hhk" "${index}")

# The table of contents and the style sheet.
file(READ "${SOURCE}/Quirevue.hhc" contents)
write_cp932("${STAGE}/Quirevue.hhc" "${contents}")
file(COPY "${SOURCE}/help.css" DESTINATION "${STAGE}")

# The context map: IDH_<number>=<topic> in Quirevue.ali; its header is made
# from it, so that a number and its topic are written once.
file(STRINGS "${SOURCE}/Quirevue.ali" aliases REGEX "^IDH_[0-9]+=")
set(header "/* Made from Quirevue.ali by MakeHelp.cmake. */\n")
foreach(line IN LISTS aliases)
  string(REGEX MATCH "^IDH_([0-9]+)=(.+)$" matched "${line}")
  set(number "${CMAKE_MATCH_1}")
  set(target "${CMAKE_MATCH_2}")
  if(NOT target IN_LIST topics)
    message(FATAL_ERROR "Quirevue.ali: IDH_${number} names ${target}, which is no topic")
  endif()
  string(APPEND header "#define IDH_${number} ${number}\n")
endforeach()
file(WRITE "${STAGE}/HelpMap.h" "${header}")
file(COPY "${SOURCE}/Quirevue.ali" DESTINATION "${STAGE}")

# The project: the written options and windows, then every topic, and the map.
file(READ "${SOURCE}/Quirevue.hhp" project)
string(APPEND project "\n[FILES]\n")
foreach(topic IN LISTS topics)
  string(APPEND project "${topic}\n")
endforeach()
string(APPEND project "\n[ALIAS]\n#include Quirevue.ali\n\n[MAP]\n#include HelpMap.h\n")
write_cp932("${STAGE}/Quirevue.hhp" "${project}")

execute_process(COMMAND "${CHMCMD}" --no-html-scan Quirevue.hhp WORKING_DIRECTORY "${STAGE}"
  OUTPUT_VARIABLE log ERROR_VARIABLE log RESULT_VARIABLE failed)
if(failed OR NOT EXISTS "${STAGE}/Quirevue.chm" OR log MATCHES "[Ee]rror|corrupt")
  message(FATAL_ERROR "chmcmd failed:\n${log}")
endif()

execute_process(COMMAND "${CHMLS}" extract Quirevue.chm "/#STRINGS" strings.bin WORKING_DIRECTORY "${STAGE}"
  OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE failed)
if(failed OR NOT EXISTS "${STAGE}/strings.bin")
  message(FATAL_ERROR "chmls could not read the context map's strings back")
endif()
execute_process(COMMAND "${MEND}" Quirevue.chm strings.bin "${STAGE}" WORKING_DIRECTORY "${STAGE}"
  RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "the context map could not be mended")
endif()

file(COPY_FILE "${STAGE}/Quirevue.chm" "${OUTPUT}")

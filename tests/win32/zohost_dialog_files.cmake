# The files of the host's dialog automation test, in a folder of their own.
#   MODE=prepare: an empty FOLDER with a copy of the plug-in DLL.
#   MODE=check: FOLDER's profile file holds the screen pair MM/DPI, its settings file the
#   ground index GROUND (16 bits at offset 12).
if(MODE STREQUAL "prepare")
  file(REMOVE_RECURSE ${FOLDER})
  file(MAKE_DIRECTORY ${FOLDER})
  file(COPY ${DLL} DESTINATION ${FOLDER})
  return()
endif()

file(STRINGS ${FOLDER}/Zop2j.ini profile)
foreach(line "MM=${MM}" "DPI=${DPI}")
  list(FIND profile "${line}" found)
  if(found LESS 0)
    message(FATAL_ERROR "Zop2j.ini lacks ${line}: ${profile}")
  endif()
endforeach()
file(READ ${FOLDER}/${NAME}.dat ground OFFSET 12 LIMIT 2 HEX)
math(EXPR expected "${GROUND}" OUTPUT_FORMAT HEXADECIMAL)
string(SUBSTRING "${expected}" 2 -1 expected)
string(LENGTH "${expected}" length)
if(length LESS 2)
  set(expected "0${expected}")
endif()
if(NOT ground STREQUAL "${expected}00")
  message(FATAL_ERROR "${NAME}.dat holds ground bytes ${ground}, not ${expected}00")
endif()
message(STATUS "profile MM=${MM} DPI=${DPI}, settings ground ${GROUND}")

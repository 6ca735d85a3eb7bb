# The release archive (cmake -P): unpacked, it holds one folder
# Glintra-<version> with exactly the two built programs and the read-me, the
# read-me with Windows line ends and the version filled in.
#
#   cmake -DARCHIVE=... -DVERSION=... -DHOST=... -DRENDERER=... -DWORK=... -P release_archive_test.cmake
cmake_minimum_required(VERSION 3.20)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${ARCHIVE} WORKING_DIRECTORY ${WORK}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot unpack ${ARCHIVE}")
endif()

set(failures 0)
macro(fail text)
  message(SEND_ERROR "${text}")
  math(EXPR failures "${failures} + 1")
endmacro()

set(folder Glintra-${VERSION})
file(GLOB_RECURSE entries RELATIVE ${WORK} ${WORK}/*)
list(SORT entries)
set(expected ${folder}/Glintra.dll ${folder}/Glintra.scr ${folder}/README.txt)
if(NOT entries STREQUAL expected)
  fail("the archive holds \"${entries}\"; expected \"${expected}\"")
endif()
foreach(pair "Glintra.scr|${HOST}" "Glintra.dll|${RENDERER}")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 name)
  list(GET pair 1 built)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${folder}/${name} ${built}
                  RESULT_VARIABLE different)
  if(different)
    fail("${name} in the archive is not the built program ${built}")
  endif()
endforeach()

set(readme ${WORK}/${folder}/README.txt)
if(EXISTS ${readme})
  file(READ ${readme} text HEX)
  # Every line end CRLF: no LF without a CR before it.
  string(REGEX MATCHALL "0a" lfs "${text}")
  string(REGEX MATCHALL "0d0a" crlfs "${text}")
  list(LENGTH lfs lf_count)
  list(LENGTH crlfs crlf_count)
  if(lf_count EQUAL 0 OR NOT lf_count EQUAL crlf_count)
    fail("README.txt: ${crlf_count} of ${lf_count} line ends are CRLF")
  endif()
  file(READ ${readme} text)
  if(NOT text MATCHES "Glintra ${VERSION} " OR text MATCHES "@")
    fail("README.txt does not name version ${VERSION}, or holds an unfilled @placeholder@")
  endif()
endif()

file(REMOVE_RECURSE ${WORK})
if(failures GREATER 0)
  message(FATAL_ERROR "${failures} check(s) failed")
endif()
message(STATUS "${ARCHIVE}: ${expected}")

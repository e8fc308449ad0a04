# cmake -DCLI=quillon-cli -DVERSION=X.Y.Z -DDATADIR=/usr/share -DOUT=quillon-cli.1 -P man_page.cmake
#
# Writes the manual page of quillon-cli from the command's own help texts: the command list
# of `quillon-cli --help` and, for each command, its `quillon-cli COMMAND --help`. A new
# command appears in the page by itself; one whose --help fails stops the build.

foreach(var CLI VERSION DATADIR OUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "man_page.cmake needs -D${var}=...")
  endif()
endforeach()

# Text shown as typed: backslashes and minus signs kept, no line read as a request.
function(roff_literal text out)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND ${CLI} --help OUTPUT_VARIABLE usage RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${CLI} --help failed (${status})")
endif()
# The command list: "  NAME  SUMMARY" lines after "Commands:".
string(REGEX REPLACE "^.*\nCommands:\n" "" list "${usage}")
string(REPLACE "\n" ";" lines "${list}")
set(names "")
set(summary_section "")
set(detail_section "")
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^  ([a-z0-9][a-z0-9-]*) +(.+)$")
    continue()
  endif()
  set(name "${CMAKE_MATCH_1}")
  roff_literal("${CMAKE_MATCH_2}" summary)
  list(APPEND names ${name})
  execute_process(COMMAND ${CLI} ${name} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
  string(STRIP "${help}" help)
  if(NOT status EQUAL 0 OR help STREQUAL "")
    message(FATAL_ERROR "'${CLI} ${name} --help' must print the command's help and succeed (${status})")
  endif()
  roff_literal("${help}" help)
  string(REPLACE "-" "\\-" roff_name "${name}")
  string(APPEND summary_section ".TP\n.B ${roff_name}\n${summary}\n")
  string(APPEND detail_section ".SS ${roff_name}\n.nf\n${help}\n.fi\n")
endforeach()
if(NOT names)
  message(FATAL_ERROR "no commands found in the output of '${CLI} --help'")
endif()

string(REPLACE "-" "\\-" datadir "${DATADIR}")
file(WRITE ${OUT} ".TH QUILLON\\-CLI 1 \"\" \"Quillon ${VERSION}\" \"User Commands\"
.SH NAME
quillon\\-cli \\- functions of one complex variable and Quillon documents, without a window
.SH SYNOPSIS
.B quillon\\-cli
.I COMMAND
.RI [ OPTIONS ]
.RI [ ARGS ]
.br
.B quillon\\-cli
.I COMMAND
.B \\-\\-help
.SH DESCRIPTION
.B quillon\\-cli
shares the model and drawing code of the Quillon window and needs no X server.
It compiles and evaluates function texts, samples them over a grid, reads, writes and
draws documents (.zvt), and writes the bundled example documents.
.SH COMMANDS
${summary_section}.SH OPTIONS OF EACH COMMAND
The help text each command prints with
.BR \\-\\-help .
${detail_section}.SH EXIT STATUS
0 on success; a command that fails prints its reason on standard error and exits with a
status other than 0 (each command's help names its own).
.SH FILES
.TP
.I ${datadir}/quillon/examples/
the example documents.
.TP
.I ${datadir}/quillon/quillon\\-help.html
the function language and every function's formula.
.SH SEE ALSO
.BR quillon (1)
")

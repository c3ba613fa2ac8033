# Writes one manual page, gzipped: help2man reads the program's --help and
# --version, the include file adds what is written by hand (synopsis, exit
# status, files, examples, see also), and what help2man renders wrongly from
# the command list of --help is mended. Run as
#   cmake -DHELP2MAN=... -DGZIP=... -DPROGRAM=... -DNAME=... -DINCLUDE=... -DOUTPUT=x.1 -P ManPage.cmake
# and it writes x.1.gz.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          ${HELP2MAN} --no-info --section=1 --name=${NAME} --include=${INCLUDE} --output=${OUTPUT} ${PROGRAM}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "help2man failed on ${PROGRAM}: ${status}")
endif()
file(READ ${OUTPUT} page)

# A usage line too long for one line of --help goes on on the next line,
# indented further: help2man makes that a paragraph of its own.
string(REGEX REPLACE "\n\\.IP\n\\[" " [" page "${page}")

# In the command list, each command's usage line is the tag of its
# description, as options are.
string(FIND "${page}" ".SS \"Commands:\"\n" at)
if(at GREATER_EQUAL 0)
  string(SUBSTRING "${page}" 0 ${at} head)
  string(SUBSTRING "${page}" ${at} -1 rest)
  string(FIND "${rest}" "\n.PP\n" end)
  string(SUBSTRING "${rest}" 0 ${end} commands)
  string(SUBSTRING "${rest}" ${end} -1 tail)
  # A command with two usage lines (generate FILE DIR, generate --each) has
  # both as its tags.
  string(REGEX REPLACE "\n\\.IP\n([a-z][^\n]*)\n([a-z][^\n]*)\n\\.IP\n" "\n.TP\n.B \\1\n.TQ\n.B \\2\n"
         commands "${commands}")
  string(REGEX REPLACE "\n\\.IP\n([a-z][^\n]*)\n\\.IP\n" "\n.TP\n.B \\1\n" commands "${commands}")
  # A tag is bold as a whole; help2man's bold options inside it would end that.
  string(REGEX MATCHALL "\n\\.B [^\n]*" tags "${commands}")
  foreach(tag IN LISTS tags)
    string(REPLACE "\\fB" "" plain "${tag}")
    string(REPLACE "\\fR" "" plain "${plain}")
    string(REPLACE "${tag}" "${plain}" commands "${commands}")
  endforeach()
  # Within a description, a line that starts with an option starts that
  # option's own lines (generate's --check, --guard and --each).
  string(REGEX REPLACE "\n(\\\\fB\\\\-\\\\-)" "\n.br\n\\1" commands "${commands}")
  set(page "${head}${commands}${tail}")
endif()

# "Exit status:" of --help is a section of its own. help2man makes a table
# of the one-digit statuses only; "10 text" became a plain paragraph.
string(FIND "${page}" ".SS \"Exit status:\"\n" at)
if(at GREATER_EQUAL 0)
  string(SUBSTRING "${page}" 0 ${at} head)
  string(SUBSTRING "${page}" ${at} -1 statuses)
  # Up to the next section (the include file's), which is left alone.
  string(FIND "${statuses}" "\n.SH " end)
  set(tail "")
  if(end GREATER_EQUAL 0)
    string(SUBSTRING "${statuses}" ${end} -1 tail)
    string(SUBSTRING "${statuses}" 0 ${end} statuses)
  endif()
  string(REPLACE ".SS \"Exit status:\"\n" ".SH \"EXIT STATUS\"\n" statuses "${statuses}")
  string(REGEX REPLACE "\n\\.IP\n([0-9]+) +" "\n.TP\n\\1\n" statuses "${statuses}")
  # The rows after "10 text" (130, 143) went on in its paragraph.
  string(REGEX REPLACE "\n([0-9]+) +([^\n])" "\n.TP\n\\1\n\\2" statuses "${statuses}")
  set(page "${head}${statuses}${tail}")
endif()

file(WRITE ${OUTPUT} "${page}")
execute_process(COMMAND ${GZIP} -9nf ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip failed on ${OUTPUT}: ${status}")
endif()

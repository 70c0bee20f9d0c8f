# Writes a program's manual page: the hand-written page with an OPTIONS section made from the
# program's own --help, so that the two always name the same options with the same words.
# Run as: cmake -DPROGRAM=exe -DPAGE=source.1 -DOUT=page.1 -P man_page.cmake
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status
                ERROR_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --help failed (${status})")
endif()
file(READ ${PAGE} page)

# roff escapes: a backslash, a minus sign (a hyphen would be printed as a dash), and a control
# character that would begin a line.
function(roff_text text out)
    string(REPLACE "${semicolon}" ";" text "${text}")
    string(REPLACE "\\" "\\e" text "${text}")
    string(REPLACE "-" "\\-" text "${text}")
    set(${out} "\\&${text}" PARENT_SCOPE)
endfunction()

# The option lines of --help: "  --name VALUE   help", a long name and value on a line of their
# own with the help on the next line, indented.
# A ";" in the help would split CMake's list of lines: it travels as \x01 and comes back.
string(ASCII 1 semicolon)
string(REPLACE ";" "${semicolon}" help "${help}")
string(REPLACE "\n" ";" lines "${help}")
set(options "")
foreach(line IN LISTS lines)
    if(line MATCHES "^  (--[a-z0-9-]+)( [^ ]+)?( +(.*))?$")
        roff_text("${CMAKE_MATCH_1}" name)
        set(value "${CMAKE_MATCH_2}")
        set(words "${CMAKE_MATCH_4}")
        if(value)
            string(STRIP "${value}" value)
            roff_text("${value}" value)
            set(name "${name} \\fI${value}\\fR")
        endif()
        string(APPEND options ".TP\n.B ${name}\n")
        if(words)
            roff_text("${words}" words)
            string(APPEND options "${words}\n")
        endif()
    elseif(options AND line MATCHES "^                +([^ ].*)$")
        roff_text("${CMAKE_MATCH_1}" words)
        string(APPEND options "${words}\n")
    endif()
endforeach()
if(options STREQUAL "")
    message(FATAL_ERROR "${PROGRAM} --help lists no options")
endif()

# The options follow the description, before the page's next section.
string(FIND "${page}" ".SH DESCRIPTION" description)
if(description EQUAL -1)
    message(FATAL_ERROR "${PAGE} has no DESCRIPTION section")
endif()
string(SUBSTRING "${page}" ${description} -1 rest)
string(SUBSTRING "${rest}" 1 -1 rest)
string(FIND "${rest}" "\n.SH " next)
if(next EQUAL -1)
    string(APPEND page ".SH OPTIONS\n${options}")
else()
    math(EXPR at "${description} + 1 + ${next} + 1")
    string(SUBSTRING "${page}" 0 ${at} head)
    string(SUBSTRING "${page}" ${at} -1 tail)
    set(page "${head}.SH OPTIONS\n${options}${tail}")
endif()
file(WRITE ${OUT} "${page}")

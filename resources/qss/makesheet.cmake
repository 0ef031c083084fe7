# Writes one theme's style sheet from the rule template.
# cmake "-DTHEME=<row of themes.cmake>" -DTEMPLATE=<sheet.qss.in> -DOUT=<name.css> -P makesheet.cmake
foreach(var THEME TEMPLATE OUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "makesheet.cmake: ${var} is not set")
    endif()
endforeach()

string(REPLACE "|" ";" row "${THEME}")
list(LENGTH row count)
if(NOT count EQUAL 10)
    message(FATAL_ERROR "makesheet.cmake: a theme row has ten fields, got: ${THEME}")
endif()
set(keys TextColor PanelColor BorderColor NormalColorStart NormalColorEnd
    DarkColorStart DarkColorEnd HighColor)
set(vars TEXT PANEL BORDER NORMAL_START NORMAL_END DARK_START DARK_END HIGH FRAME)
list(GET row 0 NAME)
foreach(i RANGE 1 9)
    list(GET row ${i} colour)
    math(EXPR v "${i} - 1")
    list(GET vars ${v} var)
    if(NOT colour MATCHES "^#[0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f]$")
        message(FATAL_ERROR "makesheet.cmake: ${NAME}: ${var} is not #RRGGBB: ${colour}")
    endif()
    set(${var} "${colour}")
    # The same colour without its hash, for translucent "#AARRGGBB" variants.
    string(SUBSTRING "${colour}" 1 6 ${var}_HEX)
endforeach()
set(IMG ":/qss/${NAME}")

# Disabled widgets and menu items take the border colour as their text colour; light black
# uses it for their border instead, its border colour being too close to its panel to read.
if(NAME STREQUAL "lightblack")
    set(DISABLED "border-color:${BORDER};")
else()
    set(DISABLED "color:${BORDER};")
endif()

file(READ "${TEMPLATE}" body)
# Lines starting with "//" explain the template and stay out of the sheets.
string(REGEX REPLACE "(^|\n)//[^\n]*" "" body "${body}")
string(REGEX REPLACE "^\n+" "" body "${body}")
string(CONFIGURE "${body}" sheet @ONLY)

# The closing comments that the program reads the theme colours from.
set(i 0)
foreach(key IN LISTS keys)
    list(GET vars ${i} var)
    string(APPEND sheet "/*${key}:${${var}}*/")
    if(NOT key STREQUAL "HighColor")
        string(APPEND sheet "\n")
    endif()
    math(EXPR i "${i} + 1")
endforeach()
file(WRITE "${OUT}" "${sheet}")

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

# Colour arithmetic on "#RRGGBB" texts, for the few colours derived from the table.
function(colour_channels colour out)
    set(channels "")
    foreach(at 1 3 5)
        string(SUBSTRING "${colour}" ${at} 2 hex)
        math(EXPR value "0x${hex}")
        list(APPEND channels ${value})
    endforeach()
    set(${out} "${channels}" PARENT_SCOPE)
endfunction()

# Perceived brightness 0..255.
function(colour_brightness colour out)
    colour_channels("${colour}" c)
    list(GET c 0 r)
    list(GET c 1 g)
    list(GET c 2 b)
    math(EXPR y "(299 * ${r} + 587 * ${g} + 114 * ${b}) / 1000")
    set(${out} ${y} PARENT_SCOPE)
endfunction()

# `percent` of the way from colour `from` to colour `to`.
function(colour_mix from to percent out)
    colour_channels("${from}" a)
    colour_channels("${to}" b)
    set(result "#")
    foreach(i 0 1 2)
        list(GET a ${i} x)
        list(GET b ${i} y)
        math(EXPR v "${x} + (${y} - ${x}) * ${percent} / 100" OUTPUT_FORMAT HEXADECIMAL)
        string(SUBSTRING "${v}" 2 -1 v)
        string(LENGTH "${v}" n)
        if(n LESS 2)
            set(v "0${v}")
        endif()
        string(TOUPPER "${v}" v)
        string(APPEND result "${v}")
    endforeach()
    set(${out} "${result}" PARENT_SCOPE)
endfunction()

# On a dark panel the highlight fill is about as bright as a mid-tone text colour, so
# selected items take a lighter text there.
colour_brightness("${PANEL}" panel_brightness)
if(panel_brightness LESS 128)
    colour_mix("${TEXT}" "#FFFFFF" 50 SELECTED_TEXT)
else()
    set(SELECTED_TEXT "${TEXT}")
endif()

# Edges of input fields, frames and group boxes in the theme's own colour, unless that is
# lost against the panel (the border and frame colours of the dark themes are): then a
# line between panel and text.
colour_mix("${PANEL}" "${TEXT}" 35 fallback_edge)
foreach(edge BORDER FRAME)
    colour_brightness("${${edge}}" edge_brightness)
    math(EXPR contrast "${edge_brightness} - ${panel_brightness}")
    if(contrast GREATER -28 AND contrast LESS 28)
        set(${edge}_EDGE "${fallback_edge}")
    else()
        set(${edge}_EDGE "${${edge}}")
    endif()
endforeach()

# Disabled widgets and menu items take the border colour as their text colour; light
# black, whose border colour is close to its text colour, gives it as their border instead.
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

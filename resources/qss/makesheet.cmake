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

# "#RRGGBB" from three channel values 0..255.
function(colour_from_channels channels out)
    set(result "#")
    foreach(v IN LISTS channels)
        math(EXPR v "${v}" OUTPUT_FORMAT HEXADECIMAL)
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

# Combines two colours channel by channel: `formula` is a math expression over @x@ (a
# channel of `first`) and @y@ (the same channel of `second`).
function(colour_per_channel first second formula out)
    colour_channels("${first}" a)
    colour_channels("${second}" b)
    set(channels "")
    foreach(i 0 1 2)
        list(GET a ${i} x)
        list(GET b ${i} y)
        string(CONFIGURE "${formula}" expression @ONLY)
        math(EXPR v "${expression}")
        list(APPEND channels ${v})
    endforeach()
    colour_from_channels("${channels}" result)
    set(${out} "${result}" PARENT_SCOPE)
endfunction()

# `percent` of the way from colour `from` to colour `to`.
function(colour_mix from to percent out)
    colour_per_channel("${from}" "${to}" "@x@ + (@y@ - @x@) * ${percent} / 100" result)
    set(${out} "${result}" PARENT_SCOPE)
endfunction()

# Colour `top` at opacity `alpha` (0..255) painted over the opaque colour `below`.
function(colour_over top alpha below out)
    colour_per_channel("${top}" "${below}" "(@x@ * ${alpha} + @y@ * (255 - ${alpha}) + 127) / 255"
        result)
    set(${out} "${result}" PARENT_SCOPE)
endfunction()

# Linear light of each sRGB channel value, in millionths (CMake has no powers).
set(SRGB_LINEAR
    0 304 607 911 1214 1518 1821 2125 2428 2732 3035 3347 3677 4025 4391 4777
    5182 5605 6049 6512 6995 7499 8023 8568 9134 9721 10330 10960 11612 12286 12983 13702
    14444 15209 15996 16807 17642 18500 19382 20289 21219 22174 23153 24158 25187 26241 27321 28426
    29557 30713 31896 33105 34340 35601 36889 38204 39546 40915 42311 43735 45186 46665 48172 49707
    51269 52861 54480 56128 57805 59511 61246 63010 64803 66626 68478 70360 72272 74214 76185 78187
    80220 82283 84376 86500 88656 90842 93059 95307 97587 99899 102242 104616 107023 109462 111932 114435
    116971 119538 122139 124772 127438 130136 132868 135633 138432 141263 144128 147027 149960 152926 155926 158961
    162029 165132 168269 171441 174647 177888 181164 184475 187821 191202 194618 198069 201556 205079 208637 212231
    215861 219526 223228 226966 230740 234551 238398 242281 246201 250158 254152 258183 262251 266356 270498 274677
    278894 283149 287441 291771 296138 300544 304987 309469 313989 318547 323143 327778 332452 337164 341914 346704
    351533 356400 361307 366253 371238 376262 381326 386429 391572 396755 401978 407240 412543 417885 423268 428690
    434154 439657 445201 450786 456411 462077 467784 473531 479320 485150 491021 496933 502886 508881 514918 520996
    527115 533276 539479 545724 552011 558340 564712 571125 577580 584078 590619 597202 603827 610496 617207 623960
    630757 637597 644480 651406 658375 665387 672443 679542 686685 693872 701102 708376 715694 723055 730461 737910
    745404 752942 760525 768151 775822 783538 791298 799103 806952 814847 822786 830770 838799 846873 854993 863157
    871367 879622 887923 896269 904661 913099 921582 930111 938686 947307 955973 964686 973445 982251 991102 1000000)

# Relative luminance in millionths.
function(colour_luminance colour out)
    colour_channels("${colour}" c)
    set(weights 2126 7152 722)
    set(sum 0)
    foreach(i 0 1 2)
        list(GET c ${i} value)
        list(GET SRGB_LINEAR ${value} linear)
        list(GET weights ${i} weight)
        math(EXPR sum "${sum} + ${weight} * ${linear}")
    endforeach()
    math(EXPR sum "${sum} / 10000")
    set(${out} ${sum} PARENT_SCOPE)
endfunction()

# Contrast ratio of two colours in thousandths: 4500 is 4.5:1.
function(colour_contrast a b out)
    colour_luminance("${a}" la)
    colour_luminance("${b}" lb)
    if(la LESS lb)
        set(t ${la})
        set(la ${lb})
        set(lb ${t})
    endif()
    math(EXPR ratio "(${la} + 50000) * 1000 / (${lb} + 50000)")
    set(${out} ${ratio} PARENT_SCOPE)
endfunction()

# Whether the contrast of `colour` with every colour after `out` reaches `floor`.
function(colour_reaches colour floor out)
    foreach(backdrop IN LISTS ARGN)
        colour_contrast("${colour}" "${backdrop}" c)
        if(c LESS floor)
            set(${out} FALSE PARENT_SCOPE)
            return()
        endif()
    endforeach()
    set(${out} TRUE PARENT_SCOPE)
endfunction()

# The first colour on the way from `start` to `toward`, in steps of 5 %, whose contrast
# with every colour after `out` reaches `floor`; `toward` itself when none does.
function(colour_standing_out start toward floor out)
    foreach(step RANGE 0 100 5)
        colour_mix("${start}" "${toward}" ${step} candidate)
        colour_reaches("${candidate}" ${floor} ok ${ARGN})
        if(ok)
            set(${out} "${candidate}" PARENT_SCOPE)
            return()
        endif()
    endforeach()
    set(${out} "${toward}" PARENT_SCOPE)
endfunction()

# Derived text moves from the text colour toward white or black, away from the panel;
# fills under it move the other way.
colour_luminance("${TEXT}" text_light)
colour_luminance("${PANEL}" panel_light)
if(text_light LESS panel_light)
    set(TEXT_END "#000000")
    set(FILL_END "#FFFFFF")
else()
    set(TEXT_END "#FFFFFF")
    set(FILL_END "#000000")
endif()

# Text on a translucent fill of colour `fill`: each item after `out_fill` is "alpha|backdrop",
# the fill's opacity there and the opaque colour below it (alpha 0 for the backdrop alone).
# The text moves first, from `text_from` percent on; only where that is not enough does
# the fill move too, until the text reaches `floor` everywhere.
function(text_on_fill fill text_from floor out_text out_fill)
    foreach(fill_step RANGE 0 100 5)
        colour_mix("${fill}" "${FILL_END}" ${fill_step} shaded)
        set(below "")
        foreach(item IN LISTS ARGN)
            string(REPLACE "|" ";" item "${item}")
            list(GET item 0 alpha)
            list(GET item 1 backdrop)
            colour_over("${shaded}" ${alpha} "${backdrop}" under)
            list(APPEND below "${under}")
        endforeach()
        foreach(text_step RANGE ${text_from} 100 5)
            colour_mix("${TEXT}" "${TEXT_END}" ${text_step} text)
            colour_reaches("${text}" ${floor} ok ${below})
            if(ok)
                set(${out_text} "${text}" PARENT_SCOPE)
                set(${out_fill} "${shaded}" PARENT_SCOPE)
                return()
            endif()
        endforeach()
    endforeach()
    message(FATAL_ERROR "makesheet.cmake: ${NAME}: no readable text on ${fill}")
endfunction()

# The floors the derived colours are held to, with a little room for the rounding of
# translucent fills: 4.5:1 for text, 3:1 for the edges that outline fields and frames.
set(TEXT_FLOOR 4600)
set(EDGE_FLOOR 3010)

# Selected items: the text on the highlight at 40 % (0x66) over the panel, also over the
# tint of alternate rows. On dark panels it starts halfway to white, which most of them
# need anyway.
colour_over("${TEXT}" 15 "${PANEL}" alternate_row)
if(TEXT_END STREQUAL "#FFFFFF")
    set(selected_from 50)
else()
    set(selected_from 0)
endif()
text_on_fill("${HIGH}" ${selected_from} ${TEXT_FLOOR} SELECTED_TEXT SELECTION "102|${PANEL}" "102|${alternate_row}")
string(SUBSTRING "${SELECTION}" 1 6 SELECTION_HEX)

# Progress bars: one text colour across the groove and the chunk, a gradient from 40 %
# (0x66) to 65 % (0xA6) of its colour. The groove is opaque, so that a bar looks the same on
# the panel and on the border colour of the main window's pages: the panel tinted 10 %
# toward the text, or the other way where the text could not be read on that.
colour_over("${TEXT}" 26 "${PANEL}" GROOVE)
colour_contrast("${TEXT_END}" "${GROOVE}" best)
if(best LESS TEXT_FLOOR)
    colour_over("${FILL_END}" 26 "${PANEL}" GROOVE)
endif()
text_on_fill("${HIGH}" 0 ${TEXT_FLOOR} PROGRESS_TEXT CHUNK "0|${GROOVE}" "102|${GROOVE}" "166|${GROOVE}")
string(SUBSTRING "${CHUNK}" 1 6 CHUNK_HEX)

# Edges of input fields, frames and group boxes: the theme's own colour where it stands
# out, otherwise moved toward the text colour until it does, against the panel and against
# the border colour that the main window's pages sit on. Never past the text colour.
foreach(edge BORDER FRAME)
    colour_standing_out("${${edge}}" "${TEXT}" ${EDGE_FLOOR} ${edge}_EDGE "${PANEL}" "${BORDER}")
endforeach()

# Text of disabled tabs, halfway between text and panel.
colour_mix("${TEXT}" "${PANEL}" 50 DIM_TEXT)

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

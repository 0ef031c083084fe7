# The seventeen themes, in the order of the main window's style menu. One row per theme:
# sheet name|Text|Panel|Border|NormalStart|NormalEnd|DarkStart|DarkEnd|High|frame border
# The first eight colours are written back into each sheet's closing comments, where the
# program reads them; the ninth borders plain frames and group boxes.
set(KESTRANE_THEMES
    "silvery|#000000|#F5F5F5|#B2B6B9|#E1E4E6|#CCD3D9|#F2F3F4|#E7E9EB|#00BB9E|#a0a4a7"
    "blue|#324C6C|#CFDDEE|#7F9AB8|#C0D3EB|#BCCFE7|#D2E3F5|#CADDF3|#00BB9E|#728ba6"
    "lightblue|#386487|#EAF7FF|#C0DCF2|#DEF0FE|#C0DEF6|#F2F9FF|#DAEFFF|#00BB9E|#adc6da"
    "darkblue|#7AAFE3|#0E1A32|#132743|#133050|#133050|#033967|#033967|#00BB9E|#11233c"
    "gray|#000000|#F0F0F0|#A9A9A9|#E4E4E4|#A2A2A2|#DBDBDB|#C1C1C1|#00BB9E|#989898"
    "lightgray|#6F6F6F|#F0F0F0|#D4D0C8|#EEEEEE|#E5E5E5|#FCFCFC|#F7F7F7|#00BB9E|#bfbbb4"
    "darkgray|#5D5C6C|#EBECF0|#A9ACB5|#D8D9DE|#C8C8D0|#EFF0F4|#DDE0E7|#00BB9E|#989ba3"
    "black|#F0F0F0|#464646|#353535|#4D4D4D|#383838|#636363|#575757|#00BB9E|#303030"
    "lightblack|#E7ECF0|#616F76|#738393|#667481|#566373|#778899|#708090|#00BB9E|#687684"
    "darkblack|#D7E2E9|#1F2026|#111214|#242629|#141518|#007DC4|#0074BF|#00BB9E|#0f1012"
    "psblack|#DCDCDC|#444444|#242424|#484848|#383838|#646464|#525252|#00BB9E|#202020"
    "flatblack|#BEC0C2|#2E2F30|#67696B|#404244|#404244|#262829|#262829|#00BB9E|#5d5f60"
    "flatwhite|#57595B|#FFFFFF|#B6B6B6|#E4E4E4|#E4E4E4|#F6F6F6|#F6F6F6|#00BB9E|#a4a4a4"
    "flatblue|#386487|#EAF7FF|#C0DCF2|#DEF0FE|#DEF0FE|#C0DEF5|#C0DEF5|#00BB9E|#adc6da"
    "purple|#9290C6|#23253E|#1A1E30|#2D2E4D|#2D2E4D|#413E6A|#413E6A|#75548B|#171b2b"
    "blackblue|#4894C6|#1B3149|#0F1F2F|#243D5B|#243D5B|#265687|#265687|#00BB9E|#0e1c2a"
    "blackvideo|#FAF6F7|#44494F|#32363F|#40444D|#343841|#5DA2CB|#478CB6|#00FFFF|#2d3139"
)

# Indicator images drawn for every theme, into the folder named after its sheet.
set(KESTRANE_THEME_IMAGES
    add_bottom add_left add_right add_top branch_close branch_open
    calendar_nextmonth calendar_prevmonth
    checkbox_checked checkbox_checked_disable checkbox_parcial checkbox_parcial_disable
    checkbox_unchecked checkbox_unchecked_disable
    radiobutton_checked radiobutton_checked_disable radiobutton_unchecked
    radiobutton_unchecked_disable)

# Shared images: message and button icons, the tray icon, the record states.
set(KESTRANE_IMAGES msg_info msg_question msg_error btn_ok btn_close icon1 ok normal error)
foreach(n 1 2 3 4 5 6 7 8)
    list(APPEND KESTRANE_IMAGES ${n}_ok ${n}_normal)
endforeach()

#pragma once

#include <QString>

// Kit-wide appearance settings. The theme colours are read back from the style sheet
// at start and at every skin change ("#RRGGBB" texts).
extern QString g_textColor;
extern QString g_panelColor;
extern QString g_borderColor;
extern QString g_normalColorStart;
extern QString g_normalColorEnd;
extern QString g_darkColorStart;
extern QString g_darkColorEnd;
extern QString g_highColor;

extern QString g_fontName; // "Microsoft Yahei"
extern int g_fontSize;     // pixels

// FontAwesome glyph codes of the title bars.
extern int g_iconMain;
extern int g_iconMenu;
extern int g_iconMin;
extern int g_iconMax;
extern int g_iconNormal;
extern int g_iconClose;

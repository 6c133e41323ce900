// Menu commands that work without a dialog.
#pragma once

int bili_yangshi();     // scale style of the displayed part's drawing sheets
int tuceng_xianshi();   // layer visibility of the current sheet
int wrod_lujin();       // opens the displayed part's document
int yanse_touming();    // one-key transparency of picked bodies
int daochu_dwg();       // exports the displayed part's sheets to DWG files
int baijin_heibai();    // background black/white

// Resource ids of the program's pictures, shared by the resource script and
// the code. The pictures are made by pictures/make-pictures.sh.
#pragma once

// Icons of the palette's buttons, 16, 24 and 32 pixels square.
#define PICTURE_REGISTER 101
#define PICTURE_EXPLORER 102
#define PICTURE_LINK 103
#define PICTURE_DATE_TIME 104
#define PICTURE_EDIT 105
#define PICTURE_SELECT_ALL 106
#define PICTURE_PASTE_SELECTED 107
#define PICTURE_EDIT_SAVE 108
#define PICTURE_EDIT_CLOSE 109
#define PICTURE_COPY 110
#define PICTURE_CUT 111
#define PICTURE_PASTE 112
#define PICTURE_MAIN 113
#define PICTURE_FOLDER_OPEN 114
#define PICTURE_FOLDER_CHANGE 115
#define PICTURE_FOLDER_DEFAULT 116

// The about box's card, 210 x 280 in 24 bits.
#define PICTURE_ABOUT 201

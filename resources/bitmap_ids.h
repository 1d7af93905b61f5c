/* Integer identifiers of the editor's bitmaps. Plain macros: the Windows
   resource compiler reads this file as well as the C++ compiler. */
#pragma once

#define IDB_PANEL 101
#define IDB_TARGET_MARK 129
#define IDB_TARGET_MASK 130
#define IDB_POINT_MARK 142
#define IDB_MARK_MASK 143
#define IDB_KNOB_MARK_ACTIVE 144
#define IDB_KNOB_MARK_IDLE 145

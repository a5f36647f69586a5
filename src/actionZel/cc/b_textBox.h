// The behaviours b_textBox (code id 45), b_textBoxScrollPage (46) and
// b_textBoxAdvanceLine (47). The text box binds a string of the text pool,
// sizes its box in percent of the view and places it on a 240 x 320
// reference layout; a text taller than the box gets a scroll unit and 366
// (at the attach and again at the next update). Each script attach of the
// scroll unit with a positive step turns that many pages of v_textBox, and
// 367 tells that the rest now fits. The last unit only carries data.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_textBox_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_textBox_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_textBox_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_textBoxScrollPage_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_textBoxScrollPage_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_textBoxScrollPage_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_textBoxAdvanceLine_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_textBoxAdvanceLine_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_textBoxAdvanceLine_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Words 1 and 2: the box's size in percent of the view.
AZ_UNIT_GETTER(b_textBox, 45, WidthPercent, 1)
AZ_UNIT_GETTER(b_textBox, 45, HeightPercent, 2)
// Words 3 and 4: the box centre's offset from the view centre and its top,
// in pixels of the view (of the reference view until the attach).
AZ_UNIT_GETTER(b_textBox, 45, X, 3)
AZ_UNIT_SETTER(b_textBox, 45, X, 3)
AZ_UNIT_GETTER(b_textBox, 45, Y, 4)
AZ_UNIT_SETTER(b_textBox, 45, Y, 4)
// Word 5: the string id of the text pool.
AZ_UNIT_GETTER(b_textBox, 45, StringId, 5)
AZ_UNIT_SETTER(b_textBox, 45, StringId, 5)

// Word 0: the status, set by the text box that takes the unit.
AZ_UNIT_SETTER(b_textBoxScrollPage, 46, Status, 0)
// Word 1: the pages turned by each attach.
AZ_UNIT_GETTER(b_textBoxScrollPage, 46, PageStep, 1)
AZ_UNIT_SETTER(b_textBoxScrollPage, 46, PageStep, 1)
// Word 2: written 0, read by no code.
AZ_UNIT_SETTER(b_textBoxScrollPage, 46, Param2, 2)
// Word 3: the page shown; -1 from an overflow until the text box's next update.
AZ_UNIT_GETTER(b_textBoxScrollPage, 46, Page, 3)
AZ_UNIT_SETTER(b_textBoxScrollPage, 46, Page, 3)

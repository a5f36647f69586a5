// The visual v_inGameTextBox (code id 93): the in-game text box drawn from
// the words of the character's b_inGameTextBox: backdrop, portrait, box,
// panel, the page of text and the continue marker (words: page, archetype,
// character, the marker's and the portrait's pool ids).
#pragma once

#include "src/actionZel/AZ_Unit.h"

void v_inGameTextBox_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_inGameTextBox_render(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_inGameTextBox_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: the page shown, from 0.
AZ_UNIT_GETTER(v_inGameTextBox, 93, Page, 1)
AZ_UNIT_SETTER(v_inGameTextBox, 93, Page, 1)
// Word 4: the SZ_Pool id of the continue marker.
AZ_UNIT_GETTER(v_inGameTextBox, 93, MarkerSprite, 4)
// Word 5: the SZ_Pool id of the portrait sprite.
AZ_UNIT_GETTER(v_inGameTextBox, 93, PortraitSprite, 5)

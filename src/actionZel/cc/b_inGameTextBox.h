// The behaviours b_inGameTextBox (code id 76) and b_moveToNextPage (77) of
// the dialogue box, a character of type 81 that f_spawnInGameTextBox makes
// and v_inGameTextBox draws. Each update opens the box towards its height
// at the speed (pixels per second), runs the continue marker and slides
// the portrait in from its side of the view; once the last page has been
// acknowledged the portrait slides out and the end event goes to the
// characters of word 18's type on every update after. Each attach of
// b_moveToNextPage turns a page of the open box, or on the last page starts
// the closing.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_inGameTextBox_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_inGameTextBox_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_inGameTextBox_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_moveToNextPage_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_moveToNextPage_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_moveToNextPage_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: the margin, in pixels.
AZ_UNIT_GETTER(b_inGameTextBox, 76, Margin, 1)
// Word 2: the speed of the opening and of the slide, pixels per second.
AZ_UNIT_GETTER(b_inGameTextBox, 76, Speed, 2)
// Word 3: ms counted while the box is lower than its height.
AZ_UNIT_GETTER(b_inGameTextBox, 76, OpenTime, 3)
AZ_UNIT_SETTER(b_inGameTextBox, 76, OpenTime, 3)
// Word 4: the string id of the text (bound in the adapter's text pool).
AZ_UNIT_GETTER(b_inGameTextBox, 76, StringId, 4)
AZ_UNIT_SETTER(b_inGameTextBox, 76, StringId, 4)
// Word 5: the box's current height; word 19 the open box's, in pixels.
AZ_UNIT_GETTER(b_inGameTextBox, 76, Height, 5)
AZ_UNIT_SETTER(b_inGameTextBox, 76, Height, 5)
AZ_UNIT_GETTER(b_inGameTextBox, 76, TargetHeight, 19)
AZ_UNIT_SETTER(b_inGameTextBox, 76, TargetHeight, 19)
// Word 6: the continue marker's animation.
AZ_UNIT_GETTER(b_inGameTextBox, 76, MarkerAnimation, 6)
// Word 8: the portrait's side (1 left).
AZ_UNIT_GETTER(b_inGameTextBox, 76, Side, 8)
AZ_UNIT_SETTER(b_inGameTextBox, 76, Side, 8)
// Word 9: 1 draws a striped backdrop over the view; word 20: 1 blacks the
// view out behind the box.
AZ_UNIT_GETTER(b_inGameTextBox, 76, Backdrop, 9)
AZ_UNIT_SETTER(b_inGameTextBox, 76, Backdrop, 9)
AZ_UNIT_GETTER(b_inGameTextBox, 76, Blackout, 20)
AZ_UNIT_SETTER(b_inGameTextBox, 76, Blackout, 20)
// Word 10: ms since the portrait began to slide in or out.
AZ_UNIT_GETTER(b_inGameTextBox, 76, SlideTime, 10)
AZ_UNIT_SETTER(b_inGameTextBox, 76, SlideTime, 10)
// Word 11: 1 once the last page has been dismissed.
AZ_UNIT_GETTER(b_inGameTextBox, 76, Closing, 11)
AZ_UNIT_SETTER(b_inGameTextBox, 76, Closing, 11)
// Word 12: the portrait's screen x.
AZ_UNIT_GETTER(b_inGameTextBox, 76, PortraitX, 12)
AZ_UNIT_SETTER(b_inGameTextBox, 76, PortraitX, 12)
// Word 13: the number formatted into the text (-1 none).
AZ_UNIT_GETTER(b_inGameTextBox, 76, Number, 13)
AZ_UNIT_SETTER(b_inGameTextBox, 76, Number, 13)
// Words 14 and 15: the text area's height and width, in pixels.
AZ_UNIT_GETTER(b_inGameTextBox, 76, TextHeight, 14)
AZ_UNIT_SETTER(b_inGameTextBox, 76, TextHeight, 14)
AZ_UNIT_GETTER(b_inGameTextBox, 76, TextWidth, 15)
AZ_UNIT_SETTER(b_inGameTextBox, 76, TextWidth, 15)
// Word 16: the auto-advance time in ms a page; above 0 the pages turn by
// time, else by key.
AZ_UNIT_GETTER(b_inGameTextBox, 76, AutoAdvanceTime, 16)
AZ_UNIT_SETTER(b_inGameTextBox, 76, AutoAdvanceTime, 16)
// Word 17: the end event (-1 stands for 367); word 18: the character type
// that receives it.
AZ_UNIT_GETTER(b_inGameTextBox, 76, EndEvent, 17)
AZ_UNIT_SETTER(b_inGameTextBox, 76, EndEvent, 17)
AZ_UNIT_GETTER(b_inGameTextBox, 76, EndEventTargetType, 18)
AZ_UNIT_SETTER(b_inGameTextBox, 76, EndEventTargetType, 18)

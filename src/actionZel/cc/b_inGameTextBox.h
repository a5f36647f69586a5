// The behaviour b_inGameTextBox (code id 76): the words of the in-game text
// box that its instruction fills and its visual draws from.
#pragma once

#include "src/actionZel/AZ_Unit.h"

// Word 1: the margin, in pixels.
AZ_UNIT_GETTER(b_inGameTextBox, 76, Margin, 1)
// Word 4: the string id of the text (bound in the adapter's text pool).
AZ_UNIT_GETTER(b_inGameTextBox, 76, StringId, 4)
AZ_UNIT_SETTER(b_inGameTextBox, 76, StringId, 4)
// Word 5: the box's current height; word 19 the open box's, in pixels.
AZ_UNIT_GETTER(b_inGameTextBox, 76, Height, 5)
AZ_UNIT_GETTER(b_inGameTextBox, 76, TargetHeight, 19)
// Word 6: the continue marker's animation.
AZ_UNIT_GETTER(b_inGameTextBox, 76, MarkerAnimation, 6)
// Word 8: the portrait's side (1 left).
AZ_UNIT_SETTER(b_inGameTextBox, 76, Side, 8)
// Word 9: 1 draws a striped backdrop over the view; word 20: 1 blacks the
// view out behind the box.
AZ_UNIT_GETTER(b_inGameTextBox, 76, Backdrop, 9)
AZ_UNIT_SETTER(b_inGameTextBox, 76, Backdrop, 9)
AZ_UNIT_GETTER(b_inGameTextBox, 76, Blackout, 20)
AZ_UNIT_SETTER(b_inGameTextBox, 76, Blackout, 20)
// Word 11: 1 once the last page has been dismissed.
AZ_UNIT_GETTER(b_inGameTextBox, 76, Closing, 11)
// Word 12: the portrait's screen x.
AZ_UNIT_GETTER(b_inGameTextBox, 76, PortraitX, 12)
AZ_UNIT_SETTER(b_inGameTextBox, 76, PortraitX, 12)
// Word 13: the number formatted into the text (-1 none).
AZ_UNIT_GETTER(b_inGameTextBox, 76, Number, 13)
AZ_UNIT_SETTER(b_inGameTextBox, 76, Number, 13)
// Words 14 and 15: the text area's height and width, in pixels.
AZ_UNIT_SETTER(b_inGameTextBox, 76, TextHeight, 14)
AZ_UNIT_SETTER(b_inGameTextBox, 76, TextWidth, 15)
// Word 16: the page time in ms; above 0 the pages turn by time, else by key.
AZ_UNIT_GETTER(b_inGameTextBox, 76, PageTime, 16)
AZ_UNIT_SETTER(b_inGameTextBox, 76, PageTime, 16)
// Word 17: the end event (-1 stands for 367); word 18: the character type
// that receives it.
AZ_UNIT_SETTER(b_inGameTextBox, 76, EndEvent, 17)
AZ_UNIT_SETTER(b_inGameTextBox, 76, EndEventType, 18)

// The behaviour b_textWidget (code id 63): the words the engine reads.
#pragma once

#include "src/actionZel/AZ_Unit.h"

// Word 1: the string id shown.
AZ_UNIT_GETTER(b_textWidget, 63, StringId, 1)

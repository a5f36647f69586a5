// The visual v_customCodeCallback (code id 78): the words the engine reads.
#pragma once

#include "src/actionZel/AZ_Unit.h"

// Word 1: the callback id handed to the render hooks.
AZ_UNIT_GETTER(v_customCodeCallback, 78, CallbackId, 1)

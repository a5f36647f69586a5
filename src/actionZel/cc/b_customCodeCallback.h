// The behaviour b_customCodeCallback (code id 0): the words the engine reads.
#pragma once

#include "src/actionZel/AZ_Unit.h"

// Word 1: the callback id handed to the update hooks.
AZ_UNIT_GETTER(b_customCodeCallback, 0, CallbackId, 1)

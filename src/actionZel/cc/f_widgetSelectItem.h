// The instruction f_widgetSelectItem (code id 131): moves the focus of the character's menu to the
// next item (forward 1) or the previous one, wrapping with wrap 1: 360 to the
// item left, 359 to the item focused.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_widgetSelectItem(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);

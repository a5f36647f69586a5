#include "src/actionZel/AZ_Hooks.h"

// This game does nothing at these points.
void AZ_OnPresenterCreated(AZ_Presenter*) {}
void AZ_OnPresenterRelease(AZ_Presenter*) {}

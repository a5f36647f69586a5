// Hooks through which the game watches a presenter's life.
#pragma once

class AZ_Presenter;

// End of AZ_Presenter_Singleton::createPresenter.
void AZ_OnPresenterCreated(AZ_Presenter* presenter);
// Start of AZ_Presenter::release.
void AZ_OnPresenterRelease(AZ_Presenter* presenter);

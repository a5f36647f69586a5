#include "src/actionZel/cc/AZ_Bands.h"

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Unit.h"

namespace {

constexpr char kSourcePath[] = "..\\..\\src\\actionZel\\cc\\AZ_Bands.cpp";

std::int32_t Band(const AZ_BandWords& w) { return AZ_GetUnitWord(w.codeId, w.codeSlot, w.word, kSourcePath, __LINE__); }

}  // namespace

void AZ_EnterBand(AZ_Presenter* presenter, const AZ_BandWords& words, std::int32_t band, std::int32_t event) {
    if (Band(words) == band) return;
    AZ_SetUnitWord(words.codeId, words.codeSlot, words.word, band, kSourcePath, __LINE__);
    AZ_Client::getInstance()->sendEvent(presenter->getId(), event);
}

void AZ_UpdateBand(AZ_Presenter* presenter, const AZ_BandWords& words, std::int64_t value, std::int64_t frontNear,
                   std::int64_t near, std::int64_t far, const AZ_BandEvents& events) {
    const std::int32_t band = Band(words);
    if (band != AZ_BAND_NEAR_FRONT && value >= 0 && value <= frontNear) {
        AZ_EnterBand(presenter, words, AZ_BAND_NEAR_FRONT, events.nearFront);
    } else if (band != AZ_BAND_FAR_FRONT && value > far) {
        AZ_EnterBand(presenter, words, AZ_BAND_FAR_FRONT, events.farFront);
    } else if (band != AZ_BAND_NEAR_BEHIND && value < 0 && value >= -near) {
        AZ_EnterBand(presenter, words, AZ_BAND_NEAR_BEHIND, events.nearBehind);
    } else if (band != AZ_BAND_FAR_BEHIND && value < -far) {
        AZ_EnterBand(presenter, words, AZ_BAND_FAR_BEHIND, events.farBehind);
    } else if (band == AZ_BAND_UNKNOWN) {
        AZ_SetUnitWord(words.codeId, words.codeSlot, words.word, AZ_BAND_BETWEEN, kSourcePath, __LINE__);
    }
}

// The one table of the engine's units, indexed by code id. A behaviour that
// is built replaces its placeholder line here with AZ_BEHAVIOR_UNIT
// (AZ_Unit.h) and includes its header above; nothing else changes.
#include <array>

#include "src/actionZel/AZ_Unit.h"
#include "src/actionZel/cc/b_actionBubble.h"
#include "src/actionZel/cc/b_addPower.h"
#include "src/actionZel/cc/b_aimTowardsTarget.h"
#include "src/actionZel/cc/b_angle.h"
#include "src/actionZel/cc/b_armor.h"
#include "src/actionZel/cc/b_bBoxCollidable.h"
#include "src/actionZel/cc/b_boundingBox.h"
#include "src/actionZel/cc/b_camera.h"
#include "src/actionZel/cc/b_changeLevelStringId.h"
#include "src/actionZel/cc/b_checkPower.h"
#include "src/actionZel/cc/b_child.h"
#include "src/actionZel/cc/b_circularProximity.h"
#include "src/actionZel/cc/b_clipToScreen.h"
#include "src/actionZel/cc/b_collisionGrapple.h"
#include "src/actionZel/cc/b_combo.h"
#include "src/actionZel/cc/b_counter.h"
#include "src/actionZel/cc/b_customCodeCallback.h"
#include "src/actionZel/cc/b_deliverDamage.h"
#include "src/actionZel/cc/b_directionalFacing.h"
#include "src/actionZel/cc/b_directionalProximity.h"
#include "src/actionZel/cc/b_drawable.h"
#include "src/actionZel/cc/b_edgeProximity.h"
#include "src/actionZel/cc/b_eyes.h"
#include "src/actionZel/cc/b_fireGrapple.h"
#include "src/actionZel/cc/b_grappleProximity.h"
#include "src/actionZel/cc/b_gravity.h"
#include "src/actionZel/cc/b_health.h"
#include "src/actionZel/cc/b_healthBar.h"
#include "src/actionZel/cc/b_hotspotImpact.h"
#include "src/actionZel/cc/b_hudBackgroundAnimatable.h"
#include "src/actionZel/cc/b_hudOverlayAnimatable.h"
#include "src/actionZel/cc/b_ignore.h"
#include "src/actionZel/cc/b_increaseHealth.h"
#include "src/actionZel/cc/b_inGameTextBox.h"
#include "src/actionZel/cc/b_keyHeld.h"
#include "src/actionZel/cc/b_limitToMap.h"
#include "src/actionZel/cc/b_loader.h"
#include "src/actionZel/cc/b_loadProgressBar.h"
#include "src/actionZel/cc/b_lookAt.h"
#include "src/actionZel/cc/b_motion.h"
#include "src/actionZel/cc/b_multipleProximity.h"
#include "src/actionZel/cc/b_playSound.h"
#include "src/actionZel/cc/b_power.h"
#include "src/actionZel/cc/b_rectangularProximity.h"
#include "src/actionZel/cc/b_regenerateHealthOverTime.h"
#include "src/actionZel/cc/b_regeneratePowerOverTime.h"
#include "src/actionZel/cc/b_relativeDirection.h"
#include "src/actionZel/cc/b_relativeToCharacter.h"
#include "src/actionZel/cc/b_rotation.h"
#include "src/actionZel/cc/b_strength.h"
#include "src/actionZel/cc/b_swingOnGrapple.h"
#include "src/actionZel/cc/b_switch.h"
#include "src/actionZel/cc/b_switchController.h"
#include "src/actionZel/cc/b_szAnimatable.h"
#include "src/actionZel/cc/b_szCollidable.h"
#include "src/actionZel/cc/b_szGrabbable.h"
#include "src/actionZel/cc/b_szHealthPowerId.h"
#include "src/actionZel/cc/b_szRotatable.h"
#include "src/actionZel/cc/b_szTiledAnimatable.h"
#include "src/actionZel/cc/b_szWorldCollidable.h"
#include "src/actionZel/cc/b_textBox.h"
#include "src/actionZel/cc/b_textWidget.h"
#include "src/actionZel/cc/b_tileCollidable.h"
#include "src/actionZel/cc/b_timer.h"
#include "src/actionZel/cc/b_trackCharacter.h"
#include "src/actionZel/cc/b_vehicle.h"
#include "src/actionZel/cc/b_vibrate.h"
#include "src/actionZel/cc/b_widgetSelectable.h"
#include "src/actionZel/cc/f_activateSelected.h"
#include "src/actionZel/cc/f_broadcastDistanceThreshold.h"
#include "src/actionZel/cc/f_broadcastEvent.h"
#include "src/actionZel/cc/f_broadcastEventToChild.h"
#include "src/actionZel/cc/f_broadcastEventToParent.h"
#include "src/actionZel/cc/f_changeCharacterType.h"
#include "src/actionZel/cc/f_changeDirection.h"
#include "src/actionZel/cc/f_changeEightStatesWithProbabilities.h"
#include "src/actionZel/cc/f_changeFourStatesWithProbabilities.h"
#include "src/actionZel/cc/f_changeState.h"
#include "src/actionZel/cc/f_changeStateWithProbability.h"
#include "src/actionZel/cc/f_checkComboMeter.h"
#include "src/actionZel/cc/f_customCodeInstruction.h"
#include "src/actionZel/cc/f_detachAllBehaviors.h"
#include "src/actionZel/cc/f_detachAllVisuals.h"
#include "src/actionZel/cc/f_detachBehavior.h"
#include "src/actionZel/cc/f_detachVisual.h"
#include "src/actionZel/cc/f_disableSounds.h"
#include "src/actionZel/cc/f_disableVibration.h"
#include "src/actionZel/cc/f_enableSounds.h"
#include "src/actionZel/cc/f_enableVibration.h"
#include "src/actionZel/cc/f_exitInterrupt.h"
#include "src/actionZel/cc/f_freezeCharacter.h"
#include "src/actionZel/cc/f_generateEvent.h"
#include "src/actionZel/cc/f_loadArchetypeCharacter.h"
#include "src/actionZel/cc/f_loadLevel.h"
#include "src/actionZel/cc/f_loadNextLevel.h"
#include "src/actionZel/cc/f_loadSelectedLevel.h"
#include "src/actionZel/cc/f_loadSzArchetypeCharacter.h"
#include "src/actionZel/cc/f_maskBehParam.h"
#include "src/actionZel/cc/f_maskEvent.h"
#include "src/actionZel/cc/f_maskVisParam.h"
#include "src/actionZel/cc/f_overrideState.h"
#include "src/actionZel/cc/f_pauseBehavior.h"
#include "src/actionZel/cc/f_pauseCharacter.h"
#include "src/actionZel/cc/f_pauseVisual.h"
#include "src/actionZel/cc/f_popState.h"
#include "src/actionZel/cc/f_postRenderInterrupt.h"
#include "src/actionZel/cc/f_postUpdateInterrupt.h"
#include "src/actionZel/cc/f_preRenderInterrupt.h"
#include "src/actionZel/cc/f_preUpdateInterrupt.h"
#include "src/actionZel/cc/f_pushState.h"
#include "src/actionZel/cc/f_resetSaveData.h"
#include "src/actionZel/cc/f_resumeBehavior.h"
#include "src/actionZel/cc/f_resumeCharacter.h"
#include "src/actionZel/cc/f_resumeVisual.h"
#include "src/actionZel/cc/f_retryCurrentLevel.h"
#include "src/actionZel/cc/f_setActiveLayer.h"
#include "src/actionZel/cc/f_setDirection.h"
#include "src/actionZel/cc/f_setInGame.h"
#include "src/actionZel/cc/f_setLayerScrollSpeed.h"
#include "src/actionZel/cc/f_setPosition.h"
#include "src/actionZel/cc/f_setPositionRelative.h"
#include "src/actionZel/cc/f_setUserControlCharacter.h"
#include "src/actionZel/cc/f_spawnCharacter.h"
#include "src/actionZel/cc/f_spawnCharacterRelative.h"
#include "src/actionZel/cc/f_spawnInGameTextBox.h"
#include "src/actionZel/cc/f_stopSounds.h"
#include "src/actionZel/cc/f_stopVibration.h"
#include "src/actionZel/cc/f_testHacks.h"
#include "src/actionZel/cc/f_unfreezeCharacter.h"
#include "src/actionZel/cc/f_unloadCurrentLevel.h"
#include "src/actionZel/cc/f_unmaskBehParam.h"
#include "src/actionZel/cc/f_unmaskEvent.h"
#include "src/actionZel/cc/f_unmaskVisParam.h"
#include "src/actionZel/cc/f_unOverrideState.h"
#include "src/actionZel/cc/f_unspawnCharacter.h"
#include "src/actionZel/cc/f_widgetSelectItem.h"
#include "src/actionZel/cc/v_bar.h"
#include "src/actionZel/cc/v_blend.h"
#include "src/actionZel/cc/v_color.h"
#include "src/actionZel/cc/v_combo.h"
#include "src/actionZel/cc/v_customCodeCallback.h"
#include "src/actionZel/cc/v_hud.h"
#include "src/actionZel/cc/v_hudBackground.h"
#include "src/actionZel/cc/v_hudBar.h"
#include "src/actionZel/cc/v_hudOverlay.h"
#include "src/actionZel/cc/v_inGameTextBox.h"
#include "src/actionZel/cc/v_line.h"
#include "src/actionZel/cc/v_rect.h"
#include "src/actionZel/cc/v_sz.h"
#include "src/actionZel/cc/v_szSkyBox.h"
#include "src/actionZel/cc/v_szTiledSprite.h"
#include "src/actionZel/cc/v_textBox.h"

namespace {

constexpr char kSourcePath[] = "..\\..\\src\\actionZel\\cc\\AZ_UnitTable.cpp";

// Placeholders of the behaviours not built yet: they validate their arguments
// and do nothing else. The attach mode still loads their parameters.
template <std::int32_t Id>
void CheckSlot(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(Id, presenter, codeSlot, kSourcePath, __LINE__);
}

template <std::int32_t Id>
void CheckUpdate(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(Id, presenter, codeSlot, kSourcePath, __LINE__);
}

#define AZ_UNBUILT_BEHAVIOR(id, unit) \
    AZ_Unit { #unit, id, CheckSlot<id>, CheckUpdate<id>, nullptr, CheckSlot<id>, nullptr, 0, true }

constexpr std::array<AZ_Unit, AZ_NUM_CODE_IDS> kUnits = {
    AZ_BEHAVIOR_UNIT(0, b_customCodeCallback),
    AZ_BEHAVIOR_UNIT(1, b_limitToMap),
    AZ_BEHAVIOR_UNIT(2, b_child),
    AZ_BEHAVIOR_UNIT(3, b_angle),
    AZ_BEHAVIOR_UNIT(4, b_camera),
    AZ_BEHAVIOR_UNIT(5, b_motion),
    AZ_BEHAVIOR_UNIT(6, b_bBoxCollidable),
    AZ_BEHAVIOR_UNIT(7, b_tileCollidable),
    AZ_BEHAVIOR_UNIT(8, b_gravity),
    AZ_BEHAVIOR_UNIT(9, b_szWorldCollidable),
    AZ_BEHAVIOR_UNIT(10, b_szCollidable),
    AZ_BEHAVIOR_UNIT(11, b_rotation),
    AZ_BEHAVIOR_UNIT(12, b_szAnimatable),
    AZ_BEHAVIOR_UNIT(13, b_szRotatable),
    AZ_BEHAVIOR_UNIT(14, b_eyes),
    AZ_BEHAVIOR_UNIT(15, b_aimTowardsTarget),
    AZ_BEHAVIOR_UNIT(16, b_lookAt),
    AZ_BEHAVIOR_UNIT(17, b_timer),
    AZ_BEHAVIOR_UNIT(18, b_directionalProximity),
    AZ_BEHAVIOR_UNIT(19, b_keyHeld),
    AZ_BEHAVIOR_UNIT(20, b_health),
    AZ_BEHAVIOR_UNIT(21, b_armor),
    AZ_BEHAVIOR_UNIT(22, b_strength),
    AZ_BEHAVIOR_UNIT(23, b_regenerateHealthOverTime),
    AZ_BEHAVIOR_UNIT(24, b_deliverDamage),
    AZ_BEHAVIOR_UNIT(25, b_increaseHealth),
    AZ_BEHAVIOR_UNIT(26, b_healthBar),
    AZ_BEHAVIOR_UNIT(27, b_boundingBox),
    AZ_BEHAVIOR_UNIT(28, b_hudBackgroundAnimatable),
    AZ_BEHAVIOR_UNIT(29, b_hotspotImpact),
    AZ_BEHAVIOR_UNIT(30, b_directionalFacing),
    AZ_BEHAVIOR_UNIT(31, b_szGrabbable),
    AZ_BEHAVIOR_UNIT(32, b_ignore),
    AZ_BEHAVIOR_UNIT(33, b_rectangularProximity),
    AZ_BEHAVIOR_UNIT(34, b_circularProximity),
    AZ_BEHAVIOR_UNIT(35, b_grappleProximity),
    AZ_BEHAVIOR_UNIT(36, b_fireGrapple),
    AZ_BEHAVIOR_UNIT(37, b_swingOnGrapple),
    AZ_BEHAVIOR_UNIT(38, b_vehicle),
    AZ_BEHAVIOR_UNIT(39, b_hudOverlayAnimatable),
    AZ_BEHAVIOR_UNIT(40, b_drawable),
    AZ_BEHAVIOR_UNIT(41, b_actionBubble),
    AZ_BEHAVIOR_UNIT(42, b_relativeDirection),
    AZ_BEHAVIOR_UNIT(43, b_switchController),
    AZ_BEHAVIOR_UNIT(44, b_switch),
    AZ_BEHAVIOR_UNIT(45, b_textBox),
    AZ_BEHAVIOR_UNIT(46, b_textBoxScrollPage),
    AZ_BEHAVIOR_UNIT(47, b_textBoxAdvanceLine),
    AZ_BEHAVIOR_UNIT(48, b_edgeProximity),
    AZ_BEHAVIOR_UNIT(49, b_clipToScreen),
    AZ_BEHAVIOR_UNIT(50, b_multipleProximity),
    AZ_BEHAVIOR_UNIT(51, b_trackCharacter),
    AZ_BEHAVIOR_UNIT(52, b_relativeToCharacter),
    AZ_BEHAVIOR_UNIT(53, b_collisionGrapple),
    AZ_BEHAVIOR_UNIT(54, b_szTiledAnimatable),
    AZ_BEHAVIOR_UNIT(55, b_power),
    AZ_BEHAVIOR_UNIT(56, b_szHealthPowerId),
    AZ_BEHAVIOR_UNIT(57, b_addPower),
    AZ_BEHAVIOR_UNIT(58, b_checkPower),
    AZ_BEHAVIOR_UNIT(59, b_regeneratePowerOverTime),
    AZ_BEHAVIOR_UNIT(60, b_loader),
    AZ_BEHAVIOR_UNIT(61, b_loadProgressBar),
    AZ_BEHAVIOR_UNIT(62, b_changeLevelStringId),
    AZ_BEHAVIOR_UNIT(63, b_textWidget),
    AZ_BEHAVIOR_UNIT(64, b_widgetContainer),
    AZ_BEHAVIOR_UNIT(65, b_widgetSelectable),
    AZ_BEHAVIOR_UNIT(66, b_widgetScroll),
    AZ_BEHAVIOR_UNIT(67, b_moveTo),
    AZ_BEHAVIOR_UNIT(68, b_playSound),
    AZ_BEHAVIOR_UNIT(69, b_vibrate),
    AZ_BEHAVIOR_UNIT(70, b_widgetCursor),
    AZ_BEHAVIOR_UNIT(71, b_previousFocus),
    AZ_BEHAVIOR_UNIT(72, b_counter),
    AZ_BEHAVIOR_UNIT(73, b_comboBarAnimationIds),
    AZ_BEHAVIOR_UNIT(74, b_combo),
    AZ_BEHAVIOR_UNIT(75, b_addCombo),
    AZ_BEHAVIOR_UNIT(76, b_inGameTextBox),
    AZ_BEHAVIOR_UNIT(77, b_moveToNextPage),
    AZ_VISUAL_UNIT(78, v_customCodeCallback),
    AZ_VISUAL_UNIT(79, v_line),
    AZ_VISUAL_UNIT(80, v_textBox),
    AZ_VISUAL_UNIT(81, v_hudOverlay),
    AZ_VISUAL_UNIT(82, v_hud),
    AZ_VISUAL_UNIT(83, v_bar),
    AZ_VISUAL_UNIT(84, v_hudBackground),
    AZ_VISUAL_UNIT(85, v_hudBar),
    AZ_VISUAL_UNIT(86, v_sz),
    AZ_VISUAL_UNIT(87, v_szSkyBox),
    AZ_VISUAL_UNIT(88, v_color),
    AZ_VISUAL_UNIT(89, v_szTiledSprite),
    AZ_VISUAL_UNIT(90, v_blend),
    AZ_VISUAL_UNIT(91, v_rect),
    AZ_VISUAL_UNIT(92, v_combo),
    AZ_VISUAL_UNIT(93, v_inGameTextBox),
    AZ_INSTRUCTION_UNIT(94, f_customCodeInstruction, 1),
    AZ_INSTRUCTION_UNIT(95, f_changeState, 1),
    AZ_INSTRUCTION_UNIT(96, f_pushState, 1),
    AZ_INSTRUCTION_UNIT(97, f_popState, 1),
    AZ_INSTRUCTION_UNIT(98, f_broadcastDistanceThreshold, 4),
    AZ_INSTRUCTION_UNIT(99, f_broadcastEvent, 2),
    AZ_INSTRUCTION_UNIT(100, f_changeDirection, 0),
    AZ_INSTRUCTION_UNIT(101, f_changeStateWithProbability, 3),
    AZ_INSTRUCTION_UNIT(102, f_changeFourStatesWithProbabilities, 7),
    AZ_INSTRUCTION_UNIT(103, f_changeEightStatesWithProbabilities, 15),
    AZ_INSTRUCTION_UNIT(104, f_detachBehavior, 1),
    AZ_INSTRUCTION_UNIT(105, f_detachVisual, 1),
    AZ_INSTRUCTION_UNIT(106, f_detachAllBehaviors, 0),
    AZ_INSTRUCTION_UNIT(107, f_detachAllVisuals, 0),
    AZ_INSTRUCTION_UNIT(108, f_generateEvent, 1),
    AZ_INSTRUCTION_UNIT(109, f_loadLevel, 7),
    AZ_INSTRUCTION_UNIT(110, f_overrideState, 2),
    AZ_INSTRUCTION_UNIT(111, f_pauseBehavior, 1),
    AZ_INSTRUCTION_UNIT(112, f_pauseVisual, 1),
    AZ_INSTRUCTION_UNIT(113, f_resumeBehavior, 1),
    AZ_INSTRUCTION_UNIT(114, f_resumeVisual, 1),
    AZ_INSTRUCTION_UNIT(115, f_setActiveLayer, 1),
    AZ_INSTRUCTION_UNIT(116, f_setDirection, 1),
    AZ_INSTRUCTION_UNIT(117, f_setLayerScrollSpeed, 3),
    AZ_INSTRUCTION_UNIT(118, f_setUserControlCharacter, 3),
    AZ_INSTRUCTION_UNIT(119, f_spawnCharacter, 4),
    AZ_INSTRUCTION_UNIT(120, f_spawnCharacterRelative, 9),
    AZ_INSTRUCTION_UNIT(121, f_unOverrideState, 1),
    AZ_INSTRUCTION_UNIT(122, f_unspawnCharacter, 0),
    AZ_INSTRUCTION_UNIT(123, f_unloadCurrentLevel, 0),
    AZ_INSTRUCTION_UNIT(124, f_setPosition, 2),
    AZ_INSTRUCTION_UNIT(125, f_loadNextLevel, 0),
    AZ_INSTRUCTION_UNIT(126, f_broadcastEventToChild, 2),
    AZ_INSTRUCTION_UNIT(127, f_broadcastEventToParent, 1),
    AZ_INSTRUCTION_UNIT(128, f_pauseCharacter, 3),
    AZ_INSTRUCTION_UNIT(129, f_resumeCharacter, 3),
    AZ_INSTRUCTION_UNIT(130, f_setPositionRelative, 3),
    AZ_INSTRUCTION_UNIT(131, f_widgetSelectItem, 2),
    AZ_INSTRUCTION_UNIT(132, f_loadSelectedLevel, 0),
    AZ_INSTRUCTION_UNIT(133, f_exitInterrupt, 1),
    AZ_INSTRUCTION_UNIT(134, f_preUpdateInterrupt, 1),
    AZ_INSTRUCTION_UNIT(135, f_postUpdateInterrupt, 1),
    AZ_INSTRUCTION_UNIT(136, f_preRenderInterrupt, 1),
    AZ_INSTRUCTION_UNIT(137, f_postRenderInterrupt, 1),
    AZ_INSTRUCTION_UNIT(138, f_retryCurrentLevel, 0),
    AZ_INSTRUCTION_UNIT(139, f_loadSzArchetypeCharacter, 2),
    AZ_INSTRUCTION_UNIT(140, f_maskBehParam, 4),
    AZ_INSTRUCTION_UNIT(141, f_unmaskBehParam, 2),
    AZ_INSTRUCTION_UNIT(142, f_maskVisParam, 4),
    AZ_INSTRUCTION_UNIT(143, f_unmaskVisParam, 2),
    AZ_INSTRUCTION_UNIT(144, f_enableSounds, 0),
    AZ_INSTRUCTION_UNIT(145, f_disableSounds, 0),
    AZ_INSTRUCTION_UNIT(146, f_enableVibration, 0),
    AZ_INSTRUCTION_UNIT(147, f_disableVibration, 0),
    AZ_INSTRUCTION_UNIT(148, f_stopSounds, 0),
    AZ_INSTRUCTION_UNIT(149, f_stopVibration, 0),
    AZ_INSTRUCTION_UNIT(150, f_resetSaveData, 0),
    AZ_INSTRUCTION_UNIT(151, f_freezeCharacter, 1),
    AZ_INSTRUCTION_UNIT(152, f_unfreezeCharacter, 1),
    AZ_INSTRUCTION_UNIT(153, f_maskEvent, 2),
    AZ_INSTRUCTION_UNIT(154, f_unmaskEvent, 1),
    AZ_INSTRUCTION_UNIT(155, f_activateSelected, 0),
    AZ_INSTRUCTION_UNIT(156, f_loadArchetypeCharacter, 2),
    AZ_INSTRUCTION_UNIT(157, f_setInGame, 1),
    AZ_INSTRUCTION_UNIT(158, f_changeCharacterType, 1),
    AZ_INSTRUCTION_UNIT(159, f_checkComboMeter, 0),
    AZ_INSTRUCTION_UNIT(160, f_spawnInGameTextBox, 10),
    AZ_INSTRUCTION_UNIT(161, f_testHacks, 0),
};

// Each entry sits at its own code id.
constexpr bool IsInIdOrder(const std::array<AZ_Unit, AZ_NUM_CODE_IDS>& units) {
    for (std::int32_t id = 0; id < AZ_NUM_CODE_IDS; ++id) {
        if (units[static_cast<std::size_t>(id)].codeId != id) return false;
    }
    return true;
}
static_assert(IsInIdOrder(kUnits));

}  // namespace

namespace az_detail {
constinit std::array<AZ_Unit, AZ_NUM_CODE_IDS> g_units = kUnits;
}

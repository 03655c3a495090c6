#include "applet/profiles/profile_controls.h"

ProfileControls ProfileControlStates(const ProfileView& view) {
    const bool shown = view.shown;
    ProfileControls controls;
    controls.letter = shown;
    controls.secondSlot = shown && view.multiCardSystem;
    controls.secondLetter = controls.secondSlot && view.secondSlot;
    // The default profile is neither deleted nor given an alias.
    controls.camera = shown && !view.isDefault;
    controls.mapping = shown;
    controls.policy = shown && view.autoMap;
    controls.format = shown;
    return controls;
}

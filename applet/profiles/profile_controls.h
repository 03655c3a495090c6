#pragma once
// Which of the Profiles page's editing controls are enabled, from what the
// page shows. Each control is enabled together with its label or frame.

struct ProfileView {
    bool shown = false;            // a profile is in the controls
    bool isDefault = false;        // ... and it is the default profile
    bool multiCardSystem = false;  // the system maps second card slots
    bool secondSlot = false;       // the second-slot check box is checked
    bool autoMap = false;          // the auto-map check box is checked
};

struct ProfileControls {
    bool letter = false;        // preferred letter and its label
    bool secondSlot = false;    // second-slot check box
    bool secondLetter = false;  // second slot's letter
    bool camera = false;        // alias with its label, Delete
    bool mapping = false;       // auto-map check box and its frame
    bool policy = false;        // the unavailable-letter radio group and its label
    bool format = false;        // format group, builder button, example and its label
};

ProfileControls ProfileControlStates(const ProfileView& view);

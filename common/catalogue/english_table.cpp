#include "common/catalogue/english_table.h"

#include <array>

namespace {

struct Entry {
    std::int32_t id;
    const char16_t* text;
};

// Printf conversions in these texts are the arguments of the formatting
// operations; "&" marks a control's mnemonic.
constexpr Entry kPlainTexts[] = {
    {1, u"OK"},
    {2, u"Cancel"},
    {3, u"Cl&ose"},
    {4, u"&Apply"},
    {5, u"&Exit"},
    {6, u"&Map"},
    {7, u"&Disconnect"},
    {8, u"&Refresh"},
    {9, u"&Settings..."},
    {10, u"&Browse..."},
    {11, u"B&uild..."},
    {12, u"Settings"},
    {13, u"About"},
    {14, u"Drive"},
    {15, u"drive"},
    {16, u"Camera"},
    {17, u"camera"},
    {18, u"Log"},
    {19, u"All"},
    {20, u"Hide"},
    {21, u"build"},
    {22, u"Success"},
    {23, u"Error"},
    {24, u"Warning"},
    {25, u"Value"},
    {26, u"Property"},
    {27, u"this"},
    {28, u"Name"},
    {29, u"Other"},
    {30, u"Date"},
    {31, u"Time"},
    {32, u"Long"},
    {33, u"Short"},
    {34, u"Metadata"},
    {35, u"Year"},
    {36, u"Month"},
    {37, u"Day"},
    {38, u"Hour"},
    {39, u"Minute"},
    {40, u"Second"},
    {42, u"original"},
    {43, u"Range"},
    {44, u"Counter"},
    {45, u"Clear"},
    {46, u"Camera Name"},
    {47, u"Image Width"},
    {48, u"Image Height"},
    {49, u"Text format"},
    {50, u"Unchanged"},
    {51, u"Lowercase"},
    {52, u"Uppercase"},
    {53, u"new"},
    {54, u"File"},
    {55, u"register"},
    {56, u"deregister"},
    {57, u"set"},
    {58, u"unset"},
    {59, u"disabled"},
    {60, u"enabled"},
    {61, u"Language"},
    {62, u"Diagnostics"},
    {63, u"Size"},
    {64, u"Example"},
    {65, u"example"},
    {66, u"Location"},
    {67, u"current"},
    {68, u"pending"},
    {70, u"Already"},
    {71, u"already"},
    {72, u"Directory separator"},
    {73, u"Question"},
    {74, u"The camera does not contain any pictures."},
    {75, u"Do you want to map it as the drive letter anyway?"},
    {76, u"Open"},
    {80, u"Communicating with the camera..."},
    {81, u"Retrieving list of files from the camera..."},
    {82, u"Wait until the drive %c: gets mapped..."},
    {83, u"Waiting until the %s becomes available..."},
    {84, u"Disconnecting drive %c: ..."},
    {85, u"Map %s camera to a drive letter"},
    {86, u"Disconnect %s drive"},
    {87, u"and cancel its drive letter mapping."},
    {88, u"Map as %s drive..."},
    {89, u"Changing names according to specified format..."},
    {90, u"Battery level of the camera '%s' is only %d%%"},
    {91, u"Do you want to continue?"},
    {92, u"Register 'Camera Connected' event"},
    {93, u"Registering the %s as a 'Camera Connected' event handler in Windows failed."},
    {94, u"Range selector"},
    {95, u"Digits selector"},
    {100, u"This version does not support Windows %s."},
    {101, u"Unable to %s the dll"},
    {102, u"Unable to %s the drive icon."},
    {103, u"Administrator privileges needed."},
    {104, u"%s is not available."},
    {105, u"%s is not compatible with %s"},
    {106, u"The drive %c: is already in use."},
    {107, u"Cannot assign a drive letter"},
    {108, u"This camera is already mapped as drive %c: using %s."},
    {109, u"%s mapped as %c:"},
    {110, u"Camera is busy."},
    {111, u"Driver error"},
    {112, u"Bad drive letter"},
    {113, u"Error while retrieving a file from the camera."},
    {114, u"Error occurred while launching %s."},
    {115, u"Error during initialization."},
    {116, u"The battery in the camera may be dead."},
    {127, u"Homepage"},
    {140, u"%s Cache Files"},
    {141,
     u"Temporary files created while transferring pictures from your cameras to the computer."},
    {142, u"Select new %s cache directory location"},
    {143, u"will be added automatically"},
    {144, u"Cache size must be between %d and %d."},
    {150, u"&Check for a new version"},
    {151, u"Error occurred while checking if a new version is available."},
    {152, u"Your version"},
    {153, u"Latest version"},
    {154, u"There is a new version of the %s available."},
    {155, u"Would you like to visit the %s website now?"},
    {156, u"You already have the latest version of the %s installed."},
    {160, u"File name format"},
    {161, u"Change for this i&nstance..."},
    {162, u"Original name"},
    {163, u"Invalid format"},
    {164, u"Number of digits to use"},
    {165, u"Select characters to use"},
    {166, u"Original directory"},
    {167, u"Default file name format"},
    {170, u"&Open location of the %s data files"},
    {171, u"&Enable logging"},
    {172, u"&Dump %s..."},
    {173, u"Cache settings"},
    {174, u"Third parties"},
    {175, u"Save %s data..."},
    {176, u"Check battery level before mapping camera to a drive letter"},
    {180, u"Profiles"},
    {181, u"Camera profiles"},
    {182, u"Preferred drive letter:"},
    {183, u"Map automatically"},
    {184, u"If preferred drive letter is not available:"},
    {185, u"Ask"},
    {186, u"Use first available letter"},
    {187, u"Use last available letter"},
    {188, u"Delete &Profile..."},
    {189, u"Do you want to delete this profile?"},
    {190, u"Name"},
    {191, u"Alias"},
    {192, u"Serial number"},
    {193, u"default profile"},
    {194, u"Profile"},
    {195, u"Second Card slot:"},
    {196, u"The drive letter %c: is reserved for camera's second card slot."},
    {197, u"both card slots set to use %c:"},
};

constexpr Entry kCompositeTemplates[] = {
    {-1, u"[016] '%s' %s"},
    {-5, u"[032]:"},
    {-6, u"[033]:"},
    {-7, u"[162] ([043])..."},
    {-8, u"AM/PM ([031])"},
    {-9, u"[049]:"},
    {-10, u"[064] ([042]):"},
    {-11, u"[064] ([053]):"},
    {-12, u"[035] ([032])"},
    {-13, u"[036] ([032])"},
    {-14, u"[037] ([032])"},
    {-15, u"[035] ([033])"},
    {-16, u"[036] ([033])"},
    {-17, u"[037] ([033])"},
    {-18, u"[038] ([032])"},
    {-19, u"[039] ([032])"},
    {-20, u"[040] ([032])"},
    {-21, u"[038] ([033])"},
    {-22, u"[039] ([033])"},
    {-23, u"[040] ([033])"},
    {-24, u"[044]..."},
    {-25, u"[164]:"},
    {-26, u"[165]:"},
    {-27, u"[110] [083]"},
    {-28, u"[090]\n\n[091]"},
    {-29, u"[113]\n\n%s\n[054]:\n%s"},
    {-31, u"[086] [087]"},
    {-32, u"[162]"},
    {-33,
     u"Unable to get list of files from the camera, error 0x%08X.\n\nTry the mapping again later, "
     u"or restart the \"Windows Image Acquisition (WIA)\" service, or reboot your "
     u"workstation.\n\nIf the problem persists contact the 'camera vendor' or 'camera driver "
     u"provider' for further assistance."},
    {-34, u"[074]\n\n[075]"},
    {-35, u"[076]\n\n[077]"},
    {-36, u"[113] [116]"},
    {-37, u"[191]:"},
    {-38, u"<[193]>"},
    {-39, u"[194]:"},
    {-40,
     u"Unable to get list of files from the camera, error 0x%08X.\n\nThe Windows may be caching "
     u"some camera data even though the camera is not connected to your workstation anymore, "
     u"causing this error.\n\nIf the camera is not connected to your workstation then re-connect "
     u"it and try the mapping again.\n\nIf the camera is still connected then try the mapping "
     u"again later, or turn-off and turn-on your camera, or restart the \"Windows Image "
     u"Acquisition (WIA)\" service, or restart this Camfolio instance, to see if it helps."},
    {-41, u"The camera went offline, cannot get list of files."},
};

constexpr auto kPlainById = [] {
    std::array<const char16_t*, kLastPlainId + 1> byId{};
    for (const Entry& entry : kPlainTexts) {
        byId[static_cast<std::size_t>(entry.id)] = entry.text;
    }
    return byId;
}();

constexpr auto kCompositeById = [] {
    std::array<const char16_t*, kCompositeIdCount + 1> byId{};
    for (const Entry& entry : kCompositeTemplates) {
        byId[static_cast<std::size_t>(-entry.id)] = entry.text;
    }
    return byId;
}();

}  // namespace

const char16_t* EnglishText(std::int32_t id) {
    return IsPlainId(id) ? kPlainById[static_cast<std::size_t>(id)] : nullptr;
}

const char16_t* CompositeTemplate(std::int32_t id) {
    return IsCompositeId(id) ? kCompositeById[static_cast<std::size_t>(-id)] : nullptr;
}

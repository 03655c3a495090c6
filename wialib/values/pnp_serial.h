#pragma once
// The serial number a USB camera carries in its Plug and Play id.
#include <string>
#include <string_view>

// From "\\?\usb#vid_XXXX&pid_XXXX#SERIAL#{...}" the SERIAL part, at most 259
// units; "" for any other form and for an instance id that Windows made up
// (it contains "&").
std::u16string SerialFromPnpId(std::u16string_view pnpId);

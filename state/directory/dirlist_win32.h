#pragma once
// A portable device's folders as the shell lists them, for the WIA dump.
#include <string>
#include <vector>

// Per folder a display name ("\Card\DCIM"), a parsing path and, for the
// storages, a size text. On systems older than Vista nothing is listed and
// the answer is true.
bool GetDirlistFromNSE(const char16_t* deviceId, std::vector<std::u16string>* names,
                       std::vector<std::u16string>* paths, std::vector<std::u16string>* sizes);

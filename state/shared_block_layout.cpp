#include "state/shared_block_layout.h"

namespace shared_block {

void ResetCacheFolder(CacheFolderEntry& entry) {
    entry = CacheFolderEntry{};
    entry.magic = kCacheFolderMagic;
    entry.driveIndex = kNotConnected;
}

bool IsDeviceFolderName(const char16_t* name) {
    if (name == nullptr) {
        return false;
    }
    for (int i = 0; i < 4; ++i) {
        if (name[i] < u'0' || name[i] > u'9') {
            return false;
        }
    }
    const char16_t letter = name[4];
    return ((letter >= u'a' && letter <= u'z') || (letter >= u'A' && letter <= u'Z')) &&
           name[5] == u'\0';
}

}  // namespace shared_block

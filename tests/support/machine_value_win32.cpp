#include "tests/support/machine_value_win32.h"

#include <windows.h>

#include "config/reg_key_win32.h"

MachineValue::MachineValue(const char16_t* key, const char16_t* name) : key_(key), name_(name) {
    const RegKey opened = RegKey::OpenForRead(HKEY_LOCAL_MACHINE, key_);
    if (opened.IsOpen()) {
        saved_ = opened.ReadString(name_, 1024);
    }
}

MachineValue::~MachineValue() {
    const RegKey key = RegKey::CreateForWrite(HKEY_LOCAL_MACHINE, key_);
    if (saved_) {
        key.WriteString(name_, saved_->c_str());
    } else {
        key.DeleteValue(name_);
    }
}

bool MachineValue::Set(const char16_t* value) const {
    const RegKey key = RegKey::CreateForWrite(HKEY_LOCAL_MACHINE, key_);
    return value != nullptr ? key.WriteString(name_, value) : key.DeleteValue(name_);
}

#pragma once
// Paths of the installed files (names in config/mapper_contract.h).
#include <cstddef>

// The installation folder + "\" + fileName; when that file does not exist,
// the folder of the running module (applet or builder) + fileName. With
// quote, a path holding a blank is enclosed in double quotation marks. False
// (and an empty buffer) when there is no installation folder or the path
// does not fit.
bool BuildModulePath(char16_t* buffer, std::size_t capacity, const char16_t* fileName, bool quote);

// The folder of the module that contains this code, without trailing "\".
bool GetOwnModuleFolder(char16_t* buffer, std::size_t capacity);

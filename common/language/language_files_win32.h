#pragma once
// The language files on offer for the Settings page's list: the usable
// "*.lng" files of the data folder (common application data, "\Camfolio").
#include <string>
#include <vector>

// Appends the display name ("LangNative (LangEnglish)", each name cut to 49
// units) and the full path of every file in folder that matches "*.lng" and
// that the catalogue would accept, in the order the file system lists them.
// Folders are skipped; a folder that does not exist lists nothing.
void EnumLngFilesIn(const char16_t* folder, std::vector<std::u16string>& names,
                    std::vector<std::u16string>& paths);

// EnumLngFilesIn over the data folder (tag I66). Does nothing unless both
// lists are given; always returns 0.
int I18N_EnumLngFiles(std::vector<std::u16string>* names, std::vector<std::u16string>* paths);

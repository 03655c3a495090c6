#pragma once
// The process's string catalogue: the built-in English texts and, once a
// language file is loaded, its translation of the plain ids. It takes no
// locks: it is loaded, reloaded and read on the user-interface thread.
#include <cstdint>
#include <span>
#include <string>

// Loads the language file at path as the translation unless one is loaded
// already. A null path, or a file that is missing or refused, leaves the
// built-in English in use; the reasons go to the trace.
void I18N_InitFromFile(const char16_t* path);
// Makes the reader's lists the translation, replacing any. False, with the
// translation unchanged, when they differ in length or memory is short.
bool InstallCatalogue(std::span<const std::int32_t> ids, std::span<const std::u16string> texts);
// Frees the translation; pointers into it become invalid.
void I18N_DeInit();

// The translated text of a plain id; null when none is loaded for it.
const char16_t* _GetI18NString(std::int32_t id);

// The lookup under every accessor. A plain id gives the built-in English with
// useEnglish, else its translation (null when there is none). A composite id
// gives its expanded template, stored in *built, which the caller owns
// (useEnglish does not matter: the pieces are looked up as translated, else
// English); null when the expansion fails, or with rawFallback the raw
// template of a composite that holds no reference. Other ids give null.
const char16_t* _GetResource(std::int32_t id, int useEnglish, std::u16string* built,
                             int rawFallback);

// The text of a plain id as the accessors give it: looked up with useEnglish,
// then in English; null only for an id that has no English text.
const char16_t* CatalogueText(std::int32_t id, int useEnglish);

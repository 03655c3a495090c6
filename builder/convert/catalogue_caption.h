#pragma once
// The caption of a control from the catalogue, plain and composite ids alike.
#include <cstdint>
#include <string>

// The translation of a plain id, else its English text; a composite id gives
// its expansion from the pieces' texts. Empty for an id without a text.
std::u16string CatalogueCaption(std::int32_t id);

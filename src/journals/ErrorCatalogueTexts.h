#pragma once
// The texts of the error catalogue, by group and code.

#include <string_view>

#include "journals/ErrorCatalogue.h"

namespace journals {

// The catalogue text of the code, or "" when its group has no text for it.
std::string_view CatalogueText(ErrorGroup group, int code);

}  // namespace journals

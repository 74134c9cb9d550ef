#pragma once
// The texts of the error catalogue, by group and code.

#include <string_view>

#include "files/ErrorCatalogue.h"

namespace files {

// The catalogue text of the code, or "" when its group has no text for it.
std::string_view CatalogueText(ErrorGroup group, int code);

}  // namespace files

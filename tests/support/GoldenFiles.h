#pragma once
// The files the program must write byte for byte, assembled by hand from the
// layouts and kept in tests/files/golden.

#include <string>

namespace testing_support {

std::string Golden(const std::string& name);

}  // namespace testing_support

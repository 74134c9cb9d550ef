#pragma once
// Starting the whole program in a home folder of the test's own: the settings
// file is looked for under home/config alone, never in the system's folders.

#include "platform/Settings.h"
#include "support/TempDir.h"

namespace testing_support {

platform::Environment EnvironmentOf(const TempDir& home);

}  // namespace testing_support

// Where the build left the sample installation, for the tests that check it.
#pragma once

#include <string>

#include "gtest/gtest.h"

namespace quirovel::testing {

#ifdef QUIROVEL_KIT_DIR
inline std::string KitRoot() { return QUIROVEL_KIT_DIR; }
#else
inline std::string KitRoot() { return {}; }
#endif
// The installation directory "C:\QUIROVEL" of the kit.
inline std::string KitInstall() { return KitRoot() + "/QUIROVEL"; }

#define SKIP_WITHOUT_KIT()                    \
  if (::quirovel::testing::KitRoot().empty()) \
  GTEST_SKIP() << "built without the sample installation (sample_kit)"

}  // namespace quirovel::testing

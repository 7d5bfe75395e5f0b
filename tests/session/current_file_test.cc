// Choosing the current file when the configuration cannot be saved.
#include "session/current_file.h"

#include <gtest/gtest.h>

#include "support/check_fixture.h"

namespace quirovel::testing {
namespace {

TEST(ChooseDbfFileTest, AFileThatCannotBeStoredDoesNotBecomeCurrent) {
  CheckFixture f;
  Session& s = f.session();
  f.WriteTable({CleanEpisode()});
  const std::string current = s.config.CurrentPath();
  f.faulty().FailWritesFrom(1);  // "Quirovel.dat" on a disk that takes nothing
  EXPECT_FALSE(ChooseDbfFile(s, "C:\\Quirovel\\trabajo\\otro.dbf"));
  f.faulty().Heal();
  EXPECT_EQ(f.feedback().Texts().back(), "Error al grabar la configuracion");
  EXPECT_EQ(s.config.CurrentPath(), current);
}

}  // namespace
}  // namespace quirovel::testing

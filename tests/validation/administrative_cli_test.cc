// `quirovel check`: the errors one episode would get, printed in the order of
// the run, and no file written into the working directory.
#include <gtest/gtest.h>

#include <sstream>

#include "app/cli/command.h"
#include "support/check_fixture.h"

namespace quirovel::testing {
namespace {

int RunCheck(const CheckFixture& f, std::vector<std::string> args, std::string* out,
             std::string* err) {
  args.insert(args.begin(), {"--root", f.root().path()});
  std::ostringstream o, e;
  int code = RunCli(args, o, e);
  *out = o.str();
  *err = e.str();
  return code;
}

TEST(AdministrativeCliTest, PrintsTheEpisodesErrorsWithoutWritingFiles) {
  CheckFixture f;
  f.WriteTable(
      {CleanEpisode(),
       CleanEpisode().Set("SEXO", "9").Set("FECALT", "").Set("C2", "279.9").Set("TIPALT", "0")});
  const std::string table = f.WorkPath("episodios.dbf");
  std::string out, err;
  ASSERT_EQ(RunCheck(f, {"check", table, "--record", "2", "--test", "mensual"}, &out, &err), 0)
      << err;
  EXPECT_EQ(out,
            "E122 Fecha ingreso > alta  FECING=20050301  FECALT=\n"
            "E84  Fecha nacimiento > alta  FECNAC=19700315  FECALT=\n"
            "E92  Sexo no debe ser desconocido  SEXO=9\n"
            "E201 Fecha de alta vacía  FECALT=\n"
            "E211 Tipo de alta incorrecto  TIPALT=0\n"
            "E241 Diagnóstico secundario no es CIE-9-MC  C2=279.9  No CIE9MC'2002\n");
  EXPECT_FALSE(f.session().fs.Exists(f.WorkPath("fallos.dat")));
  EXPECT_FALSE(f.session().fs.Exists(f.WorkPath("errores.txt")));

  ASSERT_EQ(RunCheck(f, {"check", table, "--record", "1"}, &out, &err), 0) << err;
  EXPECT_EQ(out, "");

  // The CMA test of an inpatient episode.
  f.WriteTable({CleanEpisode().Set("SEXO", "9")});
  ASSERT_EQ(RunCheck(f, {"check", table, "--record", "1", "--test", "cma"}, &out, &err), 0) << err;
  EXPECT_EQ(out,
            "E12  Procedencia incorrecta (CMA)  PROCEDEN=1\n"
            "E92  Sexo no debe ser desconocido  SEXO=9\n"
            "E132 CMA tipo de ingreso incorrecto  TIPING=1\n"
            "E203 Estancia > 1 día. No puede ser CMA  FECALT=20050310  FECING=20050301\n"
            "E274 Falta fecha de intervención (CMA)  FEINTV=  TIPING=1\n"
            "E265 Falta procedimiento principal (CMA)  P1=\n");
}

TEST(AdministrativeCliTest, RefusesBadArguments) {
  CheckFixture f;
  f.WriteTable({CleanEpisode()});
  const std::string table = f.WorkPath("episodios.dbf");
  std::string out, err;
  EXPECT_EQ(RunCheck(f, {"check", table}, &out, &err), 2);
  EXPECT_EQ(RunCheck(f, {"check", table, "--record", "0"}, &out, &err), 2);
  EXPECT_EQ(RunCheck(f, {"check", table, "--record", "x1"}, &out, &err), 2);
  EXPECT_EQ(RunCheck(f, {"check", table, "--record", "1", "--test", "anual"}, &out, &err), 2);
  EXPECT_EQ(RunCheck(f, {"check", table, "--record", "2"}, &out, &err), 1);
  EXPECT_EQ(out, "");
}

}  // namespace
}  // namespace quirovel::testing

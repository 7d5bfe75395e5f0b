// Writes a CMBD-A table of generated discharge episodes of one year, with the
// codes and reference lists of an installation and a realistic share of
// mistakes. The same arguments always give the same file.
//   cmbd_generator OUT.dbf [--episodes N] [--seed S] [--year Y] [--kit INSTALL_DIR] [--summary]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "code_pools.h"
#include "episode_builder.h"
#include "faults.h"
#include "installation_lists.h"
#include "random.h"
#include "record_buffer.h"
#include "table_writer.h"

#ifndef QUIROVEL_KIT_INSTALL_DIR
#define QUIROVEL_KIT_INSTALL_DIR ""
#endif

using namespace quirovel::gen;

namespace {

struct Options {
  std::string out;
  long episodes = 6000;
  unsigned long long seed = 2006;
  int year = 2006;
  std::string kit = QUIROVEL_KIT_INSTALL_DIR;
  bool summary = false;
};

bool ParseNumber(const char* text, long long lo, long long hi, long long* value) {
  char* end = nullptr;
  long long v = std::strtoll(text, &end, 10);
  if (end == text || *end != '\0' || v < lo || v > hi) return false;
  *value = v;
  return true;
}

bool ParseOptions(int argc, char** argv, Options* o) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    long long v = 0;
    const bool has_value = i + 1 < argc;
    if (arg == "--summary") {
      o->summary = true;
    } else if (arg == "--episodes" && has_value && ParseNumber(argv[++i], 0, 100000000, &v)) {
      o->episodes = static_cast<long>(v);
    } else if (arg == "--seed" && has_value && ParseNumber(argv[++i], 0, 1LL << 62, &v)) {
      o->seed = static_cast<unsigned long long>(v);
    } else if (arg == "--year" && has_value && ParseNumber(argv[++i], 1990, 2100, &v)) {
      o->year = static_cast<int>(v);
    } else if (arg == "--kit" && has_value) {
      o->kit = argv[++i];
    } else if (o->out.empty() && !arg.empty() && arg[0] != '-') {
      o->out = arg;
    } else {
      return false;
    }
  }
  return !o->out.empty();
}

int Fail(const std::string& error) {
  std::fprintf(stderr, "cmbd_generator: %s\n", error.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ParseOptions(argc, argv, &o)) {
    std::fprintf(
        stderr,
        "usage: cmbd_generator OUT.dbf [--episodes N] [--seed S] [--year Y] [--kit INSTALL_DIR] "
        "[--summary]\n");
    return 2;
  }
  if (o.kit.empty()) return Fail("no installation to take the codes from: give --kit INSTALL_DIR");
  std::string error;
  CodePools pools;
  InstallationLists lists;
  if (!pools.Load(o.kit, &error) || !lists.Load(o.kit, &error)) return Fail(error);
  EpisodeBuilder builder(pools, lists, o.year, o.episodes);
  FaultInjector faults(builder);
  if (!builder.Prepare(&error) || !faults.Prepare(&error)) return Fail(error);

  TableWriter table;
  if (!table.Create(o.out, &error)) return Fail(error);
  Random rng(o.seed);
  Episode episode;
  RecordBuffer record;
  for (long i = 0; i < o.episodes; ++i) {
    builder.Build(i, rng, &episode);
    builder.Write(episode, &record);
    faults.Apply(episode, rng, &record);
    if (!table.Add(record.data(), &error)) return Fail(error);
    if (faults.Duplicate(rng) && !table.Add(record.data(), &error)) return Fail(error);
  }
  if (!table.Finish(&error)) return Fail(error);
  if (o.summary) {
    std::fprintf(stderr, "%s: %u records\n", o.out.c_str(), table.records());
    faults.PrintSummary(stderr, o.episodes);
  }
  return 0;
}

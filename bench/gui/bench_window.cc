// The window's responsiveness: the time from start to a shown window on the
// sample installation, and, while a detection run over 1,000,000 generated
// episodes works on the worker thread, the longest gap between two ticks of a
// 10 ms timer on the window's thread ("longest_gap_ms"; the window must never
// stall for 50 ms). Runs on the offscreen platform unless another is set.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>

#include "app/cli/command.h"
#include "app/gui/detection_page.h"
#include "app/gui/gui_feedback.h"
#include "app/gui/main_window.h"
#include "platform/file_system.h"
#include "session/session.h"
#include "session/startup.h"

namespace quirovel {
namespace {

std::string ProgramDirectory() {
  char path[4096];
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  const std::string exe(path, static_cast<std::size_t>(n));
  return exe.substr(0, exe.rfind('/'));
}

std::string Root(long episodes) {
  const char* tmp = std::getenv("TMPDIR");
  return std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/quirovel-bench-window-" +
         std::to_string(episodes);
}

// An installation whose current file holds `episodes` generated episodes,
// made on first use and kept.
bool Prepare(long episodes) {
  const std::string root = Root(episodes);
  const std::string table = root + "/QUIROVEL/trabajo/Ctprueba.dbf";
  FileSystem& fs = RealFileSystem();
  std::ostringstream out, err;
  if (!fs.Exists(root + "/QUIROVEL/Quirovel.dat") && RunCli({"--root", root, "init"}, out, err))
    return false;
  if (episodes == 0 || fs.Exists(root + "/generated")) return true;
  const std::string command = "'" + ProgramDirectory() + "/cmbd_generator' '" + table +
                              "' --episodes " + std::to_string(episodes) + " >/dev/null";
  return std::system(command.c_str()) == 0 && WriteWholeFile(fs, root + "/generated", "");
}

void BM_StartToShownWindow(benchmark::State& state) {
  if (!Prepare(0)) return state.SkipWithError("no sample installation");
  for (auto _ : state) {
    QElapsedTimer clock;
    clock.start();
    GuiFeedback feedback;
    Session session(RealFileSystem(), feedback, Root(0));
    LoadConfig(session);
    MainWindow window(session, feedback);
    window.show();
    while (!window.isVisible() || window.runner().busy()) QApplication::processEvents();
    QApplication::processEvents();
    state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
    window.close();
    CloseConfig(session);
  }
}
BENCHMARK(BM_StartToShownWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_TimerGapsDuringDetection(benchmark::State& state) {
  const long episodes = state.range(0);
  if (!Prepare(episodes)) return state.SkipWithError("no generated file");
  double longest = 0;
  long ticks = 0;
  for (auto _ : state) {
    GuiFeedback feedback;
    feedback.show_message = [](const QString&, const QString&) {};
    Session session(RealFileSystem(), feedback, Root(episodes));
    LoadConfig(session);
    MainWindow window(session, feedback);
    window.show();
    while (window.runner().busy()) QApplication::processEvents();
    QElapsedTimer since_tick;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [&] {
      if (window.runner().busy()) {
        longest = std::max(longest, static_cast<double>(since_tick.nsecsElapsed()) * 1e-6);
        ++ticks;
      }
      since_tick.restart();
    });
    window.detection_page()->test_button()->click();
    since_tick.start();
    timer.start(10);
    while (window.runner().busy()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    timer.stop();
    CloseConfig(session);
  }
  state.counters["longest_gap_ms"] = longest;
  state.counters["ticks"] = static_cast<double>(ticks);
}
BENCHMARK(BM_TimerGapsDuringDetection)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace quirovel

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

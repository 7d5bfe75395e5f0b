// The window's responsiveness: the time from start to a shown window on the
// sample installation, and, while a detection run over 1,000,000 generated
// episodes works on the worker thread, the longest gap between two ticks of a
// 10 ms timer on the window's thread ("longest_gap_ms"; the window must never
// stall for 50 ms). Printing "errores.txt" of that run to a PDF file from the
// "Listados" page: its time, the same gaps, and the process's peak memory
// ("peak_rss_mb", against the report's size: the pages are laid out and
// painted one at a time). Runs on the offscreen platform unless another is
// set.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "app/cli/command.h"
#include "app/gui/detection_page.h"
#include "app/gui/gui_feedback.h"
#include "app/gui/main_window.h"
#include "app/gui/report_printer.h"
#include "app/gui/reports_page.h"
#include "bench_support.h"
#include "platform/file_system.h"
#include "session/session.h"
#include "session/startup.h"

namespace quirovel {
namespace {

std::string Root(long episodes) { return bench::BenchRoot("window-" + std::to_string(episodes)); }

// An installation whose current file holds `episodes` generated episodes (or
// the kit's sample file for 0), made on first use and kept.
bool Prepare(long episodes) {
  const std::string root = Root(episodes);
  if (episodes == 0)
    return bench::PrepareGenerated(root, root + "/QUIROVEL/trabajo/Ctprueba.dbf", 0);
  const std::string table = root + "/QUIROVEL/trabajo/gen.dbf";
  return bench::PrepareGenerated(root, table, episodes) &&
         bench::Quirovel(root, {"open", "C:\\Quirovel\\trabajo\\gen.dbf"}) == 0;
}

void BM_StartToShownWindow(benchmark::State& state) {
  if (!Prepare(0)) return bench::SkipUnprepared(state);
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

// A shown window over the installation at root, its messages dropped, once
// its start-up work has ended.
struct QuietWindow {
  GuiFeedback feedback;
  Session session;
  std::unique_ptr<MainWindow> window;
  explicit QuietWindow(const std::string& root) : session(RealFileSystem(), feedback, root) {
    feedback.show_message = [](const QString&, const QString&) {};
    LoadConfig(session);
    window = std::make_unique<MainWindow>(session, feedback);
    window->show();
    while (window->runner().busy()) QApplication::processEvents();
  }
  ~QuietWindow() {
    window.reset();
    CloseConfig(session);
  }
};

// Starts an operation of the window with `start` and, until it ends, times
// the gaps between the ticks of a 10 ms timer on the window's thread.
void TimeGapsWhileBusy(MainWindow& window, const std::function<void()>& start, double* longest,
                       long* ticks, double* longest_at = nullptr) {
  QElapsedTimer since_tick, since_start;
  since_start.start();
  QTimer timer;
  timer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    if (window.runner().busy()) {
      const double gap = static_cast<double>(since_tick.nsecsElapsed()) * 1e-6;
      if (gap > *longest && longest_at != nullptr)
        *longest_at = static_cast<double>(since_start.nsecsElapsed()) * 1e-9;
      *longest = std::max(*longest, gap);
      ++*ticks;
    }
    since_tick.restart();
  });
  // From before the click: what the click itself does on the window's
  // thread counts too.
  since_tick.start();
  timer.start(10);
  start();
  while (window.runner().busy()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  timer.stop();
}

void BM_TimerGapsDuringDetection(benchmark::State& state) {
  const long episodes = state.range(0);
  if (!Prepare(episodes)) return bench::SkipUnprepared(state);
  double longest = 0;
  long ticks = 0;
  for (auto _ : state) {
    QuietWindow quiet(Root(episodes));
    MainWindow& window = *quiet.window;
    TimeGapsWhileBusy(
        window, [&] { window.detection_page()->test_button()->click(); }, &longest, &ticks);
  }
  state.counters["longest_gap_ms"] = longest;
  state.counters["ticks"] = static_cast<double>(ticks);
}
BENCHMARK(BM_TimerGapsDuringDetection)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(2);

// "errores.txt" of a run over the generated file, made once by the command
// line in a process of its own, so that this process's peak memory is the
// printing's.
bool PrepareRun(long episodes) {
  const std::string root = Root(episodes);
  if (!Prepare(episodes)) return false;
  if (RealFileSystem().Exists(root + "/QUIROVEL/trabajo/errores.txt")) return true;
  const std::string command =
      "'" + bench::ProgramDirectory() + "/quirovel' --root '" + root + "' detect >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

void BM_PrintErrorsToPdf(benchmark::State& state) {
  const long episodes = state.range(0);
  if (!PrepareRun(episodes)) return bench::SkipUnprepared(state);
  const std::string pdf = Root(episodes) + "/errores.pdf";
  double longest = 0, longest_at = 0;
  long ticks = 0;
  for (auto _ : state) {
    QuietWindow quiet(Root(episodes));
    MainWindow& window = *quiet.window;
    window.report_printer()->choose_pdf = [&](const QString&) {
      return QString::fromStdString(pdf);
    };
    QPushButton* print = window.reports_page()->print_buttons()[1];  // "errores.txt"
    QElapsedTimer clock;
    clock.start();
    // "Guardar en PDF..."
    TimeGapsWhileBusy(
        window, [&] { print->actions()[1]->trigger(); }, &longest, &ticks);
    state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
  }
  std::int64_t report = -1, written = -1;
  if (auto f =
          RealFileSystem().Open(Root(episodes) + "/QUIROVEL/trabajo/errores.txt", OpenMode::kRead))
    report = f->Size();
  if (auto f = RealFileSystem().Open(pdf, OpenMode::kRead)) written = f->Size();
  state.counters["longest_gap_ms"] = longest;
  state.counters["ticks"] = static_cast<double>(ticks);
  state.counters["longest_gap_at_s"] = longest_at;
  state.counters["peak_rss_mb"] = bench::PeakRssMegabytes();
  state.counters["report_mb"] = static_cast<double>(report) / (1024.0 * 1024.0);
  state.counters["pdf_mb"] = static_cast<double>(written) / (1024.0 * 1024.0);
}
BENCHMARK(BM_PrintErrorsToPdf)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

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

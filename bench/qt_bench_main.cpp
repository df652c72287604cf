// The main() of the window benchmarks: a QApplication on the offscreen platform around the
// benchmark runner.

#include <QApplication>
#include <QByteArray>
#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

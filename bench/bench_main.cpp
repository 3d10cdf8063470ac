#include <benchmark/benchmark.h>

#ifdef GW_BENCH_WITH_UI
#include <QApplication>
#include <cstdlib>
#endif

int main(int argc, char** argv)
{
#ifdef GW_BENCH_WITH_UI
    // The window benchmarks need an application object; offscreen unless told otherwise.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

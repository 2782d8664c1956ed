#pragma once
// The entry point of a benchmark program that draws text or widgets-free pictures: fonts need a
// GUI application, and the offscreen platform serves when no display is set.

#include <QGuiApplication>
#include <benchmark/benchmark.h>

inline int Run_Gui_Benchmarks(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

#define GUI_BENCHMARK_MAIN() \
    int main(int argc, char **argv) { return Run_Gui_Benchmarks(argc, argv); }

#pragma once

#include <QCoreApplication>

#include <benchmark/benchmark.h>

// Benchmarks of Qt code need an application object for the lifetime of the run.
#define VANTREL_BENCHMARK_MAIN()                                                                   \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        QCoreApplication app(argc, argv);                                                          \
        benchmark::Initialize(&argc, argv);                                                        \
        benchmark::RunSpecifiedBenchmarks();                                                       \
        benchmark::Shutdown();                                                                     \
        return 0;                                                                                  \
    }

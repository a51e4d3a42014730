#pragma once

#include "RecordingMessageBoxHandler.h"
#include "app/Composition.h"
#include "platform/MessageBox.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>

// Benchmarks of whole screens run in the composed application, offscreen unless
// a platform is named; a failure would wait for an answer, so messages are
// recorded instead of shown.
#define VANTREL_APPLICATION_BENCHMARK_MAIN()                                                       \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                        \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                               \
        QApplication app(argc, argv);                                                              \
        vantrel::app::composeApplication();                                                        \
        vantrel::platform::MessageBox::setHandler(                                                 \
            std::make_unique<vantrel::platform::RecordingMessageBoxHandler>());                    \
        benchmark::Initialize(&argc, argv);                                                        \
        benchmark::RunSpecifiedBenchmarks();                                                       \
        benchmark::Shutdown();                                                                     \
        return 0;                                                                                  \
    }

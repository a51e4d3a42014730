#pragma once

#include "app/Composition.h"

#include <QApplication>
#include <QTest>

// QTEST_MAIN for tests of screens: the program is put together first, as main() does.
#define VANTREL_TEST_MAIN(TestObject)                                                              \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        QApplication app(argc, argv);                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        vantrel::app::composeApplication();                                                        \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

// Shared entry point of the benchmarks of widgets: they need a widget
// application object and the program's state as a fresh start leaves it, on
// no display and in no machine number format.
#include "app/ProgramState.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <clocale>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    ResetProgramState();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

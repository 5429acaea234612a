// Shared entry point of the benchmark programs: drawing and fonts need a GUI
// application object, and no benchmark may depend on a display being present
// or on the machine's number format.
#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <clocale>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// main() of the benchmarks that need Qt's event machinery and a program
// folder of their own.
#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("TELVARO_HOME", home.path().toLocal8Bit());
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

#include "shell/DomainApp.h"

#include <QApplication>

namespace {

// --help and --version answer on a terminal without a display.
bool AnswerTextRequest(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    return CDomainApp::PrintTextRequest(QCoreApplication::arguments());
}

}

int main(int argc, char* argv[])
{
    if (AnswerTextRequest(argc, argv))
        return 0;
    QApplication app(argc, argv);
    int exitCode = 0;
    {
        CDomainApp theApp;
        if (!theApp.InitInstance(QCoreApplication::arguments()))
            return 0;
        exitCode = QApplication::exec();
        const int exitInstanceCode = theApp.ExitInstance();
        if (exitCode == 0)
            exitCode = exitInstanceCode;
    }
    return exitCode;
}

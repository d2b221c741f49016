#pragma once

#include <QElapsedTimer>

// Shows how far "Lookup Selected" has come on stderr: a bar redrawn in place
// on a terminal, otherwise a line now and then.
class CProgressReporter
{
public:
    CProgressReporter();
    void Update(int done, int total);
    // Ends the bar's line.
    void Finish(int done, int total);

private:
    void Print(int done, int total, bool final);

    bool m_bTerminal;
    int m_nLastDone = -1;
    QElapsedTimer m_sinceLine;
};

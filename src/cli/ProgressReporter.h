#pragma once

#include <QElapsedTimer>
#include <QString>

// Shows how far "Lookup Selected" has come on stderr: a bar redrawn in place
// on a terminal, otherwise a line now and then.
class CProgressReporter
{
public:
    CProgressReporter();
    void Update(int done, int total);
    // Ends the bar's line.
    void Finish(int done, int total);
    // A line of its own between two bars: why the lookups slow down.
    void Note(const QString& text);

private:
    void Print(int done, int total, bool final);

    bool m_bTerminal;
    int m_nLastDone = -1;
    QElapsedTimer m_sinceLine;
};

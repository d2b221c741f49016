#include "cli/ProgressReporter.h"

#include <unistd.h>

#include <cstdio>

CProgressReporter::CProgressReporter() : m_bTerminal(isatty(STDERR_FILENO) != 0)
{
    m_sinceLine.start();
}

void CProgressReporter::Update(int done, int total)
{
    if (done == m_nLastDone || total == 0)
        return;
    // Plain output gets a line at most once a second.
    if (!m_bTerminal && m_nLastDone >= 0 && m_sinceLine.elapsed() < 1000)
        return;
    Print(done, total, false);
}

void CProgressReporter::Finish(int done, int total)
{
    if (total == 0) {
        std::fputs("No ticked name is waiting for an answer.\n", stderr);
        return;
    }
    // A plain line already showing the final count is not repeated.
    if (!m_bTerminal && done == m_nLastDone)
        return;
    Print(done, total, true);
}

void CProgressReporter::Print(int done, int total, bool final)
{
    m_nLastDone = done;
    m_sinceLine.restart();
    if (m_bTerminal) {
        constexpr int kWidth = 30;
        const int filled = total > 0 ? done * kWidth / total : kWidth;
        std::fprintf(stderr, "\r[%-*.*s] %d of %d names looked up", kWidth, filled,
                     "##############################", done, total);
        if (final)
            std::fputc('\n', stderr);
    } else {
        std::fprintf(stderr, "%d of %d names looked up\n", done, total);
    }
    std::fflush(stderr);
}

void CProgressReporter::Note(const QString& text)
{
    // On a terminal the bar is redrawn below the note.
    std::fprintf(stderr, "%s%s\n", m_bTerminal && m_nLastDone >= 0 ? "\n" : "", qPrintable(text));
    m_nLastDone = -1;
    std::fflush(stderr);
}

#pragma once

#include "print/PageFrame.h"

#include <QDate>
#include <QFont>
#include <QString>

class CDomainDoc;
class QPainter;

// The printed list: a header with the title and the day, the column
// titles, one line per record and a footer with a notice and the page
// number, laid out in twips on a page of the given frame. It reads the
// document as each page is drawn, so pages can be drawn in any order and
// only when wanted.
class CListPrinter
{
public:
    static constexpr char kTitle[] = "Telvaro";
    static constexpr char kNotice[] = "Status as last checked: a free name can be registered by someone else at any time.";

    // printLines: the lines wanted on a page (held to at least 1); a page
    // too short for them holds fewer. doc must outlive the printer.
    CListPrinter(const CDomainDoc& doc, const CPageFrame& frame, int printLines, const QDate& today);

    // "Print Lines" as stored, held to at least 1.
    static int PrintLinesSetting();

    const CPageFrame& Frame() const { return m_frame; }
    // The lines a page holds: the lines wanted, or fewer when no more fit
    // above the footer, so that every record is on some page.
    int LinesPerPage() const { return m_nLinesPerPage; }
    // At least 1: an empty list prints its header, titles and footer.
    int PageCount() const;

    // Draws page (from 1) with painter scaled to twips (CPageFrame::
    // ScaleToTwips), its origin at the frame's top left.
    void DrawPage(QPainter& painter, int page) const;

private:
    void DrawHeader(QPainter& painter) const;
    void DrawLines(QPainter& painter, int page) const;
    void DrawFooter(QPainter& painter, int page) const;
    // The y of the first list line and the step to the next.
    int FirstLineY() const;
    int LineStep() const;
    int LinesThatFit() const;

    const CDomainDoc& m_doc;
    CPageFrame m_frame;
    QDate m_today;
    QFont m_headerFont;   // header and footer
    QFont m_titleFont;    // column titles
    QFont m_lineFont;     // list lines
    int m_nHeaderHeight;  // h of the header and footer texts
    int m_nTitleHeight;   // h1
    int m_nLineHeight;    // h2
    int m_nLinesPerPage;
};

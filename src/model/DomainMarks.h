#pragma once

class CDomainDoc;

// The commands that mark records (tick them for lookup) in bulk. Each sets
// the marks directly and tells the views once, with AllRowsChanged, rather
// than row by row.

// What the enable rules of the mark and copy commands ask.
bool AnyMarked(const CDomainDoc& doc);
bool AnyUnmarked(const CDomainDoc& doc);
bool AnyAvailable(const CDomainDoc& doc);

// Select All, Unselect All, Invert Selection: every record, and the list
// is modified even when no mark changed.
void SelectAll(CDomainDoc& doc);
void UnselectAll(CDomainDoc& doc);
void InvertSelection(CDomainDoc& doc);

// Marks every available record and leaves the other marks. The list is
// modified only when there was one. Returns how many available records
// there were.
int SelectFree(CDomainDoc& doc);

// A range of rows as the range dialog takes it: 1-based row numbers, a
// negative number taken as 0, the ends swapped when reversed.
struct CRowRange
{
    int m_nFrom = 1;
    int m_nTo = 1;

    CRowRange Normalized() const;
};

// Marks the rows of range (normalized first); the rows outside it are
// unmarked when unselectOthers, else left alone. The list is modified.
void SelectRange(CDomainDoc& doc, CRowRange range, bool unselectOthers);

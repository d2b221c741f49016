#pragma once

class CDomainDoc;
class CDomainInfo;

// Which records a delete command removes.
enum class DeleteKind
{
    Selected,    // the marked ones
    All,
    Taken,       // STATUS_TAKEN
    Available,   // STATUS_AVAILABLE
};

bool QualifiesForDelete(const CDomainInfo& record, DeleteKind kind);

// Removes every qualifying record that is not busy, in one pass, so that a
// running lookup always finds its record. When any went the list is
// modified and rebuilt (ListRebuilt); otherwise nothing changes, not even
// the modified flag. Returns how many went.
int DeleteDomains(CDomainDoc& doc, DeleteKind kind);

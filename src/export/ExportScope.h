#pragma once

#include "model/DomainInfo.h"

// Which records an export writes: the ticked ones (the menu commands) or
// every record (the command line's --all).
enum class ExportScope
{
    Marked,
    All,
};

inline bool IsInScope(const CDomainInfo& record, ExportScope scope)
{
    return scope == ExportScope::All || record.m_bSelected != 0;
}

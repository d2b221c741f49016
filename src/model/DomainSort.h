#pragma once

#include "model/DomainInfo.h"

#include <memory>
#include <vector>

// The list's four sort orders, in O(n log n). Each gives exactly the order
// that repeated passes of adjacent swaps give under the same swap rule:
// kind 0 ticked records first, kind 1 by name ignoring case, kind 2 by status
// (highest code first; among equal status a DNS text "Error" moves ahead of
// other DNS texts, but never past a record without one), kind 3 by check
// date (oldest first, undated last). Other kinds keep the order.
void SortDomainList(std::vector<std::unique_ptr<CDomainInfo>>& list, int kind);

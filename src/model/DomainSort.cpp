#include "model/DomainSort.h"

#include "model/TextCompare.h"

#include <algorithm>

namespace {

using List = std::vector<std::unique_ptr<CDomainInfo>>;

enum class DnsKind { None, Error, Other };

DnsKind KindOf(const CDomainInfo& r)
{
    if (r.m_strDNS.isEmpty())
        return DnsKind::None;
    return r.m_strDNS == "Error" ? DnsKind::Error : DnsKind::Other;
}

// Within one status, adjacent swaps only ever move an "Error" DNS text left
// past another non-empty DNS text; records without a DNS text never move
// relative to their status mates. So each stretch between such records ends
// with its "Error" records first, each group in its old order.
void OrderErrorsFirst(List::iterator first, List::iterator last)
{
    while (first != last) {
        const auto stop = std::find_if(first, last, [](const auto& r) { return KindOf(*r) == DnsKind::None; });
        std::stable_partition(first, stop, [](const auto& r) { return KindOf(*r) == DnsKind::Error; });
        first = stop == last ? last : stop + 1;
    }
}

void SortByStatus(List& list)
{
    std::stable_sort(list.begin(), list.end(),
                     [](const auto& a, const auto& b) { return a->m_nStatus > b->m_nStatus; });
    for (auto first = list.begin(); first != list.end();) {
        const uint8_t status = (*first)->m_nStatus;
        const auto last = std::find_if(first, list.end(), [&](const auto& r) { return r->m_nStatus != status; });
        OrderErrorsFirst(first, last);
        first = last;
    }
}

}

void SortDomainList(List& list, int kind)
{
    switch (kind) {
    case 0:
        std::stable_sort(list.begin(), list.end(),
                         [](const auto& a, const auto& b) { return a->m_bSelected && !b->m_bSelected; });
        break;
    case 1:
        std::stable_sort(list.begin(), list.end(),
                         [](const auto& a, const auto& b) { return CompareNoCase(a->m_strName, b->m_strName) < 0; });
        break;
    case 2:
        SortByStatus(list);
        break;
    case 3:
        std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) {
            return a->m_dtChecked.IsValid() && (!b->m_dtChecked.IsValid() || a->m_dtChecked.m_dt < b->m_dtChecked.m_dt);
        });
        break;
    default:
        break;
    }
}

#include "model/DomainSort.h"

#include "base/TextCompare.h"

#include <algorithm>
#include <cstring>

namespace {

using List = std::vector<std::unique_ptr<CDomainInfo>>;

// Sorting reads every record many times over; each record's key is gathered
// once into a compact array so that comparisons stay in the cache, and ties
// go by the old position, which makes the order stable.
template <class Key, class KeyOf, class Less>
void SortByKey(List& list, KeyOf keyOf, Less less)
{
    struct Item
    {
        Key m_key;
        uint32_t m_nIndex;
    };
    std::vector<Item> items;
    items.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i)
        items.push_back({keyOf(*list[i]), uint32_t(i)});
    std::sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
        if (less(a.m_key, b.m_key))
            return true;
        if (less(b.m_key, a.m_key))
            return false;
        return a.m_nIndex < b.m_nIndex;
    });
    List sorted;
    sorted.reserve(list.size());
    for (const Item& item : items)
        sorted.push_back(std::move(list[item.m_nIndex]));
    list.swap(sorted);
}

// A name's first 16 lower-case bytes as two big-endian numbers, so most
// comparisons are decided without reading the name itself.
struct NameKey
{
    uint64_t m_nHigh;
    uint64_t m_nLow;
    const QByteArray* m_pName;
};

NameKey NameKeyOf(const CDomainInfo& r)
{
    unsigned char bytes[16] = {};
    const qsizetype n = qMin<qsizetype>(16, r.m_strName.size());
    for (qsizetype i = 0; i < n; ++i)
        bytes[i] = static_cast<unsigned char>(AsciiLower(r.m_strName[i]));
    NameKey key{0, 0, &r.m_strName};
    for (int i = 0; i < 8; ++i) {
        key.m_nHigh = (key.m_nHigh << 8) | bytes[i];
        key.m_nLow = (key.m_nLow << 8) | bytes[8 + i];
    }
    return key;
}

bool NameLess(const NameKey& a, const NameKey& b)
{
    if (a.m_nHigh != b.m_nHigh)
        return a.m_nHigh < b.m_nHigh;
    if (a.m_nLow != b.m_nLow)
        return a.m_nLow < b.m_nLow;
    return CompareNoCase(*a.m_pName, *b.m_pName) < 0;
}

struct DateKey
{
    bool m_bValid;
    double m_dt;
};

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
    SortByKey<uint8_t>(list, [](const CDomainInfo& r) { return r.m_nStatus; },
                       [](uint8_t a, uint8_t b) { return a > b; });
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
        SortByKey<bool>(list, [](const CDomainInfo& r) { return r.m_bSelected != 0; },
                        [](bool a, bool b) { return a && !b; });
        break;
    case 1:
        SortByKey<NameKey>(list, NameKeyOf, NameLess);
        break;
    case 2:
        SortByStatus(list);
        break;
    case 3:
        SortByKey<DateKey>(list,
                           [](const CDomainInfo& r) { return DateKey{r.m_dtChecked.IsValid(), r.m_dtChecked.m_dt}; },
                           [](const DateKey& a, const DateKey& b) {
                               return a.m_bValid && (!b.m_bValid || a.m_dt < b.m_dt);
                           });
        break;
    default:
        break;
    }
}

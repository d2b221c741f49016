#include "model/DomainSort.h"
#include "base/TextCompare.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using List = std::vector<std::unique_ptr<CDomainInfo>>;

// The sort as a literal series of passes of adjacent swaps.
bool SwapRule(const CDomainInfo& a, const CDomainInfo& b, int kind)
{
    switch (kind) {
    case 0:
        return !a.m_bSelected && b.m_bSelected;
    case 1:
        return CompareNoCase(a.m_strName, b.m_strName) > 0;
    case 2:
        if (a.m_nStatus != b.m_nStatus)
            return a.m_nStatus < b.m_nStatus;
        return !a.m_strDNS.isEmpty() && !b.m_strDNS.isEmpty() && a.m_strDNS != b.m_strDNS && b.m_strDNS == "Error";
    case 3:
        return (a.m_dtChecked.IsValid() && b.m_dtChecked.IsValid() && b.m_dtChecked.m_dt < a.m_dtChecked.m_dt)
            || (!a.m_dtChecked.IsValid() && b.m_dtChecked.IsValid());
    default:
        return false;
    }
}

void SortByPasses(std::vector<const CDomainInfo*>& list, int kind)
{
    for (bool swapped = list.size() >= 2; swapped;) {
        swapped = false;
        for (size_t i = 0; i + 1 < list.size(); ++i) {
            if (SwapRule(*list[i], *list[i + 1], kind)) {
                std::swap(list[i], list[i + 1]);
                swapped = true;
            }
        }
    }
}

List RandomList(std::mt19937& rng, int size)
{
    static const char* dns[] = {"", "", "Error", "error", "1.2.3.4", "10.0.0.1", "Error", ""};
    static const char* names[] = {"a.com", "B.com", "b.COM", "c.net", "_x.com", "Z.com", "a.com"};
    List list;
    for (int i = 0; i < size; ++i) {
        auto r = std::make_unique<CDomainInfo>();
        r->m_strName = names[rng() % 7];
        r->m_strDNS = dns[rng() % 8];
        r->m_nStatus = uint8_t(rng() % 4 == 0 ? rng() % 9 : rng() % 3 + 2);
        r->m_bSelected = uint8_t(rng() % 2);
        if (rng() % 3) {
            r->m_dtChecked.m_status = COleDateTime::valid;
            r->m_dtChecked.m_dt = double(rng() % 5);
        } else if (rng() % 2) {
            r->m_dtChecked.m_status = COleDateTime::valid;
            r->m_dtChecked.m_dt = std::nan("");   // damaged: counts as undated
        }
        list.push_back(std::move(r));
    }
    return list;
}

std::vector<const CDomainInfo*> Order(const List& list)
{
    std::vector<const CDomainInfo*> order;
    for (const auto& r : list)
        order.push_back(r.get());
    return order;
}

}

TEST(DomainSort, EqualsThePassesOnRandomLists)
{
    std::mt19937 rng(20261207);
    for (int round = 0; round < 3000; ++round) {
        const int kind = round % 5;
        List list = RandomList(rng, int(rng() % 40));
        std::vector<const CDomainInfo*> slow = Order(list);
        SortDomainList(list, kind);
        SortByPasses(slow, kind);
        ASSERT_EQ(Order(list), slow) << "kind " << kind << " round " << round;
    }
}

TEST(DomainSort, StatusTieBreakAndUndatedLast)
{
    List list;
    auto add = [&](uint8_t status, const char* dns, double date) {
        auto r = std::make_unique<CDomainInfo>();
        r->m_nStatus = status;
        r->m_strDNS = dns;
        if (date >= 0) {
            r->m_dtChecked.m_status = COleDateTime::valid;
            r->m_dtChecked.m_dt = date;
        }
        list.push_back(std::move(r));
    };
    add(STATUS_TAKEN, "10.0.0.1", -1);
    add(STATUS_TAKEN, "Error", 5);
    add(STATUS_AVAILABLE, "", 3);
    SortDomainList(list, 2);
    EXPECT_EQ(list[0]->m_nStatus, STATUS_AVAILABLE);
    EXPECT_EQ(list[1]->m_strDNS, "Error");
    EXPECT_EQ(list[2]->m_strDNS, "10.0.0.1");

    SortDomainList(list, 3);
    EXPECT_EQ(list[0]->m_dtChecked.m_dt, 3);
    EXPECT_EQ(list[1]->m_dtChecked.m_dt, 5);
    EXPECT_FALSE(list[2]->m_dtChecked.IsValid());
}

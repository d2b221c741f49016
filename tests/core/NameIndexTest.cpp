#include "model/DomainInfo.h"
#include "model/NameIndex.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

std::unique_ptr<CDomainInfo> Record(const QByteArray& name)
{
    auto r = std::make_unique<CDomainInfo>();
    r->m_strName = name;
    return r;
}

}

// The flat table behind the document's names: what it finds after adds,
// removals and growth, repeated names included.
TEST(NameIndexTest, FindsEveryNameWhateverTheCaseThroughRemovalsAndGrowth)
{
    std::vector<std::unique_ptr<CDomainInfo>> records;
    CNameIndex index;
    EXPECT_EQ(index.Find("a.com").m_nCount, 0);
    for (int i = 0; i < 5000; ++i) {
        records.push_back(Record("Name" + QByteArray::number(i) + ".com"));
        index.Add(records.back().get());
    }
    EXPECT_EQ(index.GetSize(), 5000u);
    EXPECT_EQ(index.Find("NAME4321.COM").m_pRecord, records[4321].get());
    EXPECT_EQ(index.Find("name4321.co").m_nCount, 0);

    // Every other one goes; the rest are still found past the gaps.
    for (int i = 0; i < 5000; i += 2)
        index.Remove(records[size_t(i)].get());
    EXPECT_EQ(index.GetSize(), 2500u);
    for (int i = 0; i < 5000; ++i) {
        const CNameIndex::CMatch m = index.Find("name" + QByteArray::number(i) + ".COM");
        ASSERT_EQ(m.m_nCount, i % 2) << i;
        if (i % 2) {
            EXPECT_EQ(m.m_pRecord, records[size_t(i)].get());
        }
    }
    // Removing what is not there changes nothing.
    index.Remove(records[0].get());
    EXPECT_EQ(index.GetSize(), 2500u);

    // A repeated name is counted, and one copy going leaves the other.
    auto twin = Record("name1.COM");
    index.Add(twin.get());
    EXPECT_EQ(index.Find("Name1.com").m_nCount, 2);
    index.Remove(records[1].get());
    const CNameIndex::CMatch left = index.Find("name1.com");
    EXPECT_EQ(left.m_nCount, 1);
    EXPECT_EQ(left.m_pRecord, twin.get());

    index.Clear();
    EXPECT_EQ(index.GetSize(), 0u);
    EXPECT_EQ(index.Find("name3.com").m_nCount, 0);
    index.Reserve(10);
    index.Add(twin.get());
    EXPECT_EQ(index.Find("NAME1.COM").m_pRecord, twin.get());
}

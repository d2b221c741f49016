#include "TestSupport.h"
#include "model/DomainInfo.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

QByteArray Store(CDomainInfo& rec)
{
    QByteArray out;
    CArchive ar(&out);
    rec.Serialize(ar);
    return out;
}

void Load(CDomainInfo& rec, const QByteArray& data)
{
    CArchive ar{QByteArrayView(data)};
    rec.Serialize(ar);
}

}

TEST(DomainInfo, NewRecordDefaults)
{
    CDomainInfo rec;
    EXPECT_TRUE(rec.m_strName.isEmpty());
    EXPECT_EQ(rec.m_dtChecked.m_status, COleDateTime::null);
    EXPECT_EQ(rec.m_dtChecked.m_dt, 0.0);
    EXPECT_FALSE(rec.m_dtChecked.IsValid());
    EXPECT_EQ(rec.m_nStatus, STATUS_UNKNOWN);
    EXPECT_FALSE(rec.IsBusy());
}

TEST(DomainInfo, StatusTexts)
{
    EXPECT_STREQ(GetStatusText(0), "Unknown");
    EXPECT_STREQ(GetStatusText(1), "Checking");
    EXPECT_STREQ(GetStatusText(2), "Not Available");
    EXPECT_STREQ(GetStatusText(3), "*AVAILABLE*");
    EXPECT_STREQ(GetStatusText(4), "Too many errors");
    for (int code : {5, 6, 7, 8, 9, 200, 255})
        EXPECT_STREQ(GetStatusText(code), "Error") << code;
}

TEST(DomainInfo, NeverCheckedRecordLayout)
{
    CDomainInfo rec;
    rec.m_strName = "example.com";
    rec.m_bSelected = 1;
    const QByteArray expected = Bytes({11}) + "example.com" + Bytes({0}) + Bytes({2, 0, 0, 0})
        + QByteArray(8, '\0') + Bytes({1});
    EXPECT_EQ(Store(rec), expected);
}

TEST(DomainInfo, CompositeNameRoundTrip)
{
    CDomainInfo rec;
    Load(rec, Bytes({17}) + "a.com~1.2.3.4@2!7" + Bytes({0, 0, 0, 0, 0}) + QByteArray(8, '\0') + Bytes({0}));
    EXPECT_EQ(rec.m_strName, "a.com");
    EXPECT_EQ(rec.m_strDNS, "1.2.3.4");
    EXPECT_EQ(rec.m_nMarker, 2);
    EXPECT_EQ(rec.m_nNumber, 7);
    EXPECT_EQ(rec.BuildStoredName(), "a.com~1.2.3.4@2!7");

    CDomainInfo plain;
    plain.m_strName = "example.com";
    EXPECT_EQ(plain.BuildStoredName(), "example.com");
    plain.m_strDNS = "Error";
    EXPECT_EQ(plain.BuildStoredName(), "example.com~Error");
    plain.m_nNumber = -3;
    plain.m_nMarker = 1;
    EXPECT_EQ(plain.BuildStoredName(), "example.com~Error@1");
}

TEST(DomainInfo, TakingApartOddStoredNames)
{
    CDomainInfo rec;
    rec.TakeApartStoredName("b.com!0");
    EXPECT_EQ(rec.m_strName, "b.com");
    EXPECT_EQ(rec.m_nNumber, 0);

    rec.TakeApartStoredName("c.com@1x@1!  42abc~ignored");
    EXPECT_EQ(rec.m_nMarker, 1);
    EXPECT_EQ(rec.m_nNumber, 42);
    EXPECT_EQ(rec.m_strName, "c.comx");

    rec.TakeApartStoredName("d.com!99999999999");   // held to 32 bits
    EXPECT_EQ(rec.m_nNumber, INT32_MAX);

    // No "~": the DNS text keeps what it had.
    rec.m_strDNS = "10.0.0.1";
    rec.TakeApartStoredName("e.com");
    EXPECT_EQ(rec.m_strDNS, "10.0.0.1");
}

TEST(DomainInfo, FullRecordRoundTripIsByteExact)
{
    CDomainInfo rec;
    rec.m_strName = "Shop.COM";
    rec.m_strDNS = "192.0.2.1";
    rec.m_nNumber = 12;
    rec.m_strWhois = QByteArray(300, 'w');
    rec.m_dtChecked = COleDateTime::FromDateTime(QDateTime(QDate(2026, 12, 7), QTime(13, 30)));
    rec.m_bSelected = 1;
    const QByteArray data = Store(rec);
    EXPECT_EQ(data.mid(1 + 21, 3), Bytes({0xFF, 0x2C, 0x01}));   // "Shop.COM~192.0.2.1!12"

    CDomainInfo back;
    Load(back, data);
    EXPECT_EQ(back.m_strName, "Shop.COM");
    EXPECT_EQ(back.m_strWhois, rec.m_strWhois);
    EXPECT_EQ(back.m_dtChecked, rec.m_dtChecked);
    EXPECT_EQ(Store(back), data);
}

TEST(OleDateTime, ConversionAndValidity)
{
    const COleDateTime noon = COleDateTime::FromDateTime(QDateTime(QDate(1900, 1, 1), QTime(12, 0)));
    EXPECT_DOUBLE_EQ(noon.m_dt, 2.5);
    EXPECT_EQ(noon.ToDateTime(), QDateTime(QDate(1900, 1, 1), QTime(12, 0)));

    // Before the epoch the time of day counts forward from the whole day.
    const COleDateTime before = COleDateTime::FromDateTime(QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    EXPECT_DOUBLE_EQ(before.m_dt, -1.25);
    EXPECT_EQ(before.ToDateTime(), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));

    COleDateTime bad;
    bad.m_status = COleDateTime::valid;
    for (double v : {std::nan(""), HUGE_VAL, 1e300, -1e7}) {
        bad.m_dt = v;
        EXPECT_FALSE(bad.IsValid()) << v;
        EXPECT_TRUE(bad.FormatDateTime().isEmpty());
    }
    EXPECT_FALSE(COleDateTime::GetCurrentTime().FormatDateTime().isEmpty());
}

#include "TestSupport.h"
#include "model/Archive.h"

#include <gtest/gtest.h>

namespace {

const CRuntimeClass kThing = {"CThing", 1};

QByteArray Stored(QByteArrayView text)
{
    QByteArray out;
    CArchive ar(&out);
    ar.WriteString(text);
    return out;
}

CArchiveException::Cause CauseOf(const QByteArray& data, void (*read)(CArchive&))
{
    CArchive ar{QByteArrayView(data)};
    try {
        read(ar);
    } catch (const CArchiveException& e) {
        return e.m_cause;
    }
    ADD_FAILURE() << "no archive error";
    return CArchiveException::badIndex;
}

}

TEST(Archive, StringLengthForms)
{
    EXPECT_EQ(Stored(QByteArray(254, 'a')).left(1), Bytes({254}));
    EXPECT_EQ(Stored(QByteArray(255, 'a')).left(3), Bytes({0xFF, 0xFF, 0x00}));
    EXPECT_EQ(Stored(QByteArray(300, 'a')).left(3), Bytes({0xFF, 0x2C, 0x01}));
    EXPECT_EQ(Stored(QByteArray(65533, 'a')).left(3), Bytes({0xFF, 0xFD, 0xFF}));
    // 65534 would read as the wide marker, so it takes the 32-bit form.
    EXPECT_EQ(Stored(QByteArray(65534, 'a')).left(7), Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(Stored("").size(), 1);

    for (int len : {0, 1, 254, 255, 300, 65533, 65534, 70000}) {
        const QByteArray text(len, 'x');
        const QByteArray data = Stored(text);
        CArchive ar{QByteArrayView(data)};
        EXPECT_EQ(ar.ReadString(), text) << len;
        EXPECT_EQ(ar.BytesLeft(), 0) << len;
    }
}

TEST(Archive, WideStringsAreReadAsEightBitText)
{
    // 0xFF, wide marker, length 3, then "a", "é" and a character with no
    // 8-bit form.
    const QByteArray data = Bytes({0xFF, 0xFE, 0xFF, 3, 'a', 0, 0xE9, 0, 0x3B, 0x04});
    CArchive ar{QByteArrayView(data)};
    EXPECT_EQ(ar.ReadString(), QByteArray("a\xE9?"));

    const QByteArray longer = Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x00, 0x01}) + QByteArray(512, '\0');
    CArchive ar2{QByteArrayView(longer)};
    EXPECT_EQ(ar2.ReadString().size(), 256);
}

TEST(Archive, IntegersAreLittleEndian)
{
    QByteArray out;
    CArchive ar(&out);
    ar.WriteWord(0x1234);
    ar.WriteLong(-2);
    ar.WriteDouble(1.0);
    EXPECT_EQ(out, Bytes({0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
    CArchive in{QByteArrayView(out)};
    EXPECT_EQ(in.ReadWord(), 0x1234);
    EXPECT_EQ(in.ReadLong(), -2);
    EXPECT_EQ(in.ReadDouble(), 1.0);
}

TEST(Archive, ObjectTags)
{
    QByteArray out;
    CArchive ar(&out);
    ar.WriteObjectTag(kThing);
    ar.WriteObjectTag(kThing);
    ar.WriteObjectTag(kThing);
    EXPECT_EQ(out, Bytes({0xFF, 0xFF, 1, 0, 6, 0}) + "CThing" + Bytes({0x01, 0x80, 0x01, 0x80}));

    CArchive in{QByteArrayView(out)};
    for (int i = 0; i < 3; ++i)
        EXPECT_NO_THROW(in.ReadObjectTag(kThing));
}

TEST(Archive, DamagedDataEndsTheReadWithTheRightCause)
{
    auto readTag = [](CArchive& ar) { ar.ReadObjectTag(kThing); };
    auto readString = [](CArchive& ar) { ar.ReadString(); };
    using C = CArchiveException;

    EXPECT_EQ(CauseOf(Bytes({0xFF, 0xFF, 1, 0, 6, 0}) + "CThinG", readTag), C::badClass);
    EXPECT_EQ(CauseOf(Bytes({0xFF, 0xFF, 2, 0, 6, 0}) + "CThing", readTag), C::badSchema);
    EXPECT_EQ(CauseOf(Bytes({0xFF, 0xFF, 1, 0, 6, 0}) + "CTh", readTag), C::endOfFile);
    EXPECT_EQ(CauseOf(Bytes({0x00, 0x00}), readTag), C::badIndex);           // null object
    EXPECT_EQ(CauseOf(Bytes({0x02, 0x00}), readTag), C::badIndex);           // back-reference
    EXPECT_EQ(CauseOf(Bytes({0x01, 0x80}), readTag), C::badIndex);           // class never seen
    EXPECT_EQ(CauseOf(Bytes({0x01}), readTag), C::endOfFile);
    EXPECT_EQ(CauseOf(Bytes({0x7F, 0xFF, 0x05, 0, 0, 0}), readTag), C::badIndex);

    // Lengths that claim more than the file holds fail before allocating.
    EXPECT_EQ(CauseOf(Bytes({10, 'a', 'b'}), readString), C::endOfFile);
    EXPECT_EQ(CauseOf(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), readString), C::endOfFile);
    EXPECT_EQ(CauseOf(Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}), readString), C::endOfFile);
    EXPECT_EQ(CauseOf(Bytes({0xFF, 0x00}), readString), C::endOfFile);
}

TEST(Archive, ErrorMessagesNameTheFile)
{
    for (auto cause : {CArchiveException::endOfFile, CArchiveException::badClass, CArchiveException::badSchema,
                       CArchiveException::badIndex}) {
        const QString text = CArchiveException(cause).Describe(QStringLiteral("/tmp/list.qzn"));
        EXPECT_TRUE(text.contains(QStringLiteral("\"/tmp/list.qzn\""))) << text.toStdString();
    }
}

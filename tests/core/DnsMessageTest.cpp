#include "net/DnsMessage.h"
#include "net/DnsQuestion.h"
#include "net/DnsResult.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

// Builds a message byte by byte, names from raw labels.
struct Packet
{
    QByteArray m_bytes;

    Packet& Word(uint16_t value)
    {
        m_bytes.append(char(value >> 8)).append(char(value & 0xff));
        return *this;
    }
    Packet& Header(uint16_t answers, uint16_t authority = 0, uint16_t flags = 0x8180)
    {
        return Word(0x1234).Word(flags).Word(1).Word(answers).Word(authority).Word(0);
    }
    Packet& Name(std::initializer_list<QByteArray> labels)
    {
        for (const QByteArray& label : labels)
            m_bytes.append(char(label.size())).append(label);
        m_bytes.append('\0');
        return *this;
    }
    Packet& Pointer(uint16_t offset) { return Word(0xc000 | offset); }
    Packet& Question(std::initializer_list<QByteArray> labels, DnsType type = DnsType::NS)
    {
        return Name(labels).Word(uint16_t(type)).Word(kDnsClassIN);
    }
    // Type, class, TTL and the data length of a record; its owner comes first.
    Packet& RecordHead(DnsType type, uint16_t length, uint16_t klass = kDnsClassIN)
    {
        return Word(uint16_t(type)).Word(klass).Word(0).Word(300).Word(length);
    }
};

bool Parses(const Packet& packet, CDnsMessage* message, QString* error)
{
    return CDnsMessage::Parse(packet.m_bytes, message, error);
}

std::string ParseError(const Packet& packet)
{
    CDnsMessage message;
    QString error;
    EXPECT_FALSE(Parses(packet, &message, &error));
    return error.toStdString();
}

CDnsQuestion Asking(const char* name, DnsType type)
{
    CDnsQuestion question;
    QString error;
    EXPECT_TRUE(CDnsQuestion::Make(name, type, &question, &error));
    return question;
}

} // namespace

TEST(DnsMessage, StrangeLabelBytesAreEscapedSoTheyCannotPassForDots)
{
    Packet p;
    p.Header(1).Question({QByteArray("a.b"), QByteArray("c\\d"), QByteArray("e\0 \x7f\xff", 5)});
    // An NS name of one label, then the question's name by pointer.
    p.Pointer(12).RecordHead(DnsType::NS, 4 + 2);
    p.m_bytes.append(char(3)).append("n\ts");
    p.Pointer(12);
    CDnsMessage message;
    QString error;
    ASSERT_TRUE(Parses(p, &message, &error)) << error.toStdString();
    EXPECT_EQ(message.m_strQName, QByteArray("a\\.b.c\\\\d.e\\000\\032\\127\\255"));
    ASSERT_EQ(message.m_answers.size(), 1u);
    EXPECT_EQ(message.m_answers[0].m_strData, QByteArray("n\\009s.") + message.m_strQName);
}

TEST(DnsMessage, NamesThatLoopRunOnOrPointAheadAreRejected)
{
    const QByteArray l63(63, 'x');
    // 4 labels of 63 take 257 bytes on the wire, over the 255 allowed.
    EXPECT_EQ(ParseError(Packet().Header(0).Question({l63, l63, l63, l63})), "name too long");
    // Just as long when a pointer adds the last labels.
    Packet viaPointer;
    viaPointer.Header(1).Question({l63, l63, l63});
    viaPointer.m_bytes.append(char(63)).append(l63);
    viaPointer.Pointer(12).RecordHead(DnsType::A, 4).Word(0).Word(0);
    EXPECT_EQ(ParseError(viaPointer), "name too long");

    // A pointer to a later byte, one to its own label, a pointer cut off.
    Packet ahead;
    ahead.Header(1).Question({"a"}).Pointer(uint16_t(ahead.m_bytes.size() + 2)).Word(0);
    EXPECT_EQ(ParseError(ahead), "compression pointer does not point back");
    Packet self;
    self.Header(1).Question({"a"});
    self.m_bytes.append(char(1)).append('b');
    self.Pointer(uint16_t(self.m_bytes.size() - 2));
    EXPECT_EQ(ParseError(self), "compression pointer does not point back");
    Packet cut;
    cut.Header(1).Question({"a"});
    cut.m_bytes.append(char(0xc0));
    EXPECT_EQ(ParseError(cut), "name runs past the end");
    Packet extended;
    extended.Header(0).m_bytes.append(char(0x41)).append("a\0\0\1\0\1", 6);
    EXPECT_EQ(ParseError(extended), "unknown label type");

    // A pointer to a pointer that points further back is fine.
    Packet chain;
    chain.Header(2).Question({"a", "example"});
    const uint16_t firstOwner = uint16_t(chain.m_bytes.size());
    chain.Pointer(12).RecordHead(DnsType::A, 4).Word(0xc000).Word(0x0201);
    chain.Pointer(firstOwner).RecordHead(DnsType::A, 4).Word(0xc000).Word(0x0202);
    CDnsMessage message;
    QString error;
    ASSERT_TRUE(Parses(chain, &message, &error)) << error.toStdString();
    EXPECT_EQ(message.m_answers[1].m_strName, QByteArray("a.example"));
    EXPECT_EQ(message.m_answers[1].m_strData, QByteArray("192.0.2.2"));
}

TEST(DnsMessage, CountsAndLengthsAreNotTrusted)
{
    EXPECT_EQ(ParseError(Packet().Header(0xffff).Question({"a"})), "name runs past the end");
    EXPECT_EQ(ParseError(Packet{Packet().Header(0).m_bytes.left(11)}), "message shorter than its header");
    Packet twoQuestions;
    twoQuestions.Header(0).Question({"a"});
    twoQuestions.m_bytes[5] = 2;
    EXPECT_EQ(ParseError(twoQuestions), "not exactly one question");
    Packet wide;
    wide.Header(1).Question({"a"}).Pointer(12).RecordHead(DnsType::A, 5).Word(0).Word(0).Word(0);
    EXPECT_EQ(ParseError(wide), "address record of the wrong size");
    // An NS name that stops short of its record's end, or runs beyond it.
    EXPECT_EQ(ParseError(Packet().Header(1).Question({"a"}).Pointer(12).RecordHead(DnsType::NS, 4).Pointer(12).Word(0)),
              "name does not fill its record");
    EXPECT_EQ(ParseError(Packet().Header(1).Question({"a"}).Pointer(12).RecordHead(DnsType::NS, 1).Pointer(12)),
              "name does not fill its record");

    // Truncated: the records may be cut anywhere and are not read.
    Packet truncated;
    truncated.Header(3, 0, 0x8380).Question({"a"}).Word(0xc0ff);
    CDnsMessage message;
    QString error;
    ASSERT_TRUE(Parses(truncated, &message, &error)) << error.toStdString();
    EXPECT_TRUE(message.IsTruncated());
    EXPECT_TRUE(message.m_answers.empty());
}

TEST(DnsMessage, OnlyRecordsOfTheNameItselfCount)
{
    // Asked for a.example's NS: a referral to the servers of "example", an
    // NS record of another class and one of a stranger are no answer.
    Packet p;
    p.Header(1, 2, 0x8100).Question({"a", "example"});
    p.Name({"other"}).RecordHead(DnsType::NS, 2).Pointer(12);
    p.Pointer(14).RecordHead(DnsType::NS, 2).Pointer(12);
    p.Pointer(12).RecordHead(DnsType::NS, 2, 3).Pointer(12);
    CDnsMessage message;
    QString error;
    ASSERT_TRUE(Parses(p, &message, &error)) << error.toStdString();
    const CDnsResult result = CDnsResult::FromAnswer(message, Asking("A.Example", DnsType::NS));
    EXPECT_EQ(result.m_eOutcome, CDnsResult::Outcome::NoData);
    EXPECT_TRUE(result.m_nameServers.isEmpty());
}

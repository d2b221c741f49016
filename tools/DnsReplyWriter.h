#pragma once

#include "DnsBehaviour.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

struct CDnsRequest;

// Builds the loopback DNS server's answer to one query from a behaviour:
// the question echoed, then answer and authority records whose owner names
// are compression pointers, the way real servers write them.
class CDnsReplyWriter
{
public:
    static std::string Write(const CDnsRequest& request, const CDnsBehaviour& behaviour, bool bUdp);

private:
    CDnsReplyWriter(const CDnsRequest& request, const CDnsBehaviour& behaviour);

    void Header(bool bTruncated);
    void AnswerSection();
    void AuthoritySection();
    void DamagedRecord();
    // Writes a record owned by the name at ownerOffset; returns where its
    // data begins.
    std::size_t Record(std::size_t ownerOffset, uint16_t type, const std::function<void()>& data);
    void Address(std::size_t ownerOffset, const std::string& dotted);
    void Name(const std::string& dotted);
    void Word(uint16_t value);
    void Long(uint32_t value);
    void PutWord(std::size_t at, uint16_t value);

    const CDnsRequest& m_request;
    const CDnsBehaviour& m_behaviour;
    std::string m_out;
    uint16_t m_nAnswers = 0;
    uint16_t m_nAuthority = 0;
};

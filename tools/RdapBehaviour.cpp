#include "RdapBehaviour.h"

#include "HttpText.h"
#include "LoopbackText.h"
#include "RdapJson.h"

#include <algorithm>

CRdapBehaviour CRdapBehaviour::Registered()
{
    return Answer(200, RdapJson::DomainTemplate());
}

CRdapBehaviour CRdapBehaviour::NotFound()
{
    return Answer(404, RdapJson::Error(404, "Not Found", "The domain %s is not registered."));
}

CRdapBehaviour CRdapBehaviour::Answer(int nStatus, std::string body, std::string contentType)
{
    CRdapBehaviour b;
    b.m_nStatus = nStatus;
    b.m_strBody = std::move(body);
    b.m_strContentType = std::move(contentType);
    return b;
}

CRdapBehaviour CRdapBehaviour::RateLimited(int nStatus, std::chrono::seconds retryAfter)
{
    CRdapBehaviour b = Answer(nStatus, RdapJson::Error(nStatus, "Rate Limit Exceeded", "Too many queries; try again later."));
    b.m_headers.emplace_back("Retry-After", std::to_string(retryAfter.count()));
    return b;
}

CRdapBehaviour CRdapBehaviour::RateLimitedUntil(int nStatus, std::chrono::system_clock::time_point retryAt)
{
    CRdapBehaviour b = RateLimited(nStatus, std::chrono::seconds(0));
    b.m_headers.back().second = HttpText::Date(retryAt);
    return b;
}

CRdapBehaviour CRdapBehaviour::Redirect(int nStatus, std::string location)
{
    CRdapBehaviour b = Answer(nStatus, {});
    b.m_headers.emplace_back("Location", std::move(location));
    return b;
}

CRdapBehaviour CRdapBehaviour::InvalidJson()
{
    const std::string domain = RdapJson::DomainTemplate();
    return Answer(200, domain.substr(0, domain.size() / 2));
}

CRdapBehaviour CRdapBehaviour::Huge(std::size_t nBytes)
{
    CRdapBehaviour b;
    b.m_nHuge = nBytes;
    return b;
}

CRdapBehaviour CRdapBehaviour::CloseWithoutAnswer()
{
    CRdapBehaviour b;
    b.m_bCloseWithoutAnswer = true;
    return b;
}

CRdapBehaviour CRdapBehaviour::NeverAnswer()
{
    CRdapBehaviour b;
    b.m_bNeverAnswer = true;
    return b;
}

std::string CRdapBehaviour::BodyFor(const std::string& name) const
{
    return Substitute(m_strBody, RdapJson::Escaped(name));
}

std::string CRdapBehaviour::HugeBody(const std::string& name, std::size_t offset, std::size_t n) const
{
    const std::string head = R"({"objectClassName":"domain","ldhName":")" + RdapJson::Escaped(name)
                           + R"(","remarks":[{"title":"Padding","description":[")";
    const std::string tail = "\"]}]}\n";
    static const std::string_view kFiller = "the quick brown fox jumps over the lazy dog ";
    const std::size_t fill = m_nHuge > head.size() + tail.size() ? m_nHuge - head.size() - tail.size() : 0;
    std::string out;
    const std::size_t end = std::min(offset + n, m_nHuge);
    for (std::size_t at = offset; at < end;) {
        if (at < head.size()) {
            const std::size_t take = std::min(head.size() - at, end - at);
            out.append(head, at, take);
            at += take;
        } else if (at < head.size() + fill) {
            const std::size_t inFill = at - head.size();
            const std::size_t take = std::min({kFiller.size() - inFill % kFiller.size(), head.size() + fill - at, end - at});
            out.append(kFiller.substr(inFill % kFiller.size(), take));
            at += take;
        } else {
            const std::size_t inTail = at - head.size() - fill;
            const std::size_t take = std::min(tail.size() - inTail, end - at);
            out.append(tail, inTail, take);
            at += take;
        }
    }
    return out;
}

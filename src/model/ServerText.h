#pragma once

#include <QByteArrayView>

// A TLD row's server text names its channel: "host" or "host:port" is a
// port-43 whois server, an http:// or https:// URL the base of an RDAP
// service. The stored bytes are the same either way.
inline bool IsRdapBase(QByteArrayView server)
{
    const auto startsWith = [&](QByteArrayView prefix) {
        if (server.size() < prefix.size())
            return false;
        for (qsizetype i = 0; i < prefix.size(); ++i) {
            const char c = server[i];
            if ((c >= 'A' && c <= 'Z' ? char(c + 32) : c) != prefix[i])
                return false;
        }
        return true;
    };
    return startsWith("http://") || startsWith("https://");
}

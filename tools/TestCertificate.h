#pragma once

#include <string>
#include <vector>

// A self-signed certificate and its key in PEM files, made with the openssl
// command so that no key material lives in the repository. Tests trust it
// as its own authority; the RDAP server program serves HTTPS with it.
struct CTestCertificate
{
    std::string m_strCertFile;
    std::string m_strKeyFile;

    // Writes folder/baseName.pem and folder/baseName.key, valid for two days
    // for the hosts (IP addresses or DNS names, the first one also the
    // common name). False with the reason when openssl cannot be run or
    // fails.
    static bool Make(const std::string& folder, const std::string& baseName, const std::vector<std::string>& hosts,
                     CTestCertificate& certificate, std::string& error);
    // The hosts a loopback client names: 127.0.0.1 and localhost.
    static std::vector<std::string> LoopbackHosts();
};

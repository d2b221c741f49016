#pragma once

#include "TestCertificate.h"

#include <QSslCertificate>
#include <QSslConfiguration>
#include <QString>
#include <QTemporaryDir>

#include <string>

// Self-signed certificates made once per test run in a temporary folder: one
// for 127.0.0.1 and localhost, one for a host no loopback client names.
class TestCertificates
{
public:
    static const TestCertificates& Shared()
    {
        static const TestCertificates certificates;
        return certificates;
    }

    bool IsValid() const { return m_strError.empty(); }
    const std::string& Error() const { return m_strError; }
    const CTestCertificate& Loopback() const { return m_loopback; }
    const CTestCertificate& OtherHost() const { return m_otherHost; }

    // A client configuration that trusts the certificate alone.
    static QSslConfiguration Trusting(const CTestCertificate& certificate)
    {
        QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
        configuration.setCaCertificates(QSslCertificate::fromPath(QString::fromStdString(certificate.m_strCertFile)));
        return configuration;
    }

private:
    TestCertificates()
    {
        const std::string folder = m_dir.path().toStdString();
        if (CTestCertificate::Make(folder, "loopback", CTestCertificate::LoopbackHosts(), m_loopback, m_strError))
            CTestCertificate::Make(folder, "other", {"other.example"}, m_otherHost, m_strError);
    }

    QTemporaryDir m_dir;
    CTestCertificate m_loopback;
    CTestCertificate m_otherHost;
    std::string m_strError;
};

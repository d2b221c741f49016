#include "TestCertificate.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

bool IsHostText(const std::string& host)
{
    return !host.empty() && std::all_of(host.begin(), host.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-'
            || c == ':' || c == '*';
    });
}

std::string AltName(const std::string& host)
{
    in6_addr address;
    const bool bIp = ::inet_pton(AF_INET, host.c_str(), &address) == 1 || ::inet_pton(AF_INET6, host.c_str(), &address) == 1;
    return (bIp ? "IP:" : "DNS:") + host;
}

// Runs the program with the arguments, no shell, its output dropped; the
// exit code, or -1 with errno when it could not be started.
int Run(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        errno = spawned;
        return -1;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

} // namespace

bool CTestCertificate::Make(const std::string& folder, const std::string& baseName, const std::vector<std::string>& hosts,
                            CTestCertificate& certificate, std::string& error)
{
    if (hosts.empty() || !std::all_of(hosts.begin(), hosts.end(), IsHostText)) {
        error = "a certificate needs host names or addresses";
        return false;
    }
    std::string altNames = "subjectAltName=";
    for (std::size_t i = 0; i < hosts.size(); ++i)
        altNames += (i > 0 ? "," : "") + AltName(hosts[i]);
    certificate.m_strCertFile = folder + "/" + baseName + ".pem";
    certificate.m_strKeyFile = folder + "/" + baseName + ".key";
    // An EC key takes no time to make, unlike RSA.
    const int rc = Run({"openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                        "-nodes", "-days", "2", "-subj", "/CN=" + hosts.front(), "-addext", altNames,
                        "-keyout", certificate.m_strKeyFile, "-out", certificate.m_strCertFile});
    if (rc < 0)
        error = std::string("cannot run openssl: ") + std::strerror(errno);
    else if (rc != 0)
        error = "openssl could not make the certificate (exit code " + std::to_string(rc) + ")";
    return rc == 0;
}

std::vector<std::string> CTestCertificate::LoopbackHosts()
{
    return {"127.0.0.1", "localhost"};
}

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>

// Every core test runs with its own settings store and program folder, never
// the user's, and with a QCoreApplication for event delivery.
int main(int argc, char** argv)
{
    QTemporaryDir root;
    qputenv("XDG_CONFIG_HOME", (root.path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (root.path() + QStringLiteral("/data")).toLocal8Bit());
    qputenv("TELVARO_HOME", (root.path() + QStringLiteral("/home")).toLocal8Bit());
    // DNS queries go to a closed loopback port unless a test starts a server.
    qputenv("TELVARO_DNS_SERVER", "127.0.0.1:9");
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

// main() for a QtTest program: its own settings store and program folder in a
// temporary directory, the offscreen platform unless told otherwise, and the
// application's organisation and name as the program sets them.
#define TELVARO_GUI_TEST_MAIN(TestClass)                                                              \
    int main(int argc, char** argv)                                                                   \
    {                                                                                                 \
        QTemporaryDir root;                                                                           \
        qputenv("XDG_CONFIG_HOME", (root.path() + QStringLiteral("/config")).toLocal8Bit());          \
        qputenv("XDG_DATA_HOME", (root.path() + QStringLiteral("/data")).toLocal8Bit());              \
        qputenv("TELVARO_HOME", (root.path() + QStringLiteral("/home")).toLocal8Bit());               \
        qputenv("TELVARO_DNS_SERVER", "127.0.0.1:9"); /* DNS only to loopback */                     \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                           \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                                  \
        QApplication app(argc, argv);                                                                 \
        QApplication::setOrganizationName(QStringLiteral("Telvaro"));                                 \
        QApplication::setApplicationName(QStringLiteral("Telvaro"));                                  \
        TestClass test;                                                                               \
        return QTest::qExec(&test, argc, argv);                                                       \
    }

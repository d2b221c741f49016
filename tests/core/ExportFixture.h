#pragma once

#include "TestSupport.h"
#include "model/DomainDoc.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

// A document to export, a folder to export into, and the outside tools that
// read the exports back.
class ExportFixture : public ::testing::Test
{
protected:
    // Records go straight into the list: exports must cope with names that
    // the list's own checks would refuse.
    CDomainInfo& Add(const QByteArray& name, uint8_t status, const QByteArray& whois = {}, bool selected = true)
    {
        auto record = std::make_unique<CDomainInfo>();
        record->m_strName = name;
        record->m_nStatus = status;
        record->m_strWhois = whois;
        record->m_bSelected = selected ? 1 : 0;
        m_doc.AppendLoaded(std::move(record));
        return *m_doc.GetAt(m_doc.GetCount() - 1);
    }

    static void SetChecked(CDomainInfo& record, double value)
    {
        record.m_dtChecked.m_dt = value;
        record.m_dtChecked.m_status = COleDateTime::valid;
    }

    QString PathOf(const QString& name) const { return m_home.Path() + name; }

    static QByteArray FileBytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static void WriteBytes(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    struct ToolRun
    {
        int m_nExit = -1;
        QByteArray m_out;
        QByteArray m_err;
    };

    static ToolRun RunTool(const QString& program, const QStringList& args, int timeoutMs = 60000)
    {
        QProcess p;
        p.start(program, args);
        p.closeWriteChannel();
        if (!p.waitForFinished(timeoutMs)) {
            p.kill();
            p.waitForFinished();
            ADD_FAILURE() << program.toStdString() << " did not finish";
        }
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
                p.readAllStandardError()};
    }

    static QString FindTool(const char* name) { return QStandardPaths::findExecutable(QLatin1String(name)); }

    ScopedTelvaroHome m_home;
    CDomainDoc m_doc;
};

// Skips the test when an outside tool is missing; build.sh installs them.
#define REQUIRE_TOOL(var, name)                                                                   \
    const QString var = FindTool(name);                                                           \
    if (var.isEmpty())                                                                            \
        GTEST_SKIP() << name << " is not installed (build.sh installs it), so this test cannot run"

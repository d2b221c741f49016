#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// A PDF file read as a person would read it, through Poppler's command-line
// tools (package poppler-utils).

// Runs one of the tools; true when it succeeded, with what it printed on
// stdout in out.
inline bool RunPoppler(const QString& program, const QStringList& arguments, QString* out = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return false;
    if (out)
        *out = QString::fromUtf8(process.readAllStandardOutput());
    return true;
}

// One line of pdfinfo ("Pages", "Page size"), or a null string.
inline QString PdfInfo(const QString& path, const QString& key)
{
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(QRegularExpression::escape(key)),
                                  QRegularExpression::MultilineOption);
    QString info;
    RunPoppler(QStringLiteral("pdfinfo"), {path}, &info);
    const QRegularExpressionMatch match = line.match(info);
    return match.hasMatch() ? match.captured(1).trimmed() : QString();
}

inline int PdfPageCount(const QString& path)
{
    bool ok = false;
    const int pages = PdfInfo(path, QStringLiteral("Pages")).toInt(&ok);
    return ok ? pages : -1;
}

// The text of one page (from 1) as it stands on the page, line by line,
// without empty lines and with runs of spaces between columns cut to " | ".
inline QStringList PdfPageLines(const QString& path, int page)
{
    QString text;
    RunPoppler(QStringLiteral("pdftotext"),
               {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                QString::number(page), path, QStringLiteral("-")},
               &text);
    static const QRegularExpression gap(QStringLiteral("\\s{2,}"));
    QStringList lines;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed().replace(gap, QStringLiteral(" | "));
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

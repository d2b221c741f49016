#pragma once

#include <QByteArray>

class CDomainInfo;

// The whois text of a taken name as the full report shows it: the legal
// preamble, the registries' trailing paragraphs and the contact data cut
// off, blank lines folded.
QByteArray CleanReportWhois(QByteArray text);

// The status cell of a report row, unescaped: "AVAILABLE", "Unknown" (also
// for a record still being looked up), and for a taken name "Already
// Registered" in the summary or the cleaned whois text in the full report.
QByteArray ReportStatusCell(const CDomainInfo& record, bool bSummary);

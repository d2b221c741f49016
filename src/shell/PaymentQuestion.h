#pragma once

#include <QByteArray>
#include <QString>

// What is asked before a name's payment status is looked up: its whois
// answer's line from "expires" (or else "expiry") onwards, lower-cased, in
// a question whose closing warning is left out when the answer names the
// registrar that the status page belongs to. Empty when the answer has no
// such line ending in CR LF.
QString PaymentQuestion(const QByteArray& whois);

// The closing warning sentence of the question.
inline constexpr char kPaymentRegistrarWarning[] =
    "This will work only if the registrar for the domain is Network Solutions.";

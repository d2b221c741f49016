#pragma once

#include <QByteArray>
#include <QDateTime>

#include <optional>

// Turning what an RDAP server answered into the record's text. The text is
// what a person reads in the whois pane, and what classification reads
// again when the document is loaded, so every outcome starts with a line the
// rule pack knows ("RDAP: registered", "RDAP: not found", "RDAP: too many
// requests", ...). Lines end in "\n", as an answer off the wire does; the
// lookup turns them into CR LF like any other. Texts from the server are a
// stranger's: control bytes are dropped, long values cut, characters beyond
// Latin-1 shown as "?".
namespace RdapAnswer {

// "RDAP server: URL, Domain: NAME" and an empty line.
QByteArray Header(const QByteArray& url, const QByteArray& name);

// The readable lines of a 200 answer, or null when the body is not an RDAP
// domain object.
std::optional<QByteArray> RenderDomain(const QByteArray& body);
QByteArray NotFound();
// 429, or 503 with Retry-After: a rate limit, with the wait when known.
QByteArray RateLimited(int httpStatus, std::optional<int> retryAfterSeconds);
// Any other outcome: one line that says what went wrong.
QByteArray Failure(const QByteArray& what);

// Retry-After as seconds or as an HTTP date, seen at now; null when absent
// or unreadable. Never negative.
std::optional<int> ParseRetryAfter(const QByteArray& value, const QDateTime& now);

}

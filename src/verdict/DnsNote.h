#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>

// The line a lookup adds to a "free" answer once DNS was asked whether the
// name is delegated, and how a saved text is read back. The line is the
// last of the text, after everything the registry said, so a loaded list
// gives each record the verdict it had when it was looked up.
namespace DnsNote {

enum class Kind
{
    None,          // no line: DNS was not asked
    Delegated,     // the registry said free, DNS delegates the name: taken
    Confirmed,     // no delegation: free, confirmed
    Unconfirmed,   // DNS gave no answer: free, unconfirmed
    Stopped,       // stopped before DNS answered: no verdict
};

// The lines, CR LF ended, each starting with a line break so that an
// answer that ends without one keeps its last line. Name servers and
// reasons come from the network and are cut to printable ASCII.
QByteArray Delegated(const QByteArrayList& nameServers);
QByteArray Confirmed(QByteArrayView why);
QByteArray Unconfirmed(QByteArrayView why);
QByteArray Stopped();

// Which line ends text, if any.
Kind Find(QByteArrayView text);

}

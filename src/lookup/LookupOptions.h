#pragma once

#include <QByteArrayList>

#include <memory>

struct CDnsServer;

// How lookups run: what the scheduler and every connection it starts are
// given, instead of reading settings or globals on the way. The GUI makes it
// from the settings, the command line from its flags.
struct CLookupOptions
{
    int m_nTimeoutSeconds = 60;   // connect, address wait and receive; 0: no limit
    bool m_bStripOutput = true;   // clean answers of registry boilerplate
    int m_nMaxConnections = 5;    // lookups at once
    int m_nServerConnections = 4; // lookups at once per server; 0: no pacing
    bool m_bControlNames = true;  // ask known registered names to catch servers that lie
    QByteArrayList m_controlNames; // registered names the user knows, over the shipped ones
    int m_nIntervalMs = 2000;     // between scheduling ticks; 0: as soon as a slot is free
    bool m_bResolveNames = true;  // DNS confirms "free" and finds taken names' addresses
    // The DNS server those queries go to; the scheduler chooses it once when
    // this is null.
    std::shared_ptr<const CDnsServer> m_pDnsServer;

    // When the settings are read decides how far they are trusted.
    enum class Moment
    {
        // At start-up: used as stored, as the program always has (a stored
        // interval of 0 still ticks every 10 ms, as a window timer would).
        AsStored,
        // Just after the Options dialog: the connection limit held to its
        // valid range, the interval to at least its smallest valid value.
        AfterOptionsDialog,
    };
    static CLookupOptions FromSettings(Moment moment);
};

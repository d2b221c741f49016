#pragma once

#include "verdict/Verdict.h"

#include <QByteArray>
#include <QByteArrayList>

#include <map>

// Names known to be registered, asked of each server now and then during
// "Lookup Selected" to catch a server that stops telling the truth (under
// load some answer "not found" for everything). Before a server's first
// lookup of a run, and again after every kEvery of its lookups, one of its
// TLD's known names is asked; a "free" for it voids the server's verdicts
// since its last good control. GUI thread only; the scheduler runs the
// lookups.
class CControlNames
{
public:
    static constexpr int kEvery = 50;

    // A new run of "Lookup Selected": every server is checked again first.
    // given: names the user knows to be registered, used for their TLDs in
    // place of the shipped ones.
    void Clear(const QByteArrayList& given = {});

    // The control name to ask of server now (for a name in tld), or empty
    // when none is due: one is running, the last was recent, or no name is
    // known for the TLD at that server.
    QByteArray Due(const QByteArray& serverKey, const QByteArray& tld);
    // The control just picked by Due started (or could not).
    void Started(const QByteArray& serverKey, bool started);

    // A lookup of one of the server's names ended with a verdict.
    void CountVerdict(const QByteArray& serverKey, const QByteArray& name);

    // The control's answer. A "free" means the server is not answering
    // truthfully: the names of its verdicts since the last good control are
    // returned (to be looked up again) and its count starts over. A taken
    // answer is a good control. Anything else decides nothing; the control
    // is asked again before the next lookup.
    struct CAnswer
    {
        bool m_bLying = false;
        QByteArrayList m_voided;
    };
    CAnswer OnControlAnswer(const QByteArray& serverKey, const CVerdict& verdict);

    // The registered names known for tld at a server: the given ones of
    // that TLD, else the shipped snapshot's (a multi-label suffix falls back
    // to its last label's), but only when the server is the one the
    // snapshot names for the TLD: a name the snapshot knows tells nothing of
    // another server.
    QByteArrayList KnownNames(const QByteArray& tld, const QByteArray& serverKey) const;

private:
    struct CServer
    {
        bool m_bRunning = false;
        bool m_bChecked = false;   // a control answered "taken" in this run
        int m_nSinceControl = 0;
        int m_nNext = 0;           // which known name to ask next
        QByteArrayList m_sinceGood;
    };
    std::map<QByteArray, CServer> m_servers;
    QByteArrayList m_given;
};

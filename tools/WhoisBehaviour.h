#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// What the loopback whois server does with one connection. The fields
// compose (a delayed trickle that never closes is fine); the named
// constructors below cover the usual cases and read well in a test.
struct CWhoisBehaviour
{
    using Millis = std::chrono::milliseconds;
    using AnswerFor = std::function<std::string(const std::string& name)>;

    // The answer, one send() per chunk. Bytes are sent as they are, NULs too.
    std::vector<std::string> m_chunks;
    // When set, writes the answer from the queried name instead of m_chunks.
    // Called on connection threads, so it must be safe to call concurrently.
    AnswerFor m_answerFor;
    // Pause between two chunks or pieces, so the client's recv() sees them
    // one by one.
    Millis m_pause{20};
    // Wait after the request before the first byte.
    Millis m_delay{0};
    // > 0: cut the whole answer into pieces of this many bytes (trickle).
    std::size_t m_nPiece = 0;
    // > 0: the answer is this many bytes of generated printable lines.
    std::size_t m_nHuge = 0;
    // Close without reading or answering anything.
    bool m_bCloseAtOnce = false;
    // After answering, keep the connection open until the server stops.
    bool m_bHoldOpen = false;

    static CWhoisBehaviour Answer(std::string text);
    static CWhoisBehaviour Chunks(std::vector<std::string> chunks, Millis pause = Millis{20});
    // Every "%s" in the text becomes the queried name.
    static CWhoisBehaviour Template(std::string text);
    static CWhoisBehaviour Delay(Millis delay, std::string text);
    static CWhoisBehaviour Trickle(std::string text, std::size_t nPiece, Millis every);
    static CWhoisBehaviour Huge(std::size_t nBytes);
    static CWhoisBehaviour CloseAtOnce();
    static CWhoisBehaviour NeverClose(std::string text = {});

    // The pieces to send for this name, in order (not for m_nHuge).
    std::vector<std::string> Pieces(const std::string& name) const;
    // Bytes [offset, offset + n) of the generated huge answer: lines of
    // printable text ending in CR LF, the same for every offset split.
    static std::string HugeText(std::size_t offset, std::size_t n);
};

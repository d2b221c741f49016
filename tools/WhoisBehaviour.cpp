#include "WhoisBehaviour.h"

#include "LoopbackText.h"

#include <cstdio>
#include <utility>

CWhoisBehaviour CWhoisBehaviour::Answer(std::string text)
{
    CWhoisBehaviour b;
    b.m_chunks.push_back(std::move(text));
    return b;
}

CWhoisBehaviour CWhoisBehaviour::Chunks(std::vector<std::string> chunks, Millis pause)
{
    CWhoisBehaviour b;
    b.m_chunks = std::move(chunks);
    b.m_pause = pause;
    return b;
}

CWhoisBehaviour CWhoisBehaviour::Template(std::string text)
{
    CWhoisBehaviour b;
    b.m_answerFor = [text = std::move(text)](const std::string& name) { return Substitute(text, name); };
    return b;
}

CWhoisBehaviour CWhoisBehaviour::Delay(Millis delay, std::string text)
{
    CWhoisBehaviour b = Answer(std::move(text));
    b.m_delay = delay;
    return b;
}

CWhoisBehaviour CWhoisBehaviour::Trickle(std::string text, std::size_t nPiece, Millis every)
{
    CWhoisBehaviour b = Answer(std::move(text));
    b.m_nPiece = nPiece;
    b.m_pause = every;
    return b;
}

CWhoisBehaviour CWhoisBehaviour::Huge(std::size_t nBytes)
{
    CWhoisBehaviour b;
    b.m_nHuge = nBytes;
    return b;
}

CWhoisBehaviour CWhoisBehaviour::CloseAtOnce()
{
    CWhoisBehaviour b;
    b.m_bCloseAtOnce = true;
    return b;
}

CWhoisBehaviour CWhoisBehaviour::NeverClose(std::string text)
{
    CWhoisBehaviour b;
    if (!text.empty())
        b.m_chunks.push_back(std::move(text));
    b.m_bHoldOpen = true;
    return b;
}

std::vector<std::string> CWhoisBehaviour::Pieces(const std::string& name) const
{
    std::vector<std::string> pieces = m_answerFor ? std::vector<std::string>{m_answerFor(name)} : m_chunks;
    if (m_nPiece == 0)
        return pieces;
    std::string whole;
    for (const std::string& p : pieces)
        whole += p;
    pieces.clear();
    for (std::size_t at = 0; at < whole.size(); at += m_nPiece)
        pieces.push_back(whole.substr(at, m_nPiece));
    return pieces;
}

namespace {

// Every generated line has the same length, so any byte's line is its offset
// divided by that length and a stream can be cut anywhere.
std::string HugeLine(std::size_t index)
{
    char line[96];
    const int n = std::snprintf(line, sizeof line,
                                "%% generated line %012zu: the quick brown fox jumps over the lazy dog\r\n", index);
    return std::string(line, std::size_t(n));
}

} // namespace

std::string CWhoisBehaviour::HugeText(std::size_t offset, std::size_t n)
{
    const std::size_t width = HugeLine(0).size();
    std::string out;
    out.reserve(n);
    while (out.size() < n) {
        const std::size_t at = offset + out.size();
        const std::string line = HugeLine(at / width);
        out.append(line, at % width, n - out.size());
    }
    return out;
}

#include "export/TextSearch.h"

#include <cstring>

CTextMarker::CTextMarker(QByteArrayView marker)
    : m_marker(marker), m_searcher(marker.data(), marker.data() + marker.size())
{
}

qsizetype CTextMarker::In(QByteArrayView text) const
{
    const char* end = text.data() + text.size();
    const char* at = std::search(text.data(), end, m_searcher);
    return at == end ? -1 : at - text.data();
}

qsizetype FindShortText(QByteArrayView text, QByteArrayView marker)
{
    if (text.size() < marker.size())
        return -1;
    // The first byte by memchr, the rest compared where it stands.
    const char* p = text.data();
    const char* const last = text.data() + text.size() - marker.size();
    while (p <= last) {
        p = static_cast<const char*>(std::memchr(p, marker[0], size_t(last - p + 1)));
        if (!p)
            return -1;
        if (std::memcmp(p, marker.data(), size_t(marker.size())) == 0)
            return p - text.data();
        ++p;
    }
    return -1;
}

void ReplaceShortText(QByteArray& text, QByteArrayView from, QByteArrayView to)
{
    qsizetype at = FindShortText(text, from);
    if (at < 0)
        return;
    const QByteArrayView source(text);
    QByteArray out;
    out.reserve(text.size() + (to.size() > from.size() ? text.size() : 0));
    qsizetype done = 0;
    while (at >= 0) {
        out.append(source.sliced(done, at - done));
        out.append(to);
        done = at + from.size();
        const qsizetype next = FindShortText(source.sliced(done), from);
        at = next < 0 ? -1 : done + next;
    }
    out.append(source.sliced(done));
    text = std::move(out);
}

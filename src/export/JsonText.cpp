#include "export/JsonText.h"

#include <QJsonArray>

#include <cmath>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

void AppendValue(QByteArray& out, const QJsonValue& value);

void AppendEscape(char*& p, unsigned code)
{
    static constexpr char kHex[] = "0123456789abcdef";
    *p++ = '\\';
    *p++ = 'u';
    for (int shift = 12; shift >= 0; shift -= 4)
        *p++ = kHex[(code >> shift) & 0xF];
}

unsigned UnitAt(QStringView text, qsizetype i)
{
    return text[i].unicode();
}

unsigned UnitAt(QByteArrayView text, qsizetype i)
{
    return static_cast<unsigned char>(text[i]);
}

// Goes on copying plain ASCII one unit at a time from i; where the run ends.
template <typename View>
qsizetype CopyPlainTail(char*& p, View text, qsizetype i)
{
    for (; i < text.size(); ++i) {
        const unsigned u = UnitAt(text, i);
        if (u < 0x20 || u > 0x7E || u == '"' || u == '\\')
            break;
        *p++ = char(u);
    }
    return i;
}

// Copies the leading run of printable ASCII that needs no escape, eight
// units at a time where the processor allows; returns its length. Whois
// texts are mostly such runs.
qsizetype CopyPlainAscii(char*& p, QStringView text)
{
    qsizetype i = 0;
#ifdef __SSE2__
    const __m128i space = _mm_set1_epi16(0x20);
    const __m128i tilde = _mm_set1_epi16(0x7E);
    const __m128i quote = _mm_set1_epi16('"');
    const __m128i backslash = _mm_set1_epi16('\\');
    for (; i + 8 <= text.size(); i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.utf16() + i));
        // Signed compares: units from 0x8000 up count as below the space.
        const __m128i special = _mm_or_si128(_mm_or_si128(_mm_cmplt_epi16(v, space), _mm_cmpgt_epi16(v, tilde)),
                                             _mm_or_si128(_mm_cmpeq_epi16(v, quote), _mm_cmpeq_epi16(v, backslash)));
        if (_mm_movemask_epi8(special) != 0)
            break;
        _mm_storel_epi64(reinterpret_cast<__m128i*>(p), _mm_packus_epi16(v, v));
        p += 8;
    }
#endif
    return CopyPlainTail(p, text, i);
}

// The leading run of printable ASCII of 8-bit text, copied sixteen bytes
// at a time where the processor allows; its length.
qsizetype CopyPlainAscii(char*& p, QByteArrayView text)
{
    qsizetype i = 0;
#ifdef __SSE2__
    const __m128i lastControl = _mm_set1_epi8(0x1F);
    const __m128i del = _mm_set1_epi8(0x7F);
    const __m128i quote = _mm_set1_epi8('"');
    const __m128i backslash = _mm_set1_epi8('\\');
    for (; i + 16 <= text.size(); i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        // Signed compares: bytes from 0x80 up are negative, below the space.
        const __m128i printable = _mm_and_si128(_mm_cmpgt_epi8(v, lastControl), _mm_cmplt_epi8(v, del));
        const __m128i escaped = _mm_or_si128(_mm_cmpeq_epi8(v, quote), _mm_cmpeq_epi8(v, backslash));
        if (_mm_movemask_epi8(printable) != 0xFFFF || _mm_movemask_epi8(escaped) != 0)
            break;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
        p += 16;
    }
#endif
    return CopyPlainTail(p, text, i);
}

// Writes the character u (below 0x800) as JSON text: escaped where
// AppendString escapes it, else UTF-8.
void PutChar(char*& p, char16_t u)
{
    if (u == '"' || u == '\\') {
        *p++ = '\\';
        *p++ = char(u);
    } else if (u == '\n') {
        *p++ = '\\';
        *p++ = 'n';
    } else if (u == '\r') {
        *p++ = '\\';
        *p++ = 'r';
    } else if (u == '\t') {
        *p++ = '\\';
        *p++ = 't';
    } else if (u < 0x20 || (u >= 0x7F && u <= 0x9F)) {
        AppendEscape(p, u);
    } else if (u < 0x80) {
        *p++ = char(u);
    } else {
        *p++ = char(0xC0 | (u >> 6));
        *p++ = char(0x80 | (u & 0x3F));
    }
}

// A quoted string written in place: plain runs copied, every other unit
// handed to put, which returns the index of the last unit it used.
template <typename View, typename Put>
void AppendQuoted(QByteArray& out, View text, Put put)
{
    // At most six bytes for one unit ("\u0001").
    const qsizetype start = out.size();
    out.resize(start + 6 * text.size() + 2);
    char* p = out.data() + start;
    *p++ = '"';
    for (qsizetype i = 0; i < text.size(); ++i) {
        i += CopyPlainAscii(p, text.sliced(i));
        if (i == text.size())
            break;
        i = put(p, text, i);
    }
    *p++ = '"';
    out.truncate(p - out.data());
}

void AppendString(QByteArray& out, QStringView text)
{
    AppendQuoted(out, text, [](char*& p, QStringView t, qsizetype i) {
        const char16_t u = t[i].unicode();
        if (u < 0x800) {
            PutChar(p, u);
        } else if (QChar::isHighSurrogate(u) && i + 1 < t.size() && QChar::isLowSurrogate(t[i + 1].unicode())) {
            const char32_t c = QChar::surrogateToUcs4(u, t[++i].unicode());
            *p++ = char(0xF0 | (c >> 18));
            *p++ = char(0x80 | ((c >> 12) & 0x3F));
            *p++ = char(0x80 | ((c >> 6) & 0x3F));
            *p++ = char(0x80 | (c & 0x3F));
        } else if (QChar::isSurrogate(u)) {
            AppendEscape(p, u);   // a lone half: valid JSON only escaped
        } else {
            *p++ = char(0xE0 | (u >> 12));
            *p++ = char(0x80 | ((u >> 6) & 0x3F));
            *p++ = char(0x80 | (u & 0x3F));
        }
        return i;
    });
}

void AppendNumber(QByteArray& out, double d)
{
    if (!std::isfinite(d)) {
        out += "null";   // as Qt writes them; JSON has no such numbers
    } else if (d == std::trunc(d) && std::fabs(d) < 9007199254740992.0) {
        out += QByteArray::number(qint64(d));
    } else {
        out += QByteArray::number(d, 'g', QLocale::FloatingPointShortest);
    }
}

void AppendObject(QByteArray& out, const QJsonObject& object)
{
    out += '{';
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it != object.begin())
            out += ',';
        AppendString(out, it.key());
        out += ':';
        AppendValue(out, it.value());
    }
    out += '}';
}

void AppendValue(QByteArray& out, const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Bool:
        out += value.toBool() ? "true" : "false";
        break;
    case QJsonValue::Double:
        AppendNumber(out, value.toDouble());
        break;
    case QJsonValue::String:
        AppendString(out, value.toString());
        break;
    case QJsonValue::Array: {
        const QJsonArray array = value.toArray();
        out += '[';
        for (qsizetype i = 0; i < array.size(); ++i) {
            if (i)
                out += ',';
            AppendValue(out, array.at(i));
        }
        out += ']';
        break;
    }
    case QJsonValue::Object:
        AppendObject(out, value.toObject());
        break;
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        out += "null";
        break;
    }
}

}

void AppendJsonString(QByteArray& out, QStringView text)
{
    AppendString(out, text);
}

void AppendJsonLatin1(QByteArray& out, QByteArrayView text)
{
    AppendQuoted(out, text, [](char*& p, QByteArrayView t, qsizetype i) {
        PutChar(p, static_cast<unsigned char>(t[i]));
        return i;
    });
}

void AppendJsonNumber(QByteArray& out, double d)
{
    AppendNumber(out, d);
}

void AppendJsonObject(QByteArray& out, const QJsonObject& object)
{
    AppendObject(out, object);
}

QByteArray JsonObjectText(const QJsonObject& object)
{
    QByteArray out;
    AppendObject(out, object);
    return out;
}

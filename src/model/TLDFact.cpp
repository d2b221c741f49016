#include "model/TLDFact.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<ETLDKind, const char*>, 6> kKindTexts{{
    {ETLDKind::Generic, "generic"},
    {ETLDKind::CountryCode, "country-code"},
    {ETLDKind::Sponsored, "sponsored"},
    {ETLDKind::GenericRestricted, "generic-restricted"},
    {ETLDKind::Infrastructure, "infrastructure"},
    {ETLDKind::Test, "test"},
}};

}

std::optional<ETLDKind> TLDKindFromText(QByteArrayView text)
{
    for (const auto& [kind, name] : kKindTexts) {
        if (text == QByteArrayView(name))
            return kind;
    }
    return std::nullopt;
}

QByteArray TLDKindText(ETLDKind kind)
{
    for (const auto& [k, name] : kKindTexts) {
        if (k == kind)
            return QByteArray(name);
    }
    return {};
}

#include "names/ConstructOptions.h"

#include "names/WordLists.h"
#include "base/Settings.h"

CConstructOptions CConstructOptions::Load()
{
    CConstructOptions options;
    options.m_bUseDash = Settings::UseDash.Get() != 0;
    options.m_bNoStartAppend = Settings::NoStartAppend.Get() != 0;
    options.m_bNoEndAppend = Settings::NoEndAppend.Get() != 0;
    options.m_bNoBothAppend = Settings::NoBothAppend.Get() != 0;
    const int webType = Settings::WebType.Get();
    options.m_nWebType = (webType >= 0 && webType < kWebTypeCount) ? webType : 0;
    return options;
}

void CConstructOptions::Save() const
{
    Settings::WebType.Set(m_nWebType);
    Settings::UseDash.Set(m_bUseDash ? 1 : 0);
    Settings::NoEndAppend.Set(m_bNoEndAppend ? 1 : 0);
    Settings::NoStartAppend.Set(m_bNoStartAppend ? 1 : 0);
    Settings::NoBothAppend.Set(m_bNoBothAppend ? 1 : 0);
}

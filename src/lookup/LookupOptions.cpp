#include "lookup/LookupOptions.h"

#include "base/Settings.h"

#include <algorithm>
#include <climits>

namespace {

// Seconds as timer milliseconds; a value typed by hand may be huge.
int Milliseconds(int seconds)
{
    return int(std::clamp<long long>(seconds * 1000LL, 0, INT_MAX));
}

}

CLookupOptions CLookupOptions::FromSettings(Moment moment)
{
    CLookupOptions options;
    options.m_nTimeoutSeconds = Settings::LookupTimeout.Get();
    options.m_bStripOutput = Settings::StripOutput.Get() != 0;
    options.m_nServerConnections = Settings::ServerConnections.Clamp(Settings::ServerConnections.Get());
    options.m_bControlNames = Settings::ControlNames.Get() != 0;
    options.m_bResolveNames = Settings::ResolveNames.Get() != 0;
    const int connections = Settings::MaxConnections.Get();
    const int intervalSeconds = Settings::ConnectionInterval.Get();
    if (moment == Moment::AfterOptionsDialog) {
        options.m_nMaxConnections = Settings::MaxConnections.Clamp(connections);
        options.m_nIntervalMs = Milliseconds(std::max(Settings::ConnectionInterval.m_nMin, intervalSeconds));
    } else {
        options.m_nMaxConnections = connections;
        options.m_nIntervalMs = std::max(10, Milliseconds(intervalSeconds));
    }
    return options;
}

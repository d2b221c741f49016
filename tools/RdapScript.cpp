#include "RdapScript.h"

std::string RdapScriptKey(RdapListener on, std::string_view nameOrPath)
{
    // A space never occurs in a path as sent, nor in a name worth scripting.
    switch (on) {
    case RdapListener::Http:
        return "http " + std::string(nameOrPath);
    case RdapListener::Https:
        return "https " + std::string(nameOrPath);
    case RdapListener::Both:
        break;
    }
    return std::string(nameOrPath);
}

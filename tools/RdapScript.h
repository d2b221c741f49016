#pragma once

#include "LoopbackState.h"
#include "RdapBehaviour.h"
#include "RdapRequest.h"

#include <string>
#include <string_view>

// Which listener of the loopback RDAP server a scripted behaviour is for.
enum class RdapListener { Both, Http, Https };

using CRdapState = CLoopbackState<CRdapBehaviour, CRdapRequest>;

// The script key of a name, or of a path when it starts with "/", on a
// listener. A request tries its path before its name, and the rule for its
// own listener before the one for both.
std::string RdapScriptKey(RdapListener on, std::string_view nameOrPath);

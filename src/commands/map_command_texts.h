// The host's language and build pick the texts of the map and bone commands.
#pragma once

#include "panel/string_tables.h"
#include "settings/host_config.h"
#include "settings/host_globals.h"

inline const char* commandText(TextId id) { return getText(id, getLangIDForLW(stHost.global), stBuildNumber); }

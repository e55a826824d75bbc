// The edit command list as the "Edit" menu shows it.
#pragma once
#include <cstdint>

struct InstData;

// Rebuilds inst.editMenu from the command list of the host's language: entries 1 ... 27,
// an entry bound to custom button k followed by " ... [ck]" (cut to 95 bytes).
void makeEditCommandList(InstData& inst, int32_t localeInfo, int32_t buildNumber);
// The same with the host's language and build as they are now.
void makeEditCommandList(InstData& inst);

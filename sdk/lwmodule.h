/*
 * lwmodule.h -- the module descriptor the host looks up in a plug-in file.
 *
 * A module exports one ModuleDescriptor named _mod_descrip, filled with
 * { MOD_SYSSYNC, MOD_SYSVER, MOD_MACHINE, startup, shutdown, servers }.
 * startup's result (NULL = failure) is handed to every activation as
 * serverData and to shutdown before the file is unloaded. The module marks
 * the definition for export itself.
 */
#ifndef LWSDK_MODULE_H
#define LWSDK_MODULE_H

#include "lwserver.h"

typedef struct st_ModuleDescriptor {
    unsigned int   sysSync;
    unsigned int   sysVersion;
    unsigned int   sysMachine;
    void        *(*startup)(void);
    void         (*shutdown)(void *serverData);
    ServerRecord  *serverDefs;
} ModuleDescriptor;

#define MOD_SYSSYNC 0x04121994
#define MOD_SYSVER  3

/* Machine code the host checks against its own platform: one of the
 * platform macros must be defined by the build. */
#if defined(_XGL)
#  define MOD_MACHINE 0x200
#elif defined(_MSWIN)
#  if defined(_ALPHA_)
#    define MOD_MACHINE 0x302
#  else
#    define MOD_MACHINE 0x300
#  endif
#elif defined(_MACOS)
#  define MOD_MACHINE 0x400
#endif

#endif

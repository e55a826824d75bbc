/*
 * lwmodule.h -- the module descriptor the host looks up in a plug-in file.
 *
 * A module exports one ModuleDescriptor named _mod_descrip, filled with
 * { MOD_SYSSYNC, MOD_SYSVER, MOD_MACHINE, startup, shutdown, servers }.
 * startup's result (NULL = failure) is handed to every activation as
 * serverData and to shutdown before the file is unloaded.
 */
#ifndef VELMORA_SDK_LWMODULE_H
#define VELMORA_SDK_LWMODULE_H

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

/* Machine code the host checks against its own platform. 9.6 knew only
 * Windows, Mac and _XGL (Unix); Linux got 0x500 in later SDKs, which is also
 * what a build on any other Unix-like system gets here. */
#if defined(_MSWIN)
#  if defined(_ALPHA_)
#    define MOD_MACHINE 0x302
#  else
#    define MOD_MACHINE 0x300
#  endif
#elif defined(_MACOS)
#  define MOD_MACHINE 0x400
#elif defined(_XGL)
#  define MOD_MACHINE 0x200
#elif defined(_WIN32)
#  define MOD_MACHINE 0x300
#elif defined(__APPLE__)
#  define MOD_MACHINE 0x400
#else
#  define MOD_MACHINE 0x500
#endif

/* Symbol the host resolves in the module file. */
#define LWMODULE_DESCRIPTOR_SYMBOL "_mod_descrip"

/* Declared here so the module's definition gets C linkage and stays
 * visible when the rest of the module is built with hidden visibility. */
#ifdef __cplusplus
extern "C" {
#endif
#if defined(__GNUC__) && !defined(_WIN32)
__attribute__((visibility("default")))
#endif
extern ModuleDescriptor _mod_descrip;
#ifdef __cplusplus
}
#endif

#endif

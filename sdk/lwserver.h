/*
 * lwserver.h -- what every server needs: the host's global lookup,
 * activation entry points, server records and their tags.
 */
#ifndef LWSDK_SERVER_H
#define LWSDK_SERVER_H

#include "lwtypes.h"

/* Wraps the return type of every function the host calls; defined per
 * platform (_MSWIN, _XGL, _MACOS), the bare type on each. */
#if defined(_MSWIN) || defined(_XGL) || defined(_MACOS)
#define XCALL_(t) t
#endif
#define XCALL_INIT

/* ---- globals ---------------------------------------------------------- */

/* Returns the named service, or NULL when the host has none. A few services
 * ("Product Info", "Locale Info", "System ID") are integers cast to void *. */
typedef void *GlobalFunc(const char *serviceName, int useMode);

#define GFUSE_TRANSIENT 0   /* use now; nothing is locked */
#define GFUSE_ACQUIRE   1   /* keep the supplier loaded until released */
#define GFUSE_RELEASE   2

/* ---- activation ------------------------------------------------------- */

/* local is the class's record (LWLayoutTool *, LWMasterHandler *, ...);
 * serverData is what the module's startup function returned. */
typedef int ActivateFunc(int version, GlobalFunc *global, void *local,
                         void *serverData);

#define AFUNC_OK            0
#define AFUNC_BADVERSION    1   /* host may retry with a lower version */
#define AFUNC_BADGLOBAL     2
#define AFUNC_BADLOCAL      3
#define AFUNC_BADAPP        4
#define AFUNC_BADAPP_SILENT 5   /* as BADAPP, without the host's message */

/* ---- server tags ------------------------------------------------------ */

/* Languages for the low word of a tag. */
#define LANGID_GERMAN       0x0407
#define LANGID_USENGLISH    0x0409
#define LANGID_UKENGLISH    0x0809
#define LANGID_SPANISH      0x040a
#define LANGID_FRENCH       0x040c
#define LANGID_ITALIAN      0x0410
#define LANGID_JAPANESE     0x0411
#define LANGID_KOREAN       0x0412
#define LANGID_RUSSIAN      0x0419
#define LANGID_SWEDISH      0x041D

/* Kind of string, high word of a tag. */
#define SRVTAG_USERNAME     0x00000
#define SRVTAG_BUTTONNAME   0x10000
#define SRVTAG_CMDGROUP     0x20000
#define SRVTAG_MENU         0x30000
#define SRVTAG_DESCRIPTION  0x40000
#define SRVTAG_ENABLE       0x50000
#define SRVTAG_SELECTCMD    0x60000
#define SRVTAG_NODEGROUP    0x70000
/* One tagged string; a list ends with an entry whose tag is 0. */
typedef struct st_ServerTagInfo {
    const char   *string;
    unsigned int  tag;          /* SRVTAG_* | LANGID_* */
} ServerTagInfo;

/* One entry of the module's server list; the list ends with a NULL
 * className. A handler and its interface server share one name. */
typedef struct st_ServerRecord {
    const char    *className;
    const char    *name;        /* ASCII 33..127, case-sensitive */
    ActivateFunc  *activate;
    ServerTagInfo *tagInfo;
} ServerRecord;

#define ServerUserName ServerTagInfo

/* ---- "LW Server Info" ------------------------------------------------- */

#define LWSERVERINFO_GLOBAL "LW Server Info"

/* path: module file holding class+name, "" for a built-in server, NULL
 * when no such server is installed. */
typedef struct st_LWServerInfo {
    const char *(*path)(const char *server_class, const char *server_name);
} LWServerInfo;

#endif

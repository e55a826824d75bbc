/*
 * lwtypes.h -- basic value and handle types shared by every part of the
 * host interface.
 *
 * Includes nothing, like the host's own: size_t in the macros below is the
 * includer's to provide.
 */
#ifndef LWSDK_TYPES_H
#define LWSDK_TYPES_H

typedef int             LWFrame;
typedef double          LWTime;            /* seconds */

typedef float           LWFVector[3];
typedef double          LWDVector[3];
typedef float           LWFMatrix3[3][3];
typedef float           LWFMatrix4[4][4];
typedef double          LWDMatrix3[3][3];
typedef double          LWDMatrix4[4][4];

/* Four-character code, first character in the most significant byte. */
typedef unsigned int    LWID;
#ifndef LWID_
#define LWID_(a, b, c, d) \
    ((((unsigned int)(a)) << 24) | (((unsigned int)(b)) << 16) | (((unsigned int)(c)) << 8) | ((unsigned int)(d)))
#endif

typedef int             LWCommandCode;
typedef void           *LWChannelID;

/* Handler instances are opaque to the host; errors are readable text and
 * a null pointer means success. */
typedef void           *LWInstance;
typedef const char     *LWError;

typedef void           *LWImageID;
typedef void           *LWPixmapID;
typedef void           *LWTextureID;
typedef void           *NodeEditorID;
typedef float           LWBufferValue;

/* Pointer/integer round trips that stay quiet on LP64. */
#define PTR2INT(x) ((int)(size_t)(x))
#define PTR2UINT(x) ((unsigned int)(size_t)(x))
#define INT2PTR(x) ((void *)(size_t)(x))
#define UINT2PTR(x) ((void *)(size_t)(x))

#define LWITEMID2INT(x) PTR2INT(x)
#define LWITEMID2UINT(x) PTR2UINT(x)
#define INT2LWITEMID(x) ((LWItemID)INT2PTR(x))
#define UINT2LWITEMID(x) ((LWItemID)UINT2PTR(x))

#endif

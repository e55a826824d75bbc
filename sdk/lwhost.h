/*
 * lwhost.h -- services every host application offers: messages, product,
 * locale and system ids, directories and requesters.
 */
#ifndef LWSDK_HOST_H
#define LWSDK_HOST_H

#include "lwdialog.h"

/* ---- requesters -------------------------------------------------------- */

#define LWFILEREQFUNC_GLOBAL "File Request"
typedef int LWFileReqFunc(const char *hail, char *name, char *path,
                          char *fullName, int buflen);

#define LWFILEACTIVATEFUNC_GLOBAL "File Request 2"
typedef int LWFileActivateFunc(int version, LWFileReqLocal *local);

#define LWCOLORACTIVATEFUNC_GLOBAL "Color Picker"
typedef int LWColorActivateFunc(int version, LWColorPickLocal *local);

/* ---- file types and directories --------------------------------------- */

#define LWFILETYPEFUNC_GLOBAL "File Type Pattern"
typedef const char *LWFileTypeFunc(const char *filetype);

/* Directory for an LWFTYPE_* key; may be relative to the content
 * directory, or NULL. */
#define LWDIRINFOFUNC_GLOBAL "Directory Info"
typedef const char *LWDirInfoFunc(const char *filetype);

#define LWFTYPE_CONTENT   "Content"
#define LWFTYPE_ANIMATION "Animations"
#define LWFTYPE_IMAGE     "Images"
#define LWFTYPE_ENVELOPE  "Envelopes"
#define LWFTYPE_MOTION    "Motions"
#define LWFTYPE_OBJECT    "Objects"
#define LWFTYPE_PLUGIN    "Plug-ins"
#define LWFTYPE_PREVIEW   "Previews"
#define LWFTYPE_PSFONT    "PSFonts"
#define LWFTYPE_SCENE     "Scenes"
#define LWFTYPE_SETTING   "Settings"
#define LWFTYPE_SURFACE   "Surfaces"
#define LWFTYPE_NODES     "Nodes"
#define LWFTYPE_SOUNDS    "Sounds"
#define LWFTYPE_DYNAMICS  "Dynamics"
#define LWFTYPE_RIGS      "Rigs"
#define LWFTYPE_INSTALL   "Install"
#define LWFTYPE_LIGHTS    "Lights"
#define LWFTYPE_RADIOSITY "Radiosity"

/* ---- "Info Messages" -------------------------------------------------- */

#define LWMESSAGEFUNCS_GLOBAL "Info Messages 2"

/* Answers: okCancel OK 1 / Cancel 0; yesNo Yes 1 / No 0; yesNoCan Yes 2 /
 * No 1 / Cancel 0; yesNoAll adds Yes-to-all 3. The second line may be
 * NULL. */
typedef struct st_LWMessageFuncs {
    void (*info)(const char *line1, const char *line2);
    void (*error)(const char *line1, const char *line2);
    void (*warning)(const char *line1, const char *line2);
    int  (*okCancel)(const char *ttl, const char *line1, const char *line2);
    int  (*yesNo)(const char *ttl, const char *line1, const char *line2);
    int  (*yesNoCan)(const char *ttl, const char *line1, const char *line2);
    int  (*yesNoAll)(const char *ttl, const char *line1, const char *line2);
} LWMessageFuncs;

/* ---- integer-valued globals (cast the void * result) ----------------- */

#define LWSYSTEMID_GLOBAL "System ID"
#define LWSYS_TYPEBITS    0xF0000000
#define LWSYS_SERIALBITS  0x0FFFFFFF
#define LWSYS_LAYOUT      0x00000000
#define LWSYS_MODELER     0x10000000
#define LWSYS_SCREAMERNET 0x20000000
#define LWSYS_OTHER       0x80000000

#define LWPRODUCTINFO_GLOBAL "Product Info"
#define LWINF_PRODUCT    0x0000000F
#define LWINF_BUILD      0x0000FFF0
#define LWINF_MINORREV   0x000F0000
#define LWINF_MAJORREV   0x00F00000
#define LWINF_RESERVED   0xFF000000

#define LWINF_PRODLWAV   0x00000001
#define LWINF_PRODINSP3D 0x00000002
#define LWINF_PRODOTHER  0x00000004

#define LWINF_GETMAJOR(x) (((x) & LWINF_MAJORREV) >> 20)
#define LWINF_GETMINOR(x) (((x) & LWINF_MINORREV) >> 16)
#define LWINF_GETBUILD(x) (((x) & LWINF_BUILD) >> 4)

/* Low word is a LANGID_* code (lwserver.h). */
#define LWLOCALEINFO_GLOBAL "Locale Info"
#define LWLOC_LANGID   0x0000FFFF
#define LWLOC_RESERVED 0xFFFF0000

#endif

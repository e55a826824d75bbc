/*
 * lwpanel.h -- LWPanels: panels and their controls, panel drawing, the
 * raster services and context menus (API version 20, LightWave 9.6).
 *
 * Sections: handles and metrics / values / control descriptors / tags and
 * hooks / service records / flags and qualifiers / control macros / value
 * macros / key codes / colours.
 *
 * Rules of use:
 * - The control macros need a `LWPanControlDesc desc;` in scope and expand
 *   to the LWControl * that addControl returns.
 * - The value macros need `static LWValue ival = {LWT_INTEGER},
 *   ivecval = {LWT_VINT}, fval = {LWT_FLOAT}, fvecval = {LWT_VFLOAT},
 *   sval = {LWT_STRING}, pval = {LWT_POINTER};` in scope.
 * - Set LWPanelFuncs.globalFun to the activation's GlobalFunc before
 *   creating panels (file controls need it).
 * - Panel get/set pass ints through a pointer to int, but callbacks and
 *   user data as the value itself (see PAN_SETW versus PAN_SETDATA).
 */
#ifndef LWPANEL_H
#define LWPANEL_H

#include "lwserver.h"
#include "lwxpanel.h"

#define PANEL_SERVICES_NAME   "LWPanelServices"
#define LWPANELFUNCS_GLOBAL   "LWPanelServices"
#define LWRASTERFUNCS_GLOBAL  "RasterServices"
#define LWCONTEXTMENU_GLOBAL  "ContextMenuServices"
#define LWPANELS_API_VERSION  20

/* ---- handles and metrics ---------------------------------------------- */

typedef void *LWPanelID;
typedef void *LWControlID;
typedef void *LWContextMenuID;
typedef void *LWRasterID;

/* width/height: screen size; depth 0 means true colour. */
typedef struct st_display_Metrics {
    int width, height;
    int pixX, pixY;
    int maxColors, depth;
    int textHeight;
    int textAscent;
} display_Metrics;
#define LWDisplayMetrics display_Metrics

#define TRUECOLOR(dm) ((dm)->depth ? 1 : 0)
#define PALETTESIZE(dm) ((dm)->depth ? 1 << 24 : 1 << (dm)->depth)

/* ---- values ------------------------------------------------------------ */

/* Value tags. Not the LWT_DIRTY_ / LWT_EVENT_ constants of lwtool.h. */
typedef int LWType;
#define LWT_NULL     0
#define LWT_STRING   1
#define LWT_INTEGER  2
#define LWT_FLOAT    3
#define LWT_DISTANCE 4
#define LWT_VINT     5
#define LWT_VFLOAT   6
#define LWT_VDIST    7
#define LWT_BOOLEAN  8
#define LWT_CHOICE   9
#define LWT_SURFACE  10
#define LWT_FONT     11
#define LWT_TEXT     12
#define LWT_LAYERS   13
#define LWT_CUSTOM   14
#define LWT_RANGE    15
#define LWT_LWITEM   16
#define LWT_PERCENT  17
#define LWT_POPUP    18
#define LWT_AREA     19
#define LWT_XPANEL   20
#define LWT_TREE     21
#define LWT_MLIST    22
#define LWT_POINTER  23
#define LWT__LAST    LWT_POINTER

typedef struct st_LWValString {
    LWType  type;
    char   *buf;
    int     bufLen;
} LWValString;

typedef struct st_LWValInt {
    LWType  type;
    int     value;
    int     defVal;
} LWValInt;

typedef struct st_LWValFloat {
    LWType  type;
    double  value;
    double  defVal;
} LWValFloat;

typedef struct st_LWValIVector {
    LWType  type;
    int     val[3];
    int     defVal;
} LWValIVector;

typedef struct st_LWValFVector {
    LWType  type;
    double  val[3];
    double  defVal;
} LWValFVector;

/* int here, unlike DyValCustom's size_t */
typedef struct st_LWValCustom {
    LWType  type;
    int     val[4];
} LWValCustom;

typedef struct st_LWValPointer {
    LWType  type;
    void   *ptr;
} LWValPointer;

typedef union un_LWValue {
    LWType        type;
    LWValString   str;
    LWValInt      intv;
    LWValFloat    flt;
    LWValIVector  ivec;
    LWValFVector  fvec;
    LWValPointer  ptr;
    LWValCustom   cust;
} LWValue;

/* ---- control descriptors ---------------------------------------------- */

typedef struct st_LWPanStringDesc {
    LWType  type;
    int     width;                  /* characters */
} LWPanStringDesc;

typedef struct st_LWPanChoiceDesc {
    LWType        type;
    const char  **items;            /* NULL-terminated */
    int           vertical;         /* MX_* or a width */
} LWPanChoiceDesc;

typedef struct st_LWPanTextDesc {
    LWType        type;
    const char  **text;             /* NULL-terminated lines */
} LWPanTextDesc;

typedef struct st_LWPanRangeDesc {
    LWType  type;
    int     width;
    int     min;
    int     max;
} LWPanRangeDesc;

typedef struct st_LWPanAreaDesc {
    LWType  type;
    int     width;
    int     height;
} LWPanAreaDesc;

typedef struct st_LWPanLWItemDesc {
    LWType   type;
    void    *global;
    int      itemType;
    char   **list;
    int      count;
    int      width;
} LWPanLWItemDesc;

/* Callbacks receive the control's CTL_USERDATA. */
typedef struct st_LWPanPopupDesc {
    LWType   type;
    int      width;
    int    (*countFn)(void *data);
    char  *(*nameFn)(void *data, int index);
} LWPanPopupDesc;

typedef struct st_LWPanListBoxDesc {
    LWType   type;
    int      width, visItems, top;  /* pixels, rows shown, first row */
    int    (*countFn)(void *data);
    char  *(*nameFn)(void *data, int index);
} LWPanListBoxDesc;

/* colWidth returns the pixel width of column i, 0 after the last. */
typedef struct st_LWPanMultiListBoxDesc {
    LWType   type;
    int      width, visItems, top;
    int    (*countFn)(void *data);
    char  *(*nameFn)(void *data, int item, int col);
    int    (*colWidth)(void *data, int i);
} LWPanMultiListBoxDesc;

typedef struct st_LWPanXPanDesc {
    LWType   type;
    int      width, height;
    void    *xpan;
} LWPanXPanDesc;

/* A NULL node means the root. moveFn NULL forbids moving nodes. */
typedef struct st_LWPanTreeDesc {
    LWType   type;
    int      width, height;
    int    (*countFn)(void *data, void *node);
    void  *(*leafFn)(void *data, void *node, int i);
    char  *(*infoFn)(void *data, void *node, int *nodeFlags);
    void   (*moveFn)(void *data, void *node, void *parentNode, int i);
} LWPanTreeDesc;

typedef union un_LWPanControlDesc {
    LWType                 type;
    LWPanStringDesc        string;
    LWPanChoiceDesc        choice;
    LWPanTextDesc          text;
    LWPanRangeDesc         range;
    LWPanAreaDesc          area;
    LWPanLWItemDesc        lwitem;
    LWPanPopupDesc         popup;
    LWPanListBoxDesc       listbox;
    LWPanXPanDesc          xpanel;
    LWPanTreeDesc          tree;
    LWPanMultiListBoxDesc  multiList;
} LWPanControlDesc;

typedef LWPanControlDesc ControlDesc;

/* ---- tags, modes and hooks -------------------------------------------- */

/* Panel attributes for LWPanelFuncs get/set. */
typedef enum {
    PAN_X, PAN_Y, PAN_W, PAN_H,
    PAN_MOUSEX, PAN_MOUSEY,
    PAN_FLAGS,
    PAN_USERDRAW, PAN_USERACTIVATE, PAN_USEROPEN, PAN_USERCLOSE,
    PAN_TITLE, PAN_USERDATA, PAN_USERKEYS, PAN_LWINSTANCE,
    PAN_MOUSEBUTTON, PAN_MOUSEMOVE,
    PAN_PANFUN, PAN_VERSION, PAN_RESULT, PAN_HOSTDISPLAY,
    PAN_USERKEYUPS, PAN_QUALIFIERS, PAN_TO_FRONT, PAN_MOUSEWHEEL
} pTag;

typedef enum { DR_ERASE, DR_RENDER, DR_GHOST, DR_REFRESH } DrMode;

/* Control attributes for LWControl get/set. */
typedef enum {
    CTL_X, CTL_Y, CTL_W, CTL_H, CTL_VALUE,
    CTL_HOTX, CTL_HOTY, CTL_HOTW, CTL_HOTH,   /* without label and padding */
    CTL_LABELWIDTH, CTL_MOUSEX, CTL_MOUSEY,
    CTL_FLAGS, CTL_USERDRAW, CTL_USEREVENT, CTL_LABEL, CTL_USERDATA,
    CTL_PANEL, CTL_PANFUN,
    CTL_RANGEMIN, CTL_RANGEMAX,
    CTL_ACTIVATE,        /* set only: give an edit field the keyboard */
    CTL_MOUSEBUTTON      /* read only: an mBut value */
} cTag;

typedef enum { CTL_MOUSELEFT = 1, CTL_MOUSECENTER, CTL_MOUSERIGHT } mBut;

typedef enum { MX_HCHOICE, MX_VCHOICE, MX_POPUP } MxType;

/* Mouse hooks get input qualifiers (IQ_*, MOUSE_*) then x, y; for the
 * wheel the qualifier argument is the signed click count. Key hooks
 * return 1 when they used the key. */
typedef unsigned short LWDualKey;   /* LWDK_* below */

typedef void (*LWPanHook)(LWPanelID pan, void *data);
typedef int  (*LWPanKeyHook)(LWPanelID pan, void *data, LWDualKey key);
typedef void (*LWPanMouseHook)(LWPanelID pan, void *data, int qualifiers,
                               int x, int y);
typedef void (*LWPanDrawHook)(LWPanelID pan, void *data, DrMode mode);
typedef void (*LWCtlDrawHook)(LWControlID ctl, void *data, DrMode mode);
typedef void (*LWCtlEventHook)(LWControlID ctl, void *data);

/* ---- service records --------------------------------------------------- */

/* Colours are LWP_* indices or RGB_() values. There is no text height
 * call: use dispMetrics()->textHeight. */
typedef struct st_DrawFuncs {
    void (*drawPixel)(LWPanelID pan, int color, int x, int y);
    void (*drawRGBPixel)(LWPanelID pan, int r, int g, int b, int x, int y);
    void (*drawLine)(LWPanelID pan, int color, int x1, int y1, int x2, int y2);
    void (*drawBox)(LWPanelID pan, int color, int x, int y, int w, int h);
    void (*drawRGBBox)(LWPanelID pan, int r, int g, int b, int x, int y,
                       int w, int h);
    /* h == 0 draws a horizontal divider */
    void (*drawBorder)(LWPanelID pan, int indent, int x, int y, int w, int h);
    int  (*textWidth)(LWPanelID pan, char *text);
    void (*drawText)(LWPanelID pan, char *text, int color, int x, int y);
    /* declared with an empty list in the SDK; same call either way */
    const LWDisplayMetrics *(*dispMetrics)(void);
} DrawFuncs;

typedef struct st_LWControl {
    void  (*draw)(LWControlID ctl, DrMode mode);
    void  (*get)(LWControlID ctl, cTag tag, LWValue *value);
    void  (*set)(LWControlID ctl, cTag tag, LWValue *value);
    void   *priv_data;
} LWControl;

/* open: blocking panels return non-zero for OK/Continue, 0 for Cancel.
 * handle (non-blocking panels): 0 while open, -1 once closed. */
typedef struct st_LWPanelFuncs {
    LWPanelID   (*create)(char *title, void *funcs);
    void        (*destroy)(LWPanelID pan);      /* never while open */
    int         (*open)(LWPanelID pan, int flags);          /* PANF_* */
    int         (*handle)(LWPanelID pan, int flags);        /* EVNT_* */
    void        (*draw)(LWPanelID pan, DrMode mode);
    void        (*close)(LWPanelID pan);
    void        (*get)(LWPanelID pan, pTag tag, void *value);
    void        (*set)(LWPanelID pan, pTag tag, void *value);
    LWControl  *(*addControl)(LWPanelID pan, char *type, ControlDesc *data,
                              char *label);
    LWControl  *(*nextControl)(LWPanelID pan, LWControlID ctl);  /* NULL: first */
    DrawFuncs    *drawFuncs;
    void         *user_data;
    GlobalFunc   *globalFun;
} LWPanelFuncs;

/* Off-screen rasters: create(w, h, 0), draw, then blitPanel onto a panel. */
typedef struct st_LWRasterFuncs {
    void       (*drawPixel)(LWRasterID r, int color, int x, int y);
    void       (*drawRGBPixel)(LWRasterID r, int red, int green, int blue,
                               int x, int y);
    void       (*drawLine)(LWRasterID r, int color, int x, int y, int x2,
                           int y2);
    void       (*drawBox)(LWRasterID r, int color, int x, int y, int w, int h);
    void       (*drawRGBBox)(LWRasterID r, int red, int green, int blue,
                             int x, int y, int w, int h);
    void       (*eraseBox)(LWRasterID r, int x, int y, int w, int h);
    void       (*drawBorder)(LWRasterID r, int indent, int x, int y, int w,
                             int h);
    /* x, y: top left of the text cell */
    void       (*drawText)(LWRasterID r, char *text, int color, int x, int y);
    LWRasterID (*create)(int w, int h, int flags);
    void       (*destroy)(LWRasterID r);
    void       (*blitPanel)(LWRasterID src, int srcx, int srcy, LWPanelID dst,
                            int dstx, int dsty, int w, int h);
    void       (*blitRaster)(LWRasterID src, int srcx, int srcy,
                             LWRasterID dst, int dstx, int dsty, int w, int h);
} LWRasterFuncs;

/* cmenuDeploy: item is the initial choice (-1 none); returns the chosen
 * index, -1 when nothing was chosen. */
typedef struct st_ContextMenuFuncs {
    LWContextMenuID (*cmenuCreate)(LWPanPopupDesc *desc, void *userdata);
    int             (*cmenuDeploy)(LWContextMenuID menu, LWPanelID pan,
                                   int item);
    void            (*cmenuDestroy)(LWContextMenuID menu);
} ContextMenuFuncs;

/* ---- flags ------------------------------------------------------------- */

/* Note b and g trade places compared with the usual packing. */
#define RGB_(r, g, b) ((unsigned int)(((r) << 16) | ((b) << 8) | (g) | 0x1000000))

#define PANF_BLOCKING     1     /* open returns after close */
#define PANF_CANCEL       2     /* Continue/Cancel */
#define PANF_FRAME        4
#define PANF_MOUSETRAP    8     /* deliver mouse events to the hooks */
#define PANF_PASSALLKEYS  16    /* Enter/Esc go to the key hook */
#define PANF_ABORT        32    /* "Abort" instead of Continue */
#define PANF_NOBUTT       64    /* no Continue/Cancel buttons */
#define PANF_RESIZE       128

#define EVNT_BLOCKING 1         /* handle() waits until the panel closes */
#define EVNT_ALL      2         /* handle() drains the queue */

#define CTLF_DISABLE   0x100
#define CTLF_INVISIBLE 0x200
#define CTLF_GHOST     CTLF_DISABLE

#define LWI_IMAGE (LWI_BONE + 1)
#define LWI_ANY   (LWI_IMAGE + 1)

#define NODE_FLAG_EXPND 1
#define NODE_FLAG_WRITE 1024

/* Input qualifiers of mouse hooks and PAN_QUALIFIERS. */
#define IQ_CTRL      1
#define IQ_SHIFT     2
#define IQ_ALT       4
#define IQ_CONSTRAIN 8
#define IQ_ADJUST    16
#define MOUSE_LEFT   32
#define MOUSE_MID    64
#define MOUSE_RIGHT  96          /* both bits: LEFT | MID */
#define MOUSE_DOWN   128

#define RCLICK(code) ((((code) & MOUSE_LEFT) && ((code) & MOUSE_MID)) ? 1 : 0)
#define LCLICK(code) ((((code) & MOUSE_LEFT) && !((code) & MOUSE_MID)) ? 1 : 0)
#define MCLICK(code) ((!((code) & MOUSE_LEFT) && ((code) & MOUSE_MID)) ? 1 : 0)

/* ---- control macros ---------------------------------------------------- */

/* The casts let C++ callers pass string literals to the char * slots. */


#define BUTTON_CTL(pfunc, pan, tit) \
    (desc.type = LWT_INTEGER, (((*(pfunc)->addControl)((pan), (char *)("ButtonControl"), &desc, (char *)(tit)))))
#define WBUTTON_CTL(pfunc, pan, tit, w) \
    (desc.type = LWT_AREA, desc.area.width = (w), desc.area.height = 0, (((*(pfunc)->addControl)((pan), (char *)("ButtonControl"), &desc, (char *)(tit)))))
#define BOOL_CTL(pfunc, pan, tit) \
    (desc.type = LWT_BOOLEAN, (((*(pfunc)->addControl)((pan), (char *)("BoolControl"), &desc, (char *)(tit)))))
#define BOOLBUTTON_CTL(pfunc, pan, tit) \
    (desc.type = LWT_BOOLEAN, (((*(pfunc)->addControl)((pan), (char *)("BoolButtonControl"), &desc, (char *)(tit)))))
#define WBOOLBUTTON_CTL(pfunc, pan, tit, w) \
    (desc.type = LWT_AREA, desc.area.width = (w), desc.area.height = 0, (((*(pfunc)->addControl)((pan), (char *)("BoolButtonControl"), &desc, (char *)(tit)))))

#define INT_CTL(pfunc, pan, tit) \
    (desc.type = LWT_INTEGER, (((*(pfunc)->addControl)((pan), (char *)("NumControl"), &desc, (char *)(tit)))))
#define INTRO_CTL(pfunc, pan, tit) \
    (desc.type = LWT_INTEGER, (((*(pfunc)->addControl)((pan), (char *)("NumInfoControl"), &desc, (char *)(tit)))))
#define FLOAT_CTL(pfunc, pan, tit) \
    (desc.type = LWT_FLOAT, (((*(pfunc)->addControl)((pan), (char *)("FloatControl"), &desc, (char *)(tit)))))
#define FLOATRO_CTL(pfunc, pan, tit) \
    (desc.type = LWT_FLOAT, (((*(pfunc)->addControl)((pan), (char *)("FloatInfoControl"), &desc, (char *)(tit)))))
#define DIST_CTL(pfunc, pan, tit) \
    (desc.type = LWT_DISTANCE, (((*(pfunc)->addControl)((pan), (char *)("FloatControl"), &desc, (char *)(tit)))))
#define FVEC_CTL(pfunc, pan, tit) \
    (desc.type = LWT_VFLOAT, (((*(pfunc)->addControl)((pan), (char *)("FVecControl"), &desc, (char *)(tit)))))
#define FVECRO_CTL(pfunc, pan, tit) \
    (desc.type = LWT_VFLOAT, (((*(pfunc)->addControl)((pan), (char *)("FVecInfoControl"), &desc, (char *)(tit)))))
#define DVEC_CTL(pfunc, pan, tit) \
    (desc.type = LWT_VDIST, (((*(pfunc)->addControl)((pan), (char *)("FVecControl"), &desc, (char *)(tit)))))
#define IVEC_CTL(pfunc, pan, tit) \
    (desc.type = LWT_VINT, (((*(pfunc)->addControl)((pan), (char *)("VecControl"), &desc, (char *)(tit)))))
#define IVECRO_CTL(pfunc, pan, tit) \
    (desc.type = LWT_VINT, (((*(pfunc)->addControl)((pan), (char *)("VecInfoControl"), &desc, (char *)(tit)))))
#define RGB_CTL(pfunc, pan, tit) \
    (desc.type = LWT_VINT, (((*(pfunc)->addControl)((pan), (char *)("RGBControl"), &desc, (char *)(tit)))))
#define MINIRGB_CTL(pfunc, pan, tit) \
    (desc.type = LWT_VINT, (((*(pfunc)->addControl)((pan), (char *)("MiniRGBControl"), &desc, (char *)(tit)))))
#define MINIHSV_CTL(pfunc, pan, tit) \
    (desc.type = LWT_VINT, (((*(pfunc)->addControl)((pan), (char *)("MiniHSVControl"), &desc, (char *)(tit)))))
#define RGBVEC_CTL(pfunc, pan, tit) \
    (desc.type = LWT_VINT, (((*(pfunc)->addControl)((pan), (char *)("RGBVecControl"), &desc, (char *)(tit)))))


#define SLIDER_CTL(pfunc, pan, tit, w, mn, mx) \
    ((desc.type = LWT_RANGE, desc.range.width = (w), desc.range.min = (mn), desc.range.max = (mx), (((*(pfunc)->addControl)((pan), (char *)("SliderControl"), &desc, (char *)(tit))))))
#define VSLIDER_CTL(pfunc, pan, tit, w, mn, mx) \
    ((desc.type = LWT_RANGE, desc.range.width = (w), desc.range.min = (mn), desc.range.max = (mx), (((*(pfunc)->addControl)((pan), (char *)("VSlideControl"), &desc, (char *)(tit))))))
#define HSLIDER_CTL(pfunc, pan, tit, w, mn, mx) \
    ((desc.type = LWT_RANGE, desc.range.width = (w), desc.range.min = (mn), desc.range.max = (mx), (((*(pfunc)->addControl)((pan), (char *)("HSlideControl"), &desc, (char *)(tit))))))
#define UNSLIDER_CTL(pfunc, pan, tit, w, mn, mx) \
    ((desc.type = LWT_RANGE, desc.range.width = (w), desc.range.min = (mn), desc.range.max = (mx), (((*(pfunc)->addControl)((pan), (char *)("UnboundSlideControl"), &desc, (char *)(tit))))))
#define MINISLIDER_CTL(pfunc, pan, tit, w, mn, mx) \
    ((desc.type = LWT_RANGE, desc.range.width = (w), desc.range.min = (mn), desc.range.max = (mx), (((*(pfunc)->addControl)((pan), (char *)("MiniSliderControl"), &desc, (char *)(tit))))))

/* These three leave range.width as it was. PERCENT's value is a double;
 * whether it runs 0..100 or 0..1 is not documented. ANGLE's is radians. */
#define PERCENT_CTL(pfunc, pan, tit) \
    (desc.type = LWT_RANGE, desc.range.min = 0, desc.range.max = 100, (((*(pfunc)->addControl)((pan), (char *)("PercentControl"), &desc, (char *)(tit)))))
#define ANGLE_CTL(pfunc, pan, tit) \
    (desc.type = LWT_RANGE, desc.range.min = 0, desc.range.max = 360, (((*(pfunc)->addControl)((pan), (char *)("AngleControl"), &desc, (char *)(tit)))))
#define DISTSLIDER_CTL(pfunc, pan, tit) \
    (desc.type = LWT_RANGE, desc.range.min = 0, desc.range.max = 100, (((*(pfunc)->addControl)((pan), (char *)("MiniDistanceControl"), &desc, (char *)(tit)))))


#define STR_CTL(pfunc, pan, tit, w) \
    ((desc.type = LWT_STRING, desc.string.width = (w), (((*(pfunc)->addControl)((pan), (char *)("EditControl"), &desc, (char *)(tit))))))
#define STRRO_CTL(pfunc, pan, tit, w) \
    ((desc.type = LWT_STRING, desc.string.width = (w), (((*(pfunc)->addControl)((pan), (char *)("InfoControl"), &desc, (char *)(tit))))))
#define FILE_CTL(pfunc, pan, tit, w) \
    ((desc.type = LWT_STRING, desc.string.width = (w), (((*(pfunc)->addControl)((pan), (char *)("FileControl"), &desc, (char *)(tit))))))
#define LOAD_CTL(pfunc, pan, tit, w) \
    ((desc.type = LWT_STRING, desc.string.width = (w), (((*(pfunc)->addControl)((pan), (char *)("LoadControl"), &desc, (char *)(tit))))))
#define SAVE_CTL(pfunc, pan, tit, w) \
    ((desc.type = LWT_STRING, desc.string.width = (w), (((*(pfunc)->addControl)((pan), (char *)("SaveControl"), &desc, (char *)(tit))))))
#define DIR_CTL(pfunc, pan, tit, w) \
    ((desc.type = LWT_STRING, desc.string.width = (w), (((*(pfunc)->addControl)((pan), (char *)("DirControl"), &desc, (char *)(tit))))))
/* the button variants measure w in pixels */
#define FILEBUTTON_CTL(pfunc, pan, tit, w) \
    ((desc.type = LWT_STRING, desc.string.width = (w), (((*(pfunc)->addControl)((pan), (char *)("FileButtonControl"), &desc, (char *)(tit))))))
#define LOADBUTTON_CTL(pfunc, pan, tit, w) \
    ((desc.type = LWT_STRING, desc.string.width = (w), (((*(pfunc)->addControl)((pan), (char *)("LoadButtonControl"), &desc, (char *)(tit))))))
#define SAVEBUTTON_CTL(pfunc, pan, tit, w) \
    ((desc.type = LWT_STRING, desc.string.width = (w), (((*(pfunc)->addControl)((pan), (char *)("SaveButtonControl"), &desc, (char *)(tit))))))
#define DIRBUTTON_CTL(pfunc, pan, tit, w) \
    ((desc.type = LWT_STRING, desc.string.width = (w), (((*(pfunc)->addControl)((pan), (char *)("DirButtonControl"), &desc, (char *)(tit))))))


#define HCHOICE_CTL(pfunc, pan, tit, ls) \
    ((desc.type = LWT_CHOICE, desc.choice.vertical = (MX_HCHOICE), desc.choice.items = (ls), (((*(pfunc)->addControl)((pan), (char *)("ChoiceControl"), &desc, (char *)(tit))))))
#define VCHOICE_CTL(pfunc, pan, tit, ls) \
    ((desc.type = LWT_CHOICE, desc.choice.vertical = (MX_VCHOICE), desc.choice.items = (ls), (((*(pfunc)->addControl)((pan), (char *)("ChoiceControl"), &desc, (char *)(tit))))))
#define TABCHOICE_CTL(pfunc, pan, tit, ls) \
    ((desc.type = LWT_CHOICE, desc.choice.vertical = (MX_HCHOICE), desc.choice.items = (ls), (((*(pfunc)->addControl)((pan), (char *)("TabChoiceControl"), &desc, (char *)(tit))))))
#define POPUP_CTL(pfunc, pan, tit, ls) \
    ((desc.type = LWT_CHOICE, desc.choice.vertical = (0), desc.choice.items = (ls), (((*(pfunc)->addControl)((pan), (char *)("PopupControl"), &desc, (char *)(tit))))))
#define WPOPUP_CTL(pfunc, pan, tit, ls, w) \
    ((desc.type = LWT_CHOICE, desc.choice.vertical = (w), desc.choice.items = (ls), (((*(pfunc)->addControl)((pan), (char *)("PopupControl"), &desc, (char *)(tit))))))
#define POPDOWN_CTL(pfunc, pan, tit, ls) \
    ((desc.type = LWT_CHOICE, desc.choice.vertical = (MX_POPUP), desc.choice.items = (ls), (((*(pfunc)->addControl)((pan), (char *)("PopDownControl"), &desc, (char *)(tit))))))

#define CUSTPOPUP_CTL(pfunc, pan, tit, w, name, num) \
    (desc.type = LWT_POPUP, desc.popup.width = (w), desc.popup.nameFn = (name), desc.popup.countFn = (num), (((*(pfunc)->addControl)((pan), (char *)("CustomPopupControl"), &desc, (char *)(tit)))))
/* Set CTL_USERDATA (or CON_SETEVENT) before the panel opens: the list
 * callbacks receive it. */
#define LISTBOX_CTL(pfunc, pan, tit, w, vis, name, num) \
    (desc.type = LWT_POPUP, desc.listbox.width = (w), desc.listbox.nameFn = (name), desc.listbox.countFn = (num), desc.listbox.visItems = (vis), (((*(pfunc)->addControl)((pan), (char *)("ListBoxControl"), &desc, (char *)(tit)))))
#define MULTILIST_CTL(pfunc, pan, tit, w, vis, name, num, colw) \
    (desc.type = LWT_MLIST, desc.multiList.width = (w), desc.multiList.nameFn = (name), desc.multiList.countFn = (num), desc.multiList.visItems = (vis), desc.multiList.colWidth = (colw), (((*(pfunc)->addControl)((pan), (char *)("MultiListBoxControl"), &desc, (char *)(tit)))))
#define TREE_CTL(pfunc, pan, tit, w, h, info, num, node) \
    (desc.type = LWT_TREE, desc.tree.width = (w), desc.tree.height = (h), desc.tree.infoFn = (info), desc.tree.countFn = (num), desc.tree.leafFn = (node), desc.tree.moveFn = NULL, (((*(pfunc)->addControl)((pan), (char *)("TreeControl"), &desc, (char *)(tit)))))


#define ITEM_CTL(pfunc, pan, tit, glb, typ) \
    ((desc.type = LWT_LWITEM, desc.lwitem.global = (glb), desc.lwitem.itemType = (typ), desc.lwitem.list = NULL, desc.lwitem.count = 0, desc.lwitem.width = (0), (((*(pfunc)->addControl)((pan), (char *)("LWListControl"), &desc, (char *)(tit))))))
#define WITEM_CTL(pfunc, pan, tit, glb, typ, w) \
    ((desc.type = LWT_LWITEM, desc.lwitem.global = (glb), desc.lwitem.itemType = (typ), desc.lwitem.list = NULL, desc.lwitem.count = 0, desc.lwitem.width = (w), (((*(pfunc)->addControl)((pan), (char *)("LWListControl"), &desc, (char *)(tit))))))
#define PIKITEM_CTL(pfunc, pan, tit, glb, typ, w) \
    ((desc.type = LWT_LWITEM, desc.lwitem.global = (glb), desc.lwitem.itemType = (typ), desc.lwitem.list = NULL, desc.lwitem.count = 0, desc.lwitem.width = (w), (((*(pfunc)->addControl)((pan), (char *)("LWPickListControl"), &desc, (char *)(tit))))))

#define TEXT_CTL(pfunc, pan, tit, sts) \
    (desc.type = LWT_TEXT, desc.text.text = (sts), (((*(pfunc)->addControl)((pan), (char *)("TextControl"), &desc, (char *)(tit)))))


#define AREA_CTL(pfunc, pan, tit, w, h) \
    ((desc.type = LWT_AREA, desc.area.width = (w), desc.area.height = (h), (((*(pfunc)->addControl)((pan), (char *)("AreaControl"), &desc, (char *)(tit))))))
#define DRAGAREA_CTL(pfunc, pan, tit, w, h) \
    ((desc.type = LWT_AREA, desc.area.width = (w), desc.area.height = (h), (((*(pfunc)->addControl)((pan), (char *)("DragAreaControl"), &desc, (char *)(tit))))))
#define CANVAS_CTL(pfunc, pan, tit, w, h) \
    ((desc.type = LWT_AREA, desc.area.width = (w), desc.area.height = (h), (((*(pfunc)->addControl)((pan), (char *)("CanvasControl"), &desc, (char *)(tit))))))
#define OPENGL_CTL(pfunc, pan, tit, w, h) \
    ((desc.type = LWT_AREA, desc.area.width = (w), desc.area.height = (h), (((*(pfunc)->addControl)((pan), (char *)("OpenGLControl"), &desc, (char *)(tit))))))
#define BORDER_CTL(pfunc, pan, tit, w, h) \
    ((desc.type = LWT_AREA, desc.area.width = (w), desc.area.height = (h), (((*(pfunc)->addControl)((pan), (char *)("BorderControl"), &desc, (char *)(tit))))))
#define CHANNEL_CTL(pfunc, pan, tit, w, h) \
    ((desc.type = LWT_AREA, desc.area.width = (w), desc.area.height = (h), (((*(pfunc)->addControl)((pan), (char *)("ChannelControl"), &desc, (char *)(tit))))))
/* value: ivec (dx, dy, count) */
#define DRAGBUT_CTL(pfunc, pan, tit, w, h) \
    ((desc.type = LWT_AREA, desc.area.width = (w), desc.area.height = (h), (((*(pfunc)->addControl)((pan), (char *)("DragButtonControl"), &desc, (char *)(tit))))))
#define VDRAGBUT_CTL(pfunc, pan, tit) \
    ((desc.type = LWT_AREA, desc.area.width = (0), desc.area.height = (-1), (((*(pfunc)->addControl)((pan), (char *)("DragButtonControl"), &desc, (char *)(tit))))))
#define HDRAGBUT_CTL(pfunc, pan, tit) \
    ((desc.type = LWT_AREA, desc.area.width = (-1), desc.area.height = (0), (((*(pfunc)->addControl)((pan), (char *)("DragButtonControl"), &desc, (char *)(tit))))))
/* tagged as a range but filled through the area fields */
#define PALETTE_CTL(pfunc, pan, tit, w, h) \
    (desc.type = LWT_RANGE, desc.area.width = (w), desc.area.height = (h), (((*(pfunc)->addControl)((pan), (char *)("PaletteControl"), &desc, (char *)(tit)))))

#define XPANEL_CTL(pfunc, pan, tit, xp) \
    (desc.type = LWT_XPANEL, desc.xpanel.xpan = (xp), (((*(pfunc)->addControl)((pan), (char *)("XPanelControl"), &desc, (char *)(tit)))))

/* ---- value, attribute and drawing macros ------------------------------ */

#define SET_INT(ctl, n) (ival.intv.value = (n), (*(ctl)->set)((ctl), CTL_VALUE, &ival))
#define GET_INT(ctl, n) ((*(ctl)->get)((ctl), CTL_VALUE, &ival), (n) = ival.intv.value)
#define SET_FLOAT(ctl, f) (fval.flt.value = (f), (*(ctl)->set)((ctl), CTL_VALUE, &fval))
#define GET_FLOAT(ctl, f) ((*(ctl)->get)((ctl), CTL_VALUE, &fval), (f) = fval.flt.value)
#define SET_ADDR(ctl, n) (pval.ptr.ptr = (n), (*(ctl)->set)((ctl), CTL_VALUE, &pval))
#define GET_ADDR(ctl, n) ((*(ctl)->get)((ctl), CTL_VALUE, &pval), (n) = pval.ptr.ptr)
#define SET_STR(ctl, s, l) \
    (sval.str.buf = (s), sval.str.bufLen = (l), (*(ctl)->set)((ctl), CTL_VALUE, &sval))
#define GET_STR(ctl, s, l) \
    (sval.str.buf = (s), sval.str.bufLen = (l), (*(ctl)->get)((ctl), CTL_VALUE, &sval))

#define SET_IVEC(ctl, x, y, z) \
    (ivecval.ivec.val[0] = (x), ivecval.ivec.val[1] = (y), ivecval.ivec.val[2] = (z), (*(ctl)->set)((ctl), CTL_VALUE, &ivecval))
#define SETV_IVEC(ctl, v) \
    (ivecval.ivec.val[0] = (v)[0], ivecval.ivec.val[1] = (v)[1], ivecval.ivec.val[2] = (v)[2], (*(ctl)->set)((ctl), CTL_VALUE, &ivecval))
#define GET_IVEC(ctl, x, y, z) \
    ((*(ctl)->get)((ctl), CTL_VALUE, &ivecval), (x) = ivecval.ivec.val[0], (y) = ivecval.ivec.val[1], (z) = ivecval.ivec.val[2])
#define GETV_IVEC(ctl, v) \
    ((*(ctl)->get)((ctl), CTL_VALUE, &ivecval), (v)[0] = ivecval.ivec.val[0], (v)[1] = ivecval.ivec.val[1], (v)[2] = ivecval.ivec.val[2])

#define SET_FVEC(ctl, x, y, z) \
    (fvecval.fvec.val[0] = (x), fvecval.fvec.val[1] = (y), fvecval.fvec.val[2] = (z), (*(ctl)->set)((ctl), CTL_VALUE, &fvecval))
#define SETV_FVEC(ctl, v) \
    (fvecval.fvec.val[0] = (v)[0], fvecval.fvec.val[1] = (v)[1], fvecval.fvec.val[2] = (v)[2], (*(ctl)->set)((ctl), CTL_VALUE, &fvecval))
#define GET_FVEC(ctl, x, y, z) \
    ((*(ctl)->get)((ctl), CTL_VALUE, &fvecval), (x) = fvecval.fvec.val[0], (y) = fvecval.fvec.val[1], (z) = fvecval.fvec.val[2])
#define GETV_FVEC(ctl, v) \
    ((*(ctl)->get)((ctl), CTL_VALUE, &fvecval), (v)[0] = fvecval.fvec.val[0], (v)[1] = fvecval.fvec.val[1], (v)[2] = fvecval.fvec.val[2])


#define CON_X(ctl) (((*(ctl)->get)((ctl), (CTL_X), &ival), ival.intv.value))
#define CON_Y(ctl) (((*(ctl)->get)((ctl), (CTL_Y), &ival), ival.intv.value))
#define CON_W(ctl) (((*(ctl)->get)((ctl), (CTL_W), &ival), ival.intv.value))
#define CON_H(ctl) (((*(ctl)->get)((ctl), (CTL_H), &ival), ival.intv.value))
#define CON_HOTX(ctl) (((*(ctl)->get)((ctl), (CTL_HOTX), &ival), ival.intv.value))
#define CON_HOTY(ctl) (((*(ctl)->get)((ctl), (CTL_HOTY), &ival), ival.intv.value))
#define CON_HOTW(ctl) (((*(ctl)->get)((ctl), (CTL_HOTW), &ival), ival.intv.value))
#define CON_HOTH(ctl) (((*(ctl)->get)((ctl), (CTL_HOTH), &ival), ival.intv.value))
#define CON_LW(ctl) (((*(ctl)->get)((ctl), (CTL_LABELWIDTH), &ival), ival.intv.value))
#define CON_MOUSEX(ctl) (((*(ctl)->get)((ctl), (CTL_MOUSEX), &ival), ival.intv.value))
#define CON_MOUSEY(ctl) (((*(ctl)->get)((ctl), (CTL_MOUSEY), &ival), ival.intv.value))
#define CON_PAN(ctl) ((*(ctl)->get)((ctl), CTL_PANEL, &sval), sval.ptr.ptr)
#define CON_PANFUN(ctl) ((*(ctl)->get)((ctl), CTL_PANFUN, &sval), sval.ptr.ptr)

#define MOVE_CON(ctl, x, y) \
    ((ival.intv.value = (x), (*(ctl)->set)((ctl), CTL_X, &ival)), (ival.intv.value = (y), (*(ctl)->set)((ctl), CTL_Y, &ival)))
/* user data first, so the event hook never runs without it */
#define CON_SETEVENT(ctl, f, d) \
    ((ival.ptr.ptr = (void *)(d), (*(ctl)->set)((ctl), CTL_USERDATA, &ival)), (ival.ptr.ptr = (void *)(f), (*(ctl)->set)((ctl), CTL_USEREVENT, &ival)))
#define ACTIVATE_CON(ctl) (ival.intv.value = 0, (*(ctl)->set)((ctl), CTL_ACTIVATE, &ival))

#define ERASE_CON(ctl) ((*(ctl)->draw)((ctl), DR_ERASE))
#define REDRAW_CON(ctl) ((*(ctl)->draw)((ctl), DR_REFRESH))
#define GHOST_CON(ctl) ((*(ctl)->draw)((ctl), DR_GHOST))
#define RENDER_CON(ctl) ((*(ctl)->draw)((ctl), DR_RENDER))
#define UNGHOST_CON(ctl) ((*(ctl)->draw)((ctl), DR_RENDER))

#define PAN_CREATE(pfunc, tit) ((*(pfunc)->create)((char *)(tit), NULL))
#define PAN_POST(pfunc, pan) ((*(pfunc)->open)((pan), PANF_BLOCKING | PANF_CANCEL | PANF_FRAME))
#define PAN_KILL(pfunc, pan) ((*(pfunc)->destroy)(pan))



#define PAN_GETX(pfunc, pan) \
    (((*(pfunc)->get)((pan), (PAN_X), (void *)&ival.intv.value), ival.intv.value))
#define PAN_GETY(pfunc, pan) \
    (((*(pfunc)->get)((pan), (PAN_Y), (void *)&ival.intv.value), ival.intv.value))
#define PAN_GETW(pfunc, pan) \
    (((*(pfunc)->get)((pan), (PAN_W), (void *)&ival.intv.value), ival.intv.value))
#define PAN_GETH(pfunc, pan) \
    (((*(pfunc)->get)((pan), (PAN_H), (void *)&ival.intv.value), ival.intv.value))
#define PAN_GETVERSION(pfunc, pan) \
    (((*(pfunc)->get)((pan), (PAN_VERSION), (void *)&ival.intv.value), ival.intv.value))
#define PAN_SETW(pfunc, pan, w) \
    ((ival.intv.value = (w), (*(pfunc)->set)((pan), (PAN_W), (void *)&ival.intv.value)))
#define PAN_SETH(pfunc, pan, h) \
    ((ival.intv.value = (h), (*(pfunc)->set)((pan), (PAN_H), (void *)&ival.intv.value)))
#define MOVE_PAN(pfunc, pan, x, y) \
    (((ival.intv.value = (x), (*(pfunc)->set)((pan), (PAN_X), (void *)&ival.intv.value))), ((ival.intv.value = (y), (*(pfunc)->set)((pan), (PAN_Y), (void *)&ival.intv.value))))
#define PAN_SETDATA(pfunc, pan, d) ((*(pfunc)->set)((pan), PAN_USERDATA, (void *)(d)))
#define PAN_SETDRAW(pfunc, pan, d) ((*(pfunc)->set)((pan), PAN_USERDRAW, (void *)(d)))
#define PAN_SETKEYS(pfunc, pan, d) ((*(pfunc)->set)((pan), PAN_USERKEYS, (void *)(d)))

/* ---- key codes ---------------------------------------------------------- */

#define LWDK_CHAR(c) ((LWDualKey)(c))
#define LWDK_F1           ((LWDualKey)0x1001)
#define LWDK_F2           ((LWDualKey)0x1002)
#define LWDK_F3           ((LWDualKey)0x1003)
#define LWDK_F4           ((LWDualKey)0x1004)
#define LWDK_F5           ((LWDualKey)0x1005)
#define LWDK_F6           ((LWDualKey)0x1006)
#define LWDK_F7           ((LWDualKey)0x1007)
#define LWDK_F8           ((LWDualKey)0x1008)
#define LWDK_F9           ((LWDualKey)0x1009)
#define LWDK_F10          ((LWDualKey)0x100A)
#define LWDK_F11          ((LWDualKey)0x100B)
#define LWDK_F12          ((LWDualKey)0x100C)
#define LWDK_SC_LEFT      ((LWDualKey)0x1010)
#define LWDK_SC_RIGHT     ((LWDualKey)0x1011)
#define LWDK_SC_UP        ((LWDualKey)0x1012)
#define LWDK_SC_DOWN      ((LWDualKey)0x1013)
#define LWDK_DELETE       ((LWDualKey)0x1020)
#define LWDK_HELP         ((LWDualKey)0x1021)
#define LWDK_RETURN       ((LWDualKey)0x1022)
#define LWDK_TOP_0        ((LWDualKey)0x1030)
#define LWDK_TOP_1        ((LWDualKey)0x1031)
#define LWDK_TOP_2        ((LWDualKey)0x1032)
#define LWDK_TOP_3        ((LWDualKey)0x1033)
#define LWDK_TOP_4        ((LWDualKey)0x1034)
#define LWDK_TOP_5        ((LWDualKey)0x1035)
#define LWDK_TOP_6        ((LWDualKey)0x1036)
#define LWDK_TOP_7        ((LWDualKey)0x1037)
#define LWDK_TOP_8        ((LWDualKey)0x1038)
#define LWDK_TOP_9        ((LWDualKey)0x1039)
#define LWDK_PAD_0        ((LWDualKey)0x1040)
#define LWDK_PAD_1        ((LWDualKey)0x1041)
#define LWDK_PAD_2        ((LWDualKey)0x1042)
#define LWDK_PAD_3        ((LWDualKey)0x1043)
#define LWDK_PAD_4        ((LWDualKey)0x1044)
#define LWDK_PAD_5        ((LWDualKey)0x1045)
#define LWDK_PAD_6        ((LWDualKey)0x1046)
#define LWDK_PAD_7        ((LWDualKey)0x1047)
#define LWDK_PAD_8        ((LWDualKey)0x1048)
#define LWDK_PAD_9        ((LWDualKey)0x1049)
#define LWDK_PAD_OPAREN   ((LWDualKey)0x1050)
#define LWDK_PAD_CPAREN   ((LWDualKey)0x1051)
#define LWDK_PAD_SLASH    ((LWDualKey)0x1052)
#define LWDK_PAD_STAR     ((LWDualKey)0x1053)
#define LWDK_PAD_DASH     ((LWDualKey)0x1054)
#define LWDK_PAD_PLUS     ((LWDualKey)0x1055)
#define LWDK_PAD_DECIMAL  ((LWDualKey)0x1056)
#define LWDK_PAD_ENTER    ((LWDualKey)0x1057)
#define LWDK_ALT          ((LWDualKey)0x1060)
#define LWDK_SHIFT        ((LWDualKey)0x1061)
#define LWDK_CTRL         ((LWDualKey)0x1062)
#define LWDK_HOME         ((LWDualKey)0x108F)
#define LWDK_END          ((LWDualKey)0x1090)
#define LWDK_PAGEUP       ((LWDualKey)0x1091)
#define LWDK_PAGEDOWN     ((LWDualKey)0x1092)

/* ---- colours ----------------------------------------------------------- */

/* Palette indices of the host's interface colours. */
#define SYSTEM_Ic(i) (4136 + (i))

#define LWP_NONE      SYSTEM_Ic(0)
#define LWP_INVERT    SYSTEM_Ic(1)
#define LWP_BG        SYSTEM_Ic(2)
#define LWP_NORMAL    SYSTEM_Ic(3)
#define LWP_HEADLINE  SYSTEM_Ic(4)
#define LWP_INFO_BG   SYSTEM_Ic(5)
#define LWP_INFO_IMG  SYSTEM_Ic(6)
#define LWP_INFO_DIS  SYSTEM_Ic(7)
#define LWP_EDIT_BG   SYSTEM_Ic(8)
#define LWP_EDIT_IMG  SYSTEM_Ic(9)
#define LWP_EDIT_SEL  SYSTEM_Ic(10)
#define LWP_EDIT_DIS  SYSTEM_Ic(11)
#define LWP_BLACK     SYSTEM_Ic(12)
#define LWP_SHADOW    SYSTEM_Ic(13)
#define LWP_LOWERED   SYSTEM_Ic(14)
#define LWP_RAISED    SYSTEM_Ic(15)
#define LWP_HILIGHT   SYSTEM_Ic(16)
#define LWP_0_STAT    SYSTEM_Ic(17)
#define LWP_1_STAT    SYSTEM_Ic(18)
#define LWP_2_STAT    SYSTEM_Ic(19)
#define LWP_3_STAT    SYSTEM_Ic(20)
#define LWP_4_STAT    SYSTEM_Ic(21)
#define LWP_5_STAT    SYSTEM_Ic(22)
#define LWP_0_DLOG    SYSTEM_Ic(23)
#define LWP_1_DLOG    SYSTEM_Ic(24)
#define LWP_2_DLOG    SYSTEM_Ic(25)
#define LWP_3_DLOG    SYSTEM_Ic(26)
#define LWP_4_DLOG    SYSTEM_Ic(27)
#define LWP_5_DLOG    SYSTEM_Ic(28)
#define LWP_0_DOIT    SYSTEM_Ic(29)
#define LWP_1_DOIT    SYSTEM_Ic(30)
#define LWP_2_DOIT    SYSTEM_Ic(31)
#define LWP_3_DOIT    SYSTEM_Ic(32)
#define LWP_4_DOIT    SYSTEM_Ic(33)
#define LWP_5_DOIT    SYSTEM_Ic(34)
#define LWP_0_DRAG    SYSTEM_Ic(35)
#define LWP_1_DRAG    SYSTEM_Ic(36)
#define LWP_2_DRAG    SYSTEM_Ic(37)
#define LWP_3_DRAG    SYSTEM_Ic(38)
#define LWP_4_DRAG    SYSTEM_Ic(39)
#define LWP_5_DRAG    SYSTEM_Ic(40)
#define LWP_1_BG      SYSTEM_Ic(41)
#define LWP_2_BG      SYSTEM_Ic(42)
#define LWP_3_BG      SYSTEM_Ic(43)

/* Second names for the same entries, after their default shades. */
#define LWP_GRAY1     SYSTEM_Ic(7)
#define LWP_GRAY2     SYSTEM_Ic(13)
#define LWP_GRAY3     SYSTEM_Ic(1)
#define LWP_GRAY4     SYSTEM_Ic(8)
#define LWP_GRAY5     SYSTEM_Ic(5)
#define LWP_GRAY6     SYSTEM_Ic(2)
#define LWP_GRAY7     SYSTEM_Ic(11)
#define LWP_GRAY8     SYSTEM_Ic(9)
#define LWP_WHITE     SYSTEM_Ic(4)
#define LWP_CANARY1   SYSTEM_Ic(17)
#define LWP_CANARY2   SYSTEM_Ic(18)
#define LWP_CANARY3   SYSTEM_Ic(19)
#define LWP_CANARY4   SYSTEM_Ic(20)
#define LWP_CANARY5   SYSTEM_Ic(21)
#define LWP_CANARY6   SYSTEM_Ic(22)
#define LWP_AQUA1     SYSTEM_Ic(23)
#define LWP_AQUA2     SYSTEM_Ic(24)
#define LWP_AQUA3     SYSTEM_Ic(25)
#define LWP_AQUA4     SYSTEM_Ic(26)
#define LWP_AQUA5     SYSTEM_Ic(27)
#define LWP_AQUA6     SYSTEM_Ic(28)
#define LWP_LAVENDER1 SYSTEM_Ic(29)
#define LWP_LAVENDER2 SYSTEM_Ic(30)
#define LWP_LAVENDER3 SYSTEM_Ic(31)
#define LWP_LAVENDER4 SYSTEM_Ic(32)
#define LWP_LAVENDER5 SYSTEM_Ic(33)
#define LWP_LAVENDER6 SYSTEM_Ic(34)
#define LWP_OLIVE1    SYSTEM_Ic(35)
#define LWP_OLIVE2    SYSTEM_Ic(36)
#define LWP_OLIVE3    SYSTEM_Ic(37)
#define LWP_OLIVE4    SYSTEM_Ic(38)
#define LWP_OLIVE5    SYSTEM_Ic(39)
#define LWP_OLIVE6    SYSTEM_Ic(40)

/* COLOR_MD_GREY and COLOR_LT_GREY are left out: the names they stand for
 * exist in no SDK header. */
#define COLOR_BG        LWP_BG
#define COLOR_DK_YELLOW LWP_EDIT_IMG
#define COLOR_DK_GREY   LWP_SHADOW
#define COLOR_LT_YELLOW LWP_EDIT_SEL
#define COLOR_BLACK     LWP_NORMAL
#define COLOR_WHITE     LWP_HEADLINE

#endif

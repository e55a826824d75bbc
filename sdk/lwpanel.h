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
#ifndef VELMORA_SDK_LWPANEL_H
#define VELMORA_SDK_LWPANEL_H

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

#define TRUECOLOR(dm)   ((dm)->depth ? 1 : 0)
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
#define RGB_(r, g, b) \
    ((unsigned int)(((r) << 16) | ((b) << 8) | (g) | 0x1000000))

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
#define LWPANEL_ADD_CTL_(pf, pan, kind, tit) \
    ((*(pf)->addControl)((pan), (char *)(kind), &desc, (char *)(tit)))

#define BUTTON_CTL(pf, pan, tit) \
    (desc.type = LWT_INTEGER, LWPANEL_ADD_CTL_(pf, pan, "ButtonControl", tit))
#define WBUTTON_CTL(pf, pan, tit, w) \
    (desc.type = LWT_AREA, desc.area.width = (w), desc.area.height = 0, \
     LWPANEL_ADD_CTL_(pf, pan, "ButtonControl", tit))
#define BOOL_CTL(pf, pan, tit) \
    (desc.type = LWT_BOOLEAN, LWPANEL_ADD_CTL_(pf, pan, "BoolControl", tit))
#define BOOLBUTTON_CTL(pf, pan, tit) \
    (desc.type = LWT_BOOLEAN, \
     LWPANEL_ADD_CTL_(pf, pan, "BoolButtonControl", tit))
#define WBOOLBUTTON_CTL(pf, pan, tit, w) \
    (desc.type = LWT_AREA, desc.area.width = (w), desc.area.height = 0, \
     LWPANEL_ADD_CTL_(pf, pan, "BoolButtonControl", tit))

#define INT_CTL(pf, pan, tit) \
    (desc.type = LWT_INTEGER, LWPANEL_ADD_CTL_(pf, pan, "NumControl", tit))
#define INTRO_CTL(pf, pan, tit) \
    (desc.type = LWT_INTEGER, LWPANEL_ADD_CTL_(pf, pan, "NumInfoControl", tit))
#define FLOAT_CTL(pf, pan, tit) \
    (desc.type = LWT_FLOAT, LWPANEL_ADD_CTL_(pf, pan, "FloatControl", tit))
#define FLOATRO_CTL(pf, pan, tit) \
    (desc.type = LWT_FLOAT, LWPANEL_ADD_CTL_(pf, pan, "FloatInfoControl", tit))
#define DIST_CTL(pf, pan, tit) \
    (desc.type = LWT_DISTANCE, LWPANEL_ADD_CTL_(pf, pan, "FloatControl", tit))
#define FVEC_CTL(pf, pan, tit) \
    (desc.type = LWT_VFLOAT, LWPANEL_ADD_CTL_(pf, pan, "FVecControl", tit))
#define FVECRO_CTL(pf, pan, tit) \
    (desc.type = LWT_VFLOAT, LWPANEL_ADD_CTL_(pf, pan, "FVecInfoControl", tit))
#define DVEC_CTL(pf, pan, tit) \
    (desc.type = LWT_VDIST, LWPANEL_ADD_CTL_(pf, pan, "FVecControl", tit))
#define IVEC_CTL(pf, pan, tit) \
    (desc.type = LWT_VINT, LWPANEL_ADD_CTL_(pf, pan, "VecControl", tit))
#define IVECRO_CTL(pf, pan, tit) \
    (desc.type = LWT_VINT, LWPANEL_ADD_CTL_(pf, pan, "VecInfoControl", tit))
#define RGB_CTL(pf, pan, tit) \
    (desc.type = LWT_VINT, LWPANEL_ADD_CTL_(pf, pan, "RGBControl", tit))
#define MINIRGB_CTL(pf, pan, tit) \
    (desc.type = LWT_VINT, LWPANEL_ADD_CTL_(pf, pan, "MiniRGBControl", tit))
#define MINIHSV_CTL(pf, pan, tit) \
    (desc.type = LWT_VINT, LWPANEL_ADD_CTL_(pf, pan, "MiniHSVControl", tit))
#define RGBVEC_CTL(pf, pan, tit) \
    (desc.type = LWT_VINT, LWPANEL_ADD_CTL_(pf, pan, "RGBVecControl", tit))

#define LWPANEL_RANGE_CTL_(pf, pan, tit, kind, w, mn, mx) \
    (desc.type = LWT_RANGE, desc.range.width = (w), desc.range.min = (mn), \
     desc.range.max = (mx), LWPANEL_ADD_CTL_(pf, pan, kind, tit))
#define SLIDER_CTL(pf, pan, tit, w, mn, mx) \
    LWPANEL_RANGE_CTL_(pf, pan, tit, "SliderControl", w, mn, mx)
#define VSLIDER_CTL(pf, pan, tit, w, mn, mx) \
    LWPANEL_RANGE_CTL_(pf, pan, tit, "VSlideControl", w, mn, mx)
#define HSLIDER_CTL(pf, pan, tit, w, mn, mx) \
    LWPANEL_RANGE_CTL_(pf, pan, tit, "HSlideControl", w, mn, mx)
#define UNSLIDER_CTL(pf, pan, tit, w, mn, mx) \
    LWPANEL_RANGE_CTL_(pf, pan, tit, "UnboundSlideControl", w, mn, mx)
#define MINISLIDER_CTL(pf, pan, tit, w, mn, mx) \
    LWPANEL_RANGE_CTL_(pf, pan, tit, "MiniSliderControl", w, mn, mx)

/* These three leave range.width as it was. PERCENT's value is a double;
 * whether it runs 0..100 or 0..1 is not documented. ANGLE's is radians. */
#define PERCENT_CTL(pf, pan, tit) \
    (desc.type = LWT_RANGE, desc.range.min = 0, desc.range.max = 100, \
     LWPANEL_ADD_CTL_(pf, pan, "PercentControl", tit))
#define ANGLE_CTL(pf, pan, tit) \
    (desc.type = LWT_RANGE, desc.range.min = 0, desc.range.max = 360, \
     LWPANEL_ADD_CTL_(pf, pan, "AngleControl", tit))
#define DISTSLIDER_CTL(pf, pan, tit) \
    (desc.type = LWT_RANGE, desc.range.min = 0, desc.range.max = 100, \
     LWPANEL_ADD_CTL_(pf, pan, "MiniDistanceControl", tit))

#define LWPANEL_STR_CTL_(pf, pan, tit, kind, w) \
    (desc.type = LWT_STRING, desc.string.width = (w), \
     LWPANEL_ADD_CTL_(pf, pan, kind, tit))
#define STR_CTL(pf, pan, tit, w)   LWPANEL_STR_CTL_(pf, pan, tit, "EditControl", w)
#define STRRO_CTL(pf, pan, tit, w) LWPANEL_STR_CTL_(pf, pan, tit, "InfoControl", w)
#define FILE_CTL(pf, pan, tit, w)  LWPANEL_STR_CTL_(pf, pan, tit, "FileControl", w)
#define LOAD_CTL(pf, pan, tit, w)  LWPANEL_STR_CTL_(pf, pan, tit, "LoadControl", w)
#define SAVE_CTL(pf, pan, tit, w)  LWPANEL_STR_CTL_(pf, pan, tit, "SaveControl", w)
#define DIR_CTL(pf, pan, tit, w)   LWPANEL_STR_CTL_(pf, pan, tit, "DirControl", w)
/* the button variants measure w in pixels */
#define FILEBUTTON_CTL(pf, pan, tit, w) \
    LWPANEL_STR_CTL_(pf, pan, tit, "FileButtonControl", w)
#define LOADBUTTON_CTL(pf, pan, tit, w) \
    LWPANEL_STR_CTL_(pf, pan, tit, "LoadButtonControl", w)
#define SAVEBUTTON_CTL(pf, pan, tit, w) \
    LWPANEL_STR_CTL_(pf, pan, tit, "SaveButtonControl", w)
#define DIRBUTTON_CTL(pf, pan, tit, w) \
    LWPANEL_STR_CTL_(pf, pan, tit, "DirButtonControl", w)

#define LWPANEL_CHOICE_CTL_(pf, pan, tit, kind, ls, vert) \
    (desc.type = LWT_CHOICE, desc.choice.vertical = (vert), \
     desc.choice.items = (ls), LWPANEL_ADD_CTL_(pf, pan, kind, tit))
#define HCHOICE_CTL(pf, pan, tit, ls) \
    LWPANEL_CHOICE_CTL_(pf, pan, tit, "ChoiceControl", ls, MX_HCHOICE)
#define VCHOICE_CTL(pf, pan, tit, ls) \
    LWPANEL_CHOICE_CTL_(pf, pan, tit, "ChoiceControl", ls, MX_VCHOICE)
#define TABCHOICE_CTL(pf, pan, tit, ls) \
    LWPANEL_CHOICE_CTL_(pf, pan, tit, "TabChoiceControl", ls, MX_HCHOICE)
#define POPUP_CTL(pf, pan, tit, ls) \
    LWPANEL_CHOICE_CTL_(pf, pan, tit, "PopupControl", ls, 0)
#define WPOPUP_CTL(pf, pan, tit, ls, w) \
    LWPANEL_CHOICE_CTL_(pf, pan, tit, "PopupControl", ls, w)
#define POPDOWN_CTL(pf, pan, tit, ls) \
    LWPANEL_CHOICE_CTL_(pf, pan, tit, "PopDownControl", ls, MX_POPUP)

#define CUSTPOPUP_CTL(pf, pan, tit, w, name, num) \
    (desc.type = LWT_POPUP, desc.popup.width = (w), \
     desc.popup.nameFn = (name), desc.popup.countFn = (num), \
     LWPANEL_ADD_CTL_(pf, pan, "CustomPopupControl", tit))
/* Set CTL_USERDATA (or CON_SETEVENT) before the panel opens: the list
 * callbacks receive it. */
#define LISTBOX_CTL(pf, pan, tit, w, vis, name, num) \
    (desc.type = LWT_POPUP, desc.listbox.width = (w), \
     desc.listbox.nameFn = (name), desc.listbox.countFn = (num), \
     desc.listbox.visItems = (vis), \
     LWPANEL_ADD_CTL_(pf, pan, "ListBoxControl", tit))
#define MULTILIST_CTL(pf, pan, tit, w, vis, name, num, colw) \
    (desc.type = LWT_MLIST, desc.multiList.width = (w), \
     desc.multiList.nameFn = (name), desc.multiList.countFn = (num), \
     desc.multiList.visItems = (vis), desc.multiList.colWidth = (colw), \
     LWPANEL_ADD_CTL_(pf, pan, "MultiListBoxControl", tit))
#define TREE_CTL(pf, pan, tit, w, h, info, num, node) \
    (desc.type = LWT_TREE, desc.tree.width = (w), desc.tree.height = (h), \
     desc.tree.infoFn = (info), desc.tree.countFn = (num), \
     desc.tree.leafFn = (node), desc.tree.moveFn = NULL, \
     LWPANEL_ADD_CTL_(pf, pan, "TreeControl", tit))

#define LWPANEL_ITEM_CTL_(pf, pan, tit, kind, glb, typ, w) \
    (desc.type = LWT_LWITEM, desc.lwitem.global = (glb), \
     desc.lwitem.itemType = (typ), desc.lwitem.list = NULL, \
     desc.lwitem.count = 0, desc.lwitem.width = (w), \
     LWPANEL_ADD_CTL_(pf, pan, kind, tit))
#define ITEM_CTL(pf, pan, tit, glb, typ) \
    LWPANEL_ITEM_CTL_(pf, pan, tit, "LWListControl", glb, typ, 0)
#define WITEM_CTL(pf, pan, tit, glb, typ, w) \
    LWPANEL_ITEM_CTL_(pf, pan, tit, "LWListControl", glb, typ, w)
#define PIKITEM_CTL(pf, pan, tit, glb, typ, w) \
    LWPANEL_ITEM_CTL_(pf, pan, tit, "LWPickListControl", glb, typ, w)

#define TEXT_CTL(pf, pan, tit, sts) \
    (desc.type = LWT_TEXT, desc.text.text = (sts), \
     LWPANEL_ADD_CTL_(pf, pan, "TextControl", tit))

#define LWPANEL_AREA_CTL_(pf, pan, tit, kind, w, h) \
    (desc.type = LWT_AREA, desc.area.width = (w), desc.area.height = (h), \
     LWPANEL_ADD_CTL_(pf, pan, kind, tit))
#define AREA_CTL(pf, pan, tit, w, h) \
    LWPANEL_AREA_CTL_(pf, pan, tit, "AreaControl", w, h)
#define DRAGAREA_CTL(pf, pan, tit, w, h) \
    LWPANEL_AREA_CTL_(pf, pan, tit, "DragAreaControl", w, h)
#define CANVAS_CTL(pf, pan, tit, w, h) \
    LWPANEL_AREA_CTL_(pf, pan, tit, "CanvasControl", w, h)
#define OPENGL_CTL(pf, pan, tit, w, h) \
    LWPANEL_AREA_CTL_(pf, pan, tit, "OpenGLControl", w, h)
#define BORDER_CTL(pf, pan, tit, w, h) \
    LWPANEL_AREA_CTL_(pf, pan, tit, "BorderControl", w, h)
#define CHANNEL_CTL(pf, pan, tit, w, h) \
    LWPANEL_AREA_CTL_(pf, pan, tit, "ChannelControl", w, h)
/* value: ivec (dx, dy, count) */
#define DRAGBUT_CTL(pf, pan, tit, w, h) \
    LWPANEL_AREA_CTL_(pf, pan, tit, "DragButtonControl", w, h)
#define VDRAGBUT_CTL(pf, pan, tit) \
    LWPANEL_AREA_CTL_(pf, pan, tit, "DragButtonControl", 0, -1)
#define HDRAGBUT_CTL(pf, pan, tit) \
    LWPANEL_AREA_CTL_(pf, pan, tit, "DragButtonControl", -1, 0)
/* tagged as a range but filled through the area fields */
#define PALETTE_CTL(pf, pan, tit, w, h) \
    (desc.type = LWT_RANGE, desc.area.width = (w), desc.area.height = (h), \
     LWPANEL_ADD_CTL_(pf, pan, "PaletteControl", tit))

#define XPANEL_CTL(pf, pan, tit, xp) \
    (desc.type = LWT_XPANEL, desc.xpanel.xpan = (xp), \
     LWPANEL_ADD_CTL_(pf, pan, "XPanelControl", tit))

/* ---- value, attribute and drawing macros ------------------------------ */

#define SET_INT(c, n)   (ival.intv.value = (n), (*(c)->set)((c), CTL_VALUE, &ival))
#define GET_INT(c, n)   ((*(c)->get)((c), CTL_VALUE, &ival), (n) = ival.intv.value)
#define SET_FLOAT(c, f) (fval.flt.value = (f), (*(c)->set)((c), CTL_VALUE, &fval))
#define GET_FLOAT(c, f) ((*(c)->get)((c), CTL_VALUE, &fval), (f) = fval.flt.value)
#define SET_ADDR(c, p)  (pval.ptr.ptr = (p), (*(c)->set)((c), CTL_VALUE, &pval))
#define GET_ADDR(c, p)  ((*(c)->get)((c), CTL_VALUE, &pval), (p) = pval.ptr.ptr)
#define SET_STR(c, s, l) \
    (sval.str.buf = (s), sval.str.bufLen = (l), (*(c)->set)((c), CTL_VALUE, &sval))
#define GET_STR(c, s, l) \
    (sval.str.buf = (s), sval.str.bufLen = (l), (*(c)->get)((c), CTL_VALUE, &sval))

#define SET_IVEC(c, x, y, z) \
    (ivecval.ivec.val[0] = (x), ivecval.ivec.val[1] = (y), \
     ivecval.ivec.val[2] = (z), (*(c)->set)((c), CTL_VALUE, &ivecval))
#define SETV_IVEC(c, v) \
    (ivecval.ivec.val[0] = (v)[0], ivecval.ivec.val[1] = (v)[1], \
     ivecval.ivec.val[2] = (v)[2], (*(c)->set)((c), CTL_VALUE, &ivecval))
#define GET_IVEC(c, x, y, z) \
    ((*(c)->get)((c), CTL_VALUE, &ivecval), (x) = ivecval.ivec.val[0], \
     (y) = ivecval.ivec.val[1], (z) = ivecval.ivec.val[2])
#define GETV_IVEC(c, v) \
    ((*(c)->get)((c), CTL_VALUE, &ivecval), (v)[0] = ivecval.ivec.val[0], \
     (v)[1] = ivecval.ivec.val[1], (v)[2] = ivecval.ivec.val[2])

#define SET_FVEC(c, x, y, z) \
    (fvecval.fvec.val[0] = (x), fvecval.fvec.val[1] = (y), \
     fvecval.fvec.val[2] = (z), (*(c)->set)((c), CTL_VALUE, &fvecval))
#define SETV_FVEC(c, v) \
    (fvecval.fvec.val[0] = (v)[0], fvecval.fvec.val[1] = (v)[1], \
     fvecval.fvec.val[2] = (v)[2], (*(c)->set)((c), CTL_VALUE, &fvecval))
#define GET_FVEC(c, x, y, z) \
    ((*(c)->get)((c), CTL_VALUE, &fvecval), (x) = fvecval.fvec.val[0], \
     (y) = fvecval.fvec.val[1], (z) = fvecval.fvec.val[2])
#define GETV_FVEC(c, v) \
    ((*(c)->get)((c), CTL_VALUE, &fvecval), (v)[0] = fvecval.fvec.val[0], \
     (v)[1] = fvecval.fvec.val[1], (v)[2] = fvecval.fvec.val[2])

#define LWPANEL_CON_INT_(c, tag) ((*(c)->get)((c), (tag), &ival), ival.intv.value)
#define CON_X(c)      LWPANEL_CON_INT_(c, CTL_X)
#define CON_Y(c)      LWPANEL_CON_INT_(c, CTL_Y)
#define CON_W(c)      LWPANEL_CON_INT_(c, CTL_W)
#define CON_H(c)      LWPANEL_CON_INT_(c, CTL_H)
#define CON_HOTX(c)   LWPANEL_CON_INT_(c, CTL_HOTX)
#define CON_HOTY(c)   LWPANEL_CON_INT_(c, CTL_HOTY)
#define CON_HOTW(c)   LWPANEL_CON_INT_(c, CTL_HOTW)
#define CON_HOTH(c)   LWPANEL_CON_INT_(c, CTL_HOTH)
#define CON_LW(c)     LWPANEL_CON_INT_(c, CTL_LABELWIDTH)
#define CON_MOUSEX(c) LWPANEL_CON_INT_(c, CTL_MOUSEX)
#define CON_MOUSEY(c) LWPANEL_CON_INT_(c, CTL_MOUSEY)
#define CON_PAN(c)    ((*(c)->get)((c), CTL_PANEL, &sval), sval.ptr.ptr)
#define CON_PANFUN(c) ((*(c)->get)((c), CTL_PANFUN, &sval), sval.ptr.ptr)

#define MOVE_CON(c, x, y) \
    ((ival.intv.value = (x), (*(c)->set)((c), CTL_X, &ival)), \
     (ival.intv.value = (y), (*(c)->set)((c), CTL_Y, &ival)))
/* user data first, so the event hook never runs without it */
#define CON_SETEVENT(c, f, d) \
    ((ival.ptr.ptr = (void *)(d), (*(c)->set)((c), CTL_USERDATA, &ival)), \
     (ival.ptr.ptr = (void *)(f), (*(c)->set)((c), CTL_USEREVENT, &ival)))
#define ACTIVATE_CON(c) \
    (ival.intv.value = 0, (*(c)->set)((c), CTL_ACTIVATE, &ival))

#define ERASE_CON(c)   ((*(c)->draw)((c), DR_ERASE))
#define REDRAW_CON(c)  ((*(c)->draw)((c), DR_REFRESH))
#define GHOST_CON(c)   ((*(c)->draw)((c), DR_GHOST))
#define RENDER_CON(c)  ((*(c)->draw)((c), DR_RENDER))
#define UNGHOST_CON(c) ((*(c)->draw)((c), DR_RENDER))

#define PAN_CREATE(pf, t) ((*(pf)->create)((char *)(t), NULL))
#define PAN_POST(pf, p) \
    ((*(pf)->open)((p), PANF_BLOCKING | PANF_CANCEL | PANF_FRAME))
#define PAN_KILL(pf, p) ((*(pf)->destroy)(p))

#define LWPANEL_PAN_GET_(pf, p, tag) \
    ((*(pf)->get)((p), (tag), (void *)&ival.intv.value), ival.intv.value)
#define LWPANEL_PAN_SET_(pf, p, tag, v) \
    (ival.intv.value = (v), (*(pf)->set)((p), (tag), (void *)&ival.intv.value))
#define PAN_GETX(pf, p)       LWPANEL_PAN_GET_(pf, p, PAN_X)
#define PAN_GETY(pf, p)       LWPANEL_PAN_GET_(pf, p, PAN_Y)
#define PAN_GETW(pf, p)       LWPANEL_PAN_GET_(pf, p, PAN_W)
#define PAN_GETH(pf, p)       LWPANEL_PAN_GET_(pf, p, PAN_H)
#define PAN_GETVERSION(pf, p) LWPANEL_PAN_GET_(pf, p, PAN_VERSION)
#define PAN_SETW(pf, p, v)    LWPANEL_PAN_SET_(pf, p, PAN_W, v)
#define PAN_SETH(pf, p, v)    LWPANEL_PAN_SET_(pf, p, PAN_H, v)
#define MOVE_PAN(pf, p, x, y) \
    (LWPANEL_PAN_SET_(pf, p, PAN_X, x), LWPANEL_PAN_SET_(pf, p, PAN_Y, y))
#define PAN_SETDATA(pf, p, d) ((*(pf)->set)((p), PAN_USERDATA, (void *)(d)))
#define PAN_SETDRAW(pf, p, d) ((*(pf)->set)((p), PAN_USERDRAW, (void *)(d)))
#define PAN_SETKEYS(pf, p, d) ((*(pf)->set)((p), PAN_USERKEYS, (void *)(d)))

/* ---- key codes ---------------------------------------------------------- */

#define LWDK_CHAR(c)      ((LWDualKey)(c))
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

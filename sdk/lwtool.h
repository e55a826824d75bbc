/*
 * lwtool.h -- interactive viewport tools: the event record, dirty bits and
 * event codes shared by Layout and Modeler tools, and the Modeler tool
 * callbacks (Layout tools use lwlaytool.h).
 */
#ifndef LWSDK_TOOL_H
#define LWSDK_TOOL_H

#include "lwtypes.h"
#include "lwxpanel.h"

/* One mouse event. Positions are in world space; ax/ay/az are screen
 * right/up/in, scaled to about one pixel. Same layout in 9.6 and 2020. */
typedef struct st_LWToolEvent {
    LWDVector posRaw, posSnap;
    LWDVector deltaRaw, deltaSnap;    /* from the mouse-down position */
    LWDVector axis;
    LWDVector ax, ay, az;
    double    pxRaw, pxSnap;
    double    pyRaw, pySnap;
    int       dx, dy;                 /* total movement, pixels */
    int       portAxis;               /* 0/1/2 orthographic, -1 perspective */
    int       flags;                  /* LWTOOLF_* */
    int       viewNumber;             /* viewport the event came from */
} LWToolEvent;

#define LWTOOLF_CONSTRAIN  (1 << 0)
#define LWTOOLF_CONS_X     (1 << 1)
#define LWTOOLF_CONS_Y     (1 << 2)
#define LWTOOLF_ALT_BUTTON (1 << 3)   /* usually the right button */
#define LWTOOLF_MULTICLICK (1 << 4)

/* dirty() result bits */
#define LWT_DIRTY_WIREFRAME (1 << 0)  /* redraw the tool */
#define LWT_DIRTY_HELPTEXT  (1 << 1)  /* ask help() again */

/* event() codes */
#define LWT_EVENT_DROP            0   /* user switched to another tool */
#define LWT_EVENT_RESET           1
#define LWT_EVENT_ACTIVATE        2
#define LWT_EVENT_EXTERNAL_ACTION 3

/* ---- Modeler wireframe drawing --------------------------------------- */

typedef struct st_LWWireDrawAccess {
    void   *data;
    void  (*moveTo)(void *data, LWFVector pos, int line_mode);
    void  (*lineTo)(void *data, LWFVector pos, int coord_system);
    void  (*spline)(void *data, LWFVector a, LWFVector b, LWFVector c,
                    int coord_system);
    void  (*circle)(void *data, double radius, int coord_system);
    int     axis;
    void  (*text)(void *data, const char *text, int justification);
    double  pxScale;
} LWWireDrawAccess;

#define LWWIRE_SOLID    0
#define LWWIRE_DASH     1
#define LWWIRE_ABSOLUTE 0
#define LWWIRE_RELATIVE 100
#define LWWIRE_SCREEN   101
#define LWWIRE_TEXT_L   0
#define LWWIRE_TEXT_C   1
#define LWWIRE_TEXT_R   2

/* ---- Modeler tool callbacks ------------------------------------------ */

typedef struct st_LWToolFuncs {
    void        (*done)(LWInstance inst);
    void        (*draw)(LWInstance inst, LWWireDrawAccess *draw);
    const char *(*help)(LWInstance inst, LWToolEvent *event);
    int         (*dirty)(LWInstance inst);
    int         (*count)(LWInstance inst, LWToolEvent *event);
    int         (*handle)(LWInstance inst, LWToolEvent *event, int i,
                          LWDVector pos);
    int         (*start)(LWInstance inst, LWToolEvent *event);
    int         (*adjust)(LWInstance inst, LWToolEvent *event, int i);
    int         (*down)(LWInstance inst, LWToolEvent *event);
    void        (*move)(LWInstance inst, LWToolEvent *event);
    void        (*up)(LWInstance inst, LWToolEvent *event);
    void        (*event)(LWInstance inst, int code);
    LWXPanelID  (*panel)(LWInstance inst);
    int         (*undo)(LWInstance inst);
    int         (*redo)(LWInstance inst);
} LWToolFuncs;

typedef struct st_LWTool {
    LWInstance   instance;
    LWToolFuncs *tool;
} LWTool;

#endif

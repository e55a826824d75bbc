/*
 * lwlaytool.h -- Layout viewport tools ("LayoutTool" class, version 1).
 *
 * Handle mode: count/handle/start/adjust drive draggable handles. Raw mouse
 * mode: down returns true and the host then calls move and up.
 */
#ifndef LWSDK_LAYTOOL_H
#define LWSDK_LAYTOOL_H

#include "lwtool.h"
#include "lwcustobj.h"

#define LWLAYOUTTOOL_CLASS   "LayoutTool"
#define LWLAYOUTTOOL_VERSION 1

typedef struct st_LWLayoutToolFuncs {
    void        (*done)(LWInstance inst);     /* destroy the instance */
    void        (*draw)(LWInstance inst, LWCustomObjAccess *access);
    const char *(*help)(LWInstance inst, LWToolEvent *event);
    int         (*dirty)(LWInstance inst);    /* LWT_DIRTY_* */
    int         (*count)(LWInstance inst, LWToolEvent *event);
    /* position of handle i; returns its priority, 0 if not valid */
    int         (*handle)(LWInstance inst, LWToolEvent *event, int i,
                          LWDVector pos);
    int         (*start)(LWInstance inst, LWToolEvent *event);
    int         (*adjust)(LWInstance inst, LWToolEvent *event, int i);
    int         (*down)(LWInstance inst, LWToolEvent *event);
    void        (*move)(LWInstance inst, LWToolEvent *event);
    void        (*up)(LWInstance inst, LWToolEvent *event);
    void        (*event)(LWInstance inst, int code);   /* LWT_EVENT_* */
    LWXPanelID  (*panel)(LWInstance inst);   /* 9.6 Layout never calls it */
} LWLayoutToolFuncs;

/* The activation sets instance and fills in *tool. */
typedef struct st_LWLayoutTool {
    LWInstance          instance;
    LWLayoutToolFuncs  *tool;
} LWLayoutTool;

#endif

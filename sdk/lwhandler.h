/*
 * lwhandler.h -- instance life cycle shared by all handler classes, and the
 * record a "...Interface" class activation fills in.
 */
#ifndef LWSDK_HANDLER_H
#define LWSDK_HANDLER_H

#include "lwio.h"
#include "lwxpanel.h"

/* The host allocates this record; the activation fills in the functions.
 * save may be NULL: nothing is stored and no instance is made on load. */
typedef struct st_LWInstanceFuncs {
    void        *priv;          /* passed back as create's first argument */
    LWInstance (*create)(void *priv, void *context, LWError *err);
    void       (*destroy)(LWInstance inst);
    LWError    (*copy)(LWInstance to, LWInstance from);
    LWError    (*load)(LWInstance inst, const LWLoadState *ls);
    LWError    (*save)(LWInstance inst, const LWSaveState *ss);
    const char *(*descln)(LWInstance inst);  /* one line for lists */
} LWInstanceFuncs;

typedef struct st_LWHandler {
    LWInstanceFuncs *inst;
} LWHandler;

/* Local record of an interface activation. The host sets inst; exactly one
 * of panel / options should be non-NULL. */
typedef struct st_LWInterface {
    LWInstance   inst;
    LWXPanelID   panel;
    LWError    (*options)(LWInstance inst);
    LWError    (*command)(LWInstance inst, const char *cmd);
} LWInterface;

#define LWINTERFACE_VERSION 4

/* "Instance Update": tell the host an instance changed. */
#define LWINSTUPDATE_GLOBAL "Instance Update"
typedef void LWInstUpdate(const char *className, LWInstance inst);

#endif

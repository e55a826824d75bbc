/*
 * lwgeneric.h -- Layout generic commands ("LayoutGeneric", version 2).
 */
#ifndef LWSDK_GENERIC_H
#define LWSDK_GENERIC_H

#include "lwtypes.h"
#include "lwdyna.h"

#define LWLAYOUTGENERIC_CLASS   "LayoutGeneric"
#define LWLAYOUTGENERIC_VERSION 2

typedef struct st_LWLayoutGeneric {
    int            (*saveScene)(const char *file);
    int            (*loadScene)(const char *file, const char *name);
    void            *data;      /* first argument of the calls below */
    LWCommandCode  (*lookup)(void *data, const char *cmdName);
    int            (*execute)(void *data, LWCommandCode cmd, int argc,
                              const DynaValue *argv, DynaValue *result);
    int            (*evaluate)(void *data, const char *command);
} LWLayoutGeneric;

#endif

/*
 * lwxpanel.h -- only the handle type. The module builds no XPanels; the
 * tool, handler and command records just carry the type in their
 * signatures.
 */
#ifndef LWSDK_LWXPANEL_H
#define LWSDK_LWXPANEL_H

#include "lwtypes.h"

#define LWXPANELFUNCS_GLOBAL "LWXPanel"

typedef void *LWXPanelID;

#endif

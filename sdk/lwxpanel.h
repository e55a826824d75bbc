/*
 * lwxpanel.h -- only the handle type. The module builds no XPanels; the
 * tool, handler and command records just carry the type in their
 * signatures.
 */
#ifndef VELMORA_SDK_LWXPANEL_H
#define VELMORA_SDK_LWXPANEL_H

#define LWXPANELFUNCS_GLOBAL "LWXPanel"

typedef void *LWXPanelID;

#endif

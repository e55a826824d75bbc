/*
 * lwmaster.h -- master handlers ("MasterHandler", version 4): scene-wide
 * handlers that see every Layout event and can issue commands.
 */
#ifndef LWSDK_MASTER_H
#define LWSDK_MASTER_H

#include "lwrender.h"
#include "lwdyna.h"

#define LWMASTER_HCLASS  "MasterHandler"
#define LWMASTER_ICLASS  "MasterInterface"
#define LWMASTER_GCLASS  "MasterGizmo"
#define LWMASTER_VERSION 4

typedef struct st_LWMasterAccess {
    int             eventCode;     /* LWEVNT_* */
    void           *eventData;
    void           *data;          /* first argument of the calls below */
    LWCommandCode (*lookup)(void *data, const char *cmdName);
    int           (*execute)(void *data, LWCommandCode cmd, int argc,
                             const DynaValue *argv, DynaValue *result);
    int           (*evaluate)(void *data, const char *command);
} LWMasterAccess;

/* Note the order: type is a data member the activation sets, between item
 * and event. event's result is ignored by the host; return 0.0. */
typedef struct st_LWMasterHandler {
    LWInstanceFuncs *inst;
    LWItemFuncs     *item;
    int              type;          /* LWMAST_* */
    double         (*event)(LWInstance inst, const LWMasterAccess *access);
    unsigned int   (*flags)(LWInstance inst);   /* LWMASTF_* */
} LWMasterHandler;

#define LWMAST_SCENE  0   /* removed when the scene is cleared */
#define LWMAST_LAYOUT 1   /* survives scene clears */

#define LWMASTF_LAYOUT                          (1 << 0)
#define LWMASTF_RECEIVE_NOTIFICATIONS           (1 << 1)  /* 0x100+ events */
#define LWMASTF_RECEIVE_NOTIFICATIONS_MESHPOINTS (1 << 2) /* needs bit 1 too */

#define LWEVNT_NOTHING     0x000
#define LWEVNT_COMMAND     0x001   /* data: const char * command line */
#define LWEVNT_TIME        0x002
#define LWEVNT_SELECT      0x003
#define LWEVNT_RENDER_DONE 0x004

/* Notifications: only with LWMASTF_RECEIVE_NOTIFICATIONS. Item events carry
 * the item id, scene events the file/scene name (copy it to keep it). */
#define LWEVNT_NOTIFY_MOTION_UPDATE_STARTING            0x100
#define LWEVNT_NOTIFY_MOTION_UPDATE_COMPLETE            0x101
#define LWEVNT_NOTIFY_MESH_REPLACED                     0x102
#define LWEVNT_NOTIFY_MESH_UPDATE_STARTING              0x103
#define LWEVNT_NOTIFY_MESH_UPDATE_AFTERMORPHING         0x104
#define LWEVNT_NOTIFY_MESH_UPDATE_AFTERBONES            0x105
#define LWEVNT_NOTIFY_MESH_UPDATE_AFTERLOCALDISPLACEMENTS 0x106
#define LWEVNT_NOTIFY_MESH_UPDATE_AFTERMOTION           0x107
#define LWEVNT_NOTIFY_MESH_UPDATE_COMPLETE              0x108
#define LWEVNT_NOTIFY_RENDER_FRAME_STARTING             0x109
/* 0x10a..0x10f are not used. */
#define LWEVNT_NOTIFY_RENDER_FRAME_COMPLETE             0x110
#define LWEVNT_NOTIFY_RENDER_STARTING                   0x111
#define LWEVNT_NOTIFY_RENDER_COMPLETE                   0x112
#define LWEVNT_NOTIFY_SCENE_CLEAR_STARTING              0x113
#define LWEVNT_NOTIFY_SCENE_CLEAR_COMPLETE              0x114  /* LAYOUT type only */
#define LWEVNT_NOTIFY_SCENE_LOAD_STARTING               0x115
#define LWEVNT_NOTIFY_SCENE_LOAD_COMPLETE               0x116
#define LWEVNT_NOTIFY_SCENE_SAVE_STARTING               0x117
#define LWEVNT_NOTIFY_SCENE_SAVE_COMPLETE               0x118
#define LWEVNT_NOTIFY_ITEM_ADDED                        0x119
#define LWEVNT_NOTIFY_ITEM_REMOVING                     0x11a
#define LWEVNT_NOTIFY_ITEM_REPARENTED                   0x11b
#define LWEVNT_NOTIFY_SURFACE_ALTERED                   0x11c
#define LWEVNT_NOTIFY_MESHPOINTS_ALTERED                0x11d
#define LWEVNT_NOTIFY_CHANNEL_ADDED                     0x11e
#define LWEVNT_NOTIFY_CHANNEL_REMOVING                  0x11f
#define LWEVNT_NOTIFY_SURFACE_ADDED                     0x120
#define LWEVNT_NOTIFY_SURFACE_REMOVING                  0x121
#define LWEVNT_NOTIFY_PLUGIN_CHANGED                    0x122
#define LWEVNT_NOTIFY_RENDER_ABORTED                    0x123
#define LWEVNT_NOTIFY_TEXTURE_REMOVING                  0x124
#define LWEVNT_NOTIFY_IMAGE_REMOVING                    0x125
#define LWEVNT_NOTIFY_IMAGE_ALTERED                     0x126
#define LWEVNT_NOTIFY_TEXTURE_ALTERED                   0x127
#define LWEVNT_NOTIFY_LIST_UPDATE_OBJECTS               0x128
#define LWEVNT_NOTIFY_LIST_UPDATE_LIGHTS                0x129
#define LWEVNT_NOTIFY_LIST_UPDATE_CAMERAS               0x12a
#define LWEVNT_NOTIFY_LIST_UPDATE_BONES                 0x12b

/* eventData of LWEVNT_NOTIFY_PLUGIN_CHANGED */
typedef struct st_LWEventNotifyPluginChange {
    const char   *classname;
    const char   *servername;
    unsigned int  pluginevent;     /* LWEVNT_PLUGIN_* */
} LWEventNotifyPluginChange;

#define LWEVNT_PLUGIN_UPDATED    0
#define LWEVNT_PLUGIN_CREATED    1
#define LWEVNT_PLUGIN_DESTROYED  2
#define LWEVNT_PLUGIN_ENABLED    3
#define LWEVNT_PLUGIN_DISABLED   4
#define LWEVNT_PLUGIN_DESTROYING 5

#endif

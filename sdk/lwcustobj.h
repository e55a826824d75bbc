/*
 * lwcustobj.h -- custom object handlers and the drawing access they (and
 * Layout tools' draw callbacks) receive.
 */
#ifndef LWSDK_CUSTOBJ_H
#define LWSDK_CUSTOBJ_H

#include "lwrender.h"

#define LWCUSTOMOBJ_HCLASS  "CustomObjHandler"
#define LWCUSTOMOBJ_ICLASS  "CustomObjInterface"
#define LWCUSTOMOBJ_GCLASS  "CustomObjGizmo"
#define LWCUSTOMOBJ_VERSION 5

/* Every drawing call takes dispData first. Colour, pattern, texture and
 * draw mode persist until changed and reset at each evaluation. The last
 * argument of the shape calls is an LWCSYS_* coordinate system. */
typedef struct st_LWCustomObjAccess {
    int    view;            /* LWVIEW_* */
    int    flags;           /* LWCOFL_* */
    void  *dispData;

    void (*setColor)(void *disp, float rgba[4]);
    void (*setPattern)(void *disp, int lpat);
    /* size x size RGBA bytes, size a power of two; maps onto later quads */
    void (*setTexture)(void *disp, int size, unsigned char *rgba);
    void (*setUVs)(void *disp, double uv0[2], double uv1[2], double uv2[2],
                   double uv3[2]);
    void (*point)(void *disp, double p[3], int csys);
    void (*line)(void *disp, double a[3], double b[3], int csys);
    void (*triangle)(void *disp, double a[3], double b[3], double c[3],
                     int csys);
    void (*quad)(void *disp, double a[3], double b[3], double c[3],
                 double d[3], int csys);
    void (*circle)(void *disp, double center[3], double radius, int csys);
    void (*text)(void *disp, double p[3], const char *text, int just,
                 int csys);

    LWDVector viewPos, viewDir;

    /* item that LWCSYS_OBJECT / LWCSYS_ICON refer to */
    void (*setCSysItem)(void *disp, LWItemID item);
    void (*polygon)(void *disp, unsigned int numv, double verts[][3],
                    int csys);
    void (*polyIndexed)(void *disp, unsigned int numv, unsigned int index[],
                        double verts[][3], int csys);
    void (*setDrawMode)(void *disp, unsigned int mode);   /* LWDRAWMODE_* */
    void (*disk)(void *disp, double center[3], double radius, int csys);
    void (*setPart)(void *disp, unsigned int part);        /* 1..32, 0 none */
} LWCustomObjAccess;

typedef struct st_LWCustomObjHandler {
    LWInstanceFuncs *inst;
    LWItemFuncs     *item;
    LWRenderFuncs   *rend;
    void           (*evaluate)(LWInstance inst, const LWCustomObjAccess *access);
    unsigned int   (*flags)(LWInstance inst);   /* LWCOF_* */
} LWCustomObjHandler;

/* view: which kind of view is being drawn */
#define LWVIEW_ZY     0
#define LWVIEW_XZ     1
#define LWVIEW_XY     2
#define LWVIEW_PERSP  3
#define LWVIEW_LIGHT  4
#define LWVIEW_CAMERA 5
#define LWVIEW_SCHEMA 6

/* Coordinate systems. VIEWPORT is pixels from the top left with z from
 * 0 (near plane) to 1 (far plane). */
#define LWCSYS_WORLD    0
#define LWCSYS_OBJECT   1
#define LWCSYS_ICON     2
#define LWCSYS_VIEWPORT 3

#define LWLPAT_SOLID   0
#define LWLPAT_DOT     1
#define LWLPAT_DASH    2
#define LWLPAT_LONGDOT 3

#define LWJUST_LEFT   0
#define LWJUST_CENTER 1
#define LWJUST_RIGHT  2

/* setDrawMode bits; the host's default is DEPTHTEST | DEPTHWRITE. */
#define LWDRAWMODE_CULLFACE   (1 << 0)
#define LWDRAWMODE_OUTLINE    (1 << 1)
#define LWDRAWMODE_DEPTHTEST  (1 << 2)
#define LWDRAWMODE_DEPTHWRITE (1 << 3)

/* access flags */
#define LWCOFL_SELECTED       (1 << 0)
#define LWCOFL_PICKING        (1 << 1)   /* shapes only define pick areas */

/* handler flags() result */
#define LWCOF_SCHEMA_OK       (1 << 0)
#define LWCOF_VIEWPORT_INDEX  (1 << 1)
#define LWCOF_NO_DEPTH_BUFFER (1 << 2)
#define LWCOF_OVERLAY         (1 << 3)

#endif

/*
 * lwviewportinfo.h -- "LW Viewport Info": geometry of Layout's viewports.
 *
 * 9.6 declares this inside lwrender.h (which includes this file, so either
 * include works). Members are those of "LW Viewport Info 4"; later versions
 * only append. Viewports are numbered 0..numViewports-1.
 */
#ifndef VELMORA_SDK_LWVIEWPORTINFO_H
#define VELMORA_SDK_LWVIEWPORTINFO_H

#include "lwtypes.h"

#define LWVIEWPORTINFO_GLOBAL "LW Viewport Info 4"

/* type(): note the LV prefix. Not the LWVIEW_* numbering of lwcustobj.h. */
#define LVVIEWT_NONE        0
#define LVVIEWT_TOP         1
#define LVVIEWT_BOTTOM      2
#define LVVIEWT_BACK        3
#define LVVIEWT_FRONT       4
#define LVVIEWT_RIGHT       5
#define LVVIEWT_LEFT        6
#define LVVIEWT_PERSPECTIVE 7
#define LVVIEWT_LIGHT       8
#define LVVIEWT_CAMERA      9
#define LVVIEWT_SCHEMATIC   10
#define LVVIEWT_UV          11   /* newer hosts */
#define LVVIEWT_OBJECT      12   /* newer hosts */

/* flags() */
#define LWVIEWF_CENTER      (1 << 0)
#define LWVIEWF_WEIGHTSHADE (1 << 1)
#define LWVIEWF_XRAY        (1 << 2)
#define LWVIEWF_HEADLIGHT   (1 << 3)
#define LWVIEWF_MOTIONBLUR  (1 << 4)   /* newer hosts */

/* Matrices are OpenGL style, m[column][row]. project/unproject use window
 * pixels with the origin at the viewport's top left and depth 0 (near) to
 * 1 (far); they and projection/modelview return 1 on success. */
typedef struct st_LWViewportInfo {
    int        numViewports;
    int      (*type)(int view);
    unsigned int (*flags)(int view);
    void     (*pos)(int view, LWDVector spot);
    void     (*xfrm)(int view, double mat[9]);           /* view -> world */
    void     (*clip)(int view, double *hither, double *yon);
    void     (*rect)(int view, int *left, int *top, int *width, int *height);
    int      (*viewLevel)(int view);                    /* LWOVIS_* */
    int      (*projection)(int view, LWDMatrix4 projection,
                           LWDMatrix4 inverse_projection);
    int      (*modelview)(int view, LWDMatrix4 modelview,
                          LWDMatrix4 inverse_modelview);
    int      (*project)(int view, LWDVector world, double *winx,
                        double *winy, double *winz);
    int      (*unproject)(int view, double winx, double winy, double winz,
                          LWDVector world);
    double   (*pixelSize)(int view, double pixels, LWDVector refpos);
    int      (*handleSize)(int view);
    double   (*gridSize)(int view);
    LWItemID (*viewItem)(int view);   /* camera/light looked through */
} LWViewportInfo;

#endif

/*
 * lwrender.h -- scene items: item/render handler parts, and the item,
 * object, bone, interface and time services.
 *
 * Record layouts are the 9.6 ones ("LW Item Info 5", "LW Object Info 7",
 * "LW Bone Info 5", "LW Interface Info 7", "LW Viewport Info 4"). Newer
 * versions only append members.
 */
#ifndef LWSDK_RENDER_H
#define LWSDK_RENDER_H

#include "lwtypes.h"
#include "lwhandler.h"
#include "lwenvel.h"
#include "lwmeshes.h"

/* ---- item types and ids ----------------------------------------------- */

/* Scene items (objects, lights, cameras, bones). Only the low 32 bits carry
 * meaning; the host commands print them in hexadecimal. */
typedef void *LWItemID;
#define LWITEM_NULL ((LWItemID) 0)

typedef int LWItemType;
#define LWI_OBJECT 0
#define LWI_LIGHT  1
#define LWI_CAMERA 2
#define LWI_BONE   3
/* LWI_IMAGE and LWI_ANY (item pop-ups only) are in lwpanel.h. */

/* Fixed pseudo-items. They follow the scene-file numbering (type in the
 * top hex digit), which the host's run-time ids appear to share; use
 * LWItemInfo.type() rather than decoding an id. */
#define LWITEM_RADIOSITY ((LWItemID)0x21000000)
#define LWITEM_CAUSTICS  ((LWItemID)0x22000000)

/* Returned by useItems: depend on every item. */
#define LWITEM_ALL       ((LWItemID) ~0)

/* ---- item parameters --------------------------------------------------- */

typedef int LWItemParam;
#define LWIP_POSITION    1   /* keyed position, parent space */
#define LWIP_RIGHT       2   /* item +X in world, scaled */
#define LWIP_UP          3
#define LWIP_FORWARD     4
#define LWIP_ROTATION    5   /* HPB radians, parent space */
#define LWIP_SCALING     6
#define LWIP_PIVOT       7
#define LWIP_W_POSITION  8   /* world position */
#define LWIP_W_RIGHT     9   /* world +X in item space */
#define LWIP_W_UP        10
#define LWIP_W_FORWARD   11
#define LWIP_PIVOT_ROT   12

/* ---- handler extensions ------------------------------------------------ */

typedef struct st_LWNameChangeData {
    const char *oldName;
    const char *newName;
    LWItemID    id;
} LWNameChangeData;

/* useItems returns a LWITEM_NULL-terminated list, NULL, or LWITEM_ALL.
 * changeID gets old,new pairs ending in LWITEM_NULL; map each id once. */
typedef struct st_LWItemFuncs {
    const LWItemID *(*useItems)(LWInstance inst);
    void  (*changeID)(LWInstance inst, const LWItemID *ids);
    void  (*changeName)(LWInstance inst, const LWNameChangeData *names);
} LWItemFuncs;

typedef struct st_LWRenderFuncs {
    LWError (*init)(LWInstance inst, int mode);     /* LWINIT_* */
    void    (*cleanup)(LWInstance inst);
    LWError (*newTime)(LWInstance inst, LWFrame frame, LWTime t);
} LWRenderFuncs;

#define LWINIT_PREVIEW 0
#define LWINIT_RENDER  1

/* ---- "LW Item Info" --------------------------------------------------- */

#define LWITEMINFO_GLOBAL      "LW Item Info 5"

/* first(LWI_BONE, object) walks that object's bones; other types take
 * LWITEM_NULL. server()/serverFlags() count from 1 and return NULL/0 past
 * the end. */
typedef struct st_LWItemInfo {
    LWItemID     (*first)(LWItemType type, LWItemID boneObject);
    LWItemID     (*next)(LWItemID item);
    LWItemID     (*firstChild)(LWItemID parent);
    LWItemID     (*nextChild)(LWItemID parent, LWItemID prevChild);
    LWItemID     (*parent)(LWItemID item);
    LWItemID     (*target)(LWItemID item);
    LWItemID     (*goal)(LWItemID item);
    LWItemType   (*type)(LWItemID item);
    const char  *(*name)(LWItemID item);
    void         (*param)(LWItemID item, LWItemParam param, LWTime t,
                          LWDVector vector);
    unsigned int (*limits)(LWItemID item, LWItemParam param, LWDVector min,
                           LWDVector max);
    const char  *(*getTag)(LWItemID item, int tagNum);
    void         (*setTag)(LWItemID item, int tagNum, const char *tag);
    LWChanGroupID (*chanGroup)(LWItemID item);
    const char  *(*server)(LWItemID item, const char *cls, int index);
    unsigned int (*serverFlags)(LWItemID item, const char *cls, int index);
    void         (*controller)(LWItemID item, LWItemParam param, int type[3]);
    unsigned int (*flags)(LWItemID item);
    LWTime       (*lookAhead)(LWItemID item);
    double       (*goalStrength)(LWItemID item, LWTime t);
    void         (*stiffness)(LWItemID item, LWItemParam param, LWDVector v);
    unsigned int (*axisLocks)(LWItemID item, LWItemParam param);
    unsigned int (*maxLookSteps)(LWItemID item);
    double       (*reliableDistance)(LWItemID item);
    unsigned int (*goalObjective)(LWItemID item);
    double       (*ikfkBlending)(LWItemID item, LWTime t);
    unsigned int (*ikInitialState)(LWItemID item);
    LWFrame      (*ikInitialStateFrame)(LWItemID item, LWTime t);
    unsigned int (*ikSoft)(LWItemID item, LWTime t, unsigned int *distanceType,
                           double *min, double *max);
    LWItemID     (*pole)(LWItemID item);
    LWItemID     (*sameItem)(LWItemID item, LWItemParam param);
    double       (*sameItemBlend)(LWItemID item, LWItemParam param, LWTime t);
    unsigned int (*sameItemBlendMethod)(LWItemID item, LWItemParam param);
    unsigned int (*sameItemFlags)(LWItemID item, LWItemParam param);
} LWItemInfo;

#define LWVECF_0 (1 << 0)
#define LWVECF_1 (1 << 1)
#define LWVECF_2 (1 << 2)

#define LWSRVF_DISABLED (1 << 0)
#define LWSRVF_HIDDEN   (1 << 1)

#define LWMOTCTL_KEYFRAMES         0
#define LWMOTCTL_TARGETING         1
#define LWMOTCTL_ALIGN_TO_VELOCITY 2
#define LWMOTCTL_IK                3
#define LWMOTCTL_ALIGN_TO_PATH     4
#define LWMOTCTL_POLE              5
#define LWMOTCTL_SAMEITEM          6

/* flags() of an item (motion options). Not the LWITEMF_ set of
 * LWInterfaceInfo.itemFlags below, which shares the prefix. */
#define LWITEMF_ACTIVE          (1 << 0)
#define LWITEMF_UNAFFECT_BY_IK  (1 << 1)
#define LWITEMF_FULLTIME_IK     (1 << 2)
#define LWITEMF_GOAL_ORIENT     (1 << 3)
#define LWITEMF_REACH_GOAL      (1 << 4)
#define LWITEMF_USE_IKCHAINVALS (1 << 5)

#define LWMOTGOAL_POSITION   0
#define LWMOTGOAL_POINT      1
#define LWMOTGOAL_ONYZPLANE  2

#define LWMOTIK_INIT_FIRSTKEY      0
#define LWMOTIK_INIT_MOSTRECENTKEY 1
#define LWMOTIK_INIT_CURRENTCHAN   2
#define LWMOTIK_INIT_CUSTOMFRAME   3

#define LWMOTIK_SOFT_OFF            0
#define LWMOTIK_SOFT_EXPONENTIAL    1
#define LWMOTIK_SOFT_LINEAR         2
#define LWMOTIK_SOFT_CLAMP          3
#define LWMOTIK_SOFT_CHAINCHORD     0
#define LWMOTIK_SOFT_CHAINLENGTH    1
#define LWMOTIK_SOFT_CUSTOMDISTANCE 2

#define LWMOTCTL_SAMEITEM_INTERPOLATE 0
#define LWMOTCTL_SAMEITEM_COMPENSATE  1
#define LWMOTCTL_SAMEITEM_WORLD       (1 << 7)

/* ---- "LW Object Info" ------------------------------------------------- */

#define LWOBJECTINFO_GLOBAL      "LW Object Info 7"

/* meshInfo(frozen != 0) includes subdivision/metaball geometry and its
 * pntOtherPos gives final (deformed) positions. */
typedef struct st_LWObjectInfo {
    const char  *(*filename)(LWItemID objectitem);
    int          (*numPoints)(LWItemID objectitem);
    int          (*numPolygons)(LWItemID objectitem);
    unsigned int (*shadowOpts)(LWItemID objectitem);
    double       (*dissolve)(LWItemID objectitem, LWTime in_time);
    LWMeshInfoID (*meshInfo)(LWItemID objectitem, int frozen_flag);
    unsigned int (*flags)(LWItemID objectitem);
    double       (*fog)(LWItemID objectitem, LWTime in_time);
    LWTextureID  (*dispMap)(LWItemID objectitem);
    LWTextureID  (*clipMap)(LWItemID objectitem);
    void         (*patchLevel)(LWItemID objectitem, int *for_display,
                               int *for_render);
    void         (*metaballRes)(LWItemID objectitem, double *for_display,
                                double *for_render);
    LWItemID     (*boneSource)(LWItemID objectitem);
    LWItemID     (*morphTarget)(LWItemID objectitem);
    double       (*morphAmount)(LWItemID objectitem, LWTime in_time);
    unsigned int (*edgeOpts)(LWItemID objectitem);
    void         (*edgeColor)(LWItemID objectitem, LWTime in_time,
                              LWDVector color);
    int          (*subdivOrder)(LWItemID objectitem);
    double       (*polygonSize)(LWItemID objectitem, LWTime in_time);
    int          (*excluded)(LWItemID objectitem, LWItemID lightitem);
    void         (*matteColor)(LWItemID objectitem, LWTime in_time,
                               LWDVector color);
    double       (*thickness)(LWItemID objectitem, LWTime in_time, int type);
    double       (*edgeZScale)(LWItemID objectitem, LWTime in_time);
    double       (*shrinkEdgesNominalDistance)(LWItemID objectitem,
                                               LWTime in_time);
    double       (*maxDissolveDistance)(LWItemID objectitem);
    double       (*bumpDistance)(LWItemID objectitem);
    unsigned int (*getGroupIndex)(LWItemID objectitem);
    int          (*dispMapOrder)(LWItemID objectitem);
    int          (*bumpOrder)(LWItemID objectitem);
    NodeEditorID (*getNodeEditor)(LWItemID objectitem);
    int          (*nodeOrder)(LWItemID objectitem);
    void         (*bounds)(LWItemID objectitem, LWDVector min, LWDVector max);
    double       (*shadowoffsetdistance)(LWItemID objectitem);
} LWObjectInfo;

#define LWOSHAD_SELF    (1 << 0)
#define LWOSHAD_CAST    (1 << 1)
#define LWOSHAD_RECEIVE (1 << 2)

#define LWOBJF_UNSEEN_BY_CAMERA         (1 << 0)
#define LWOBJF_UNSEEN_BY_RAYS           (1 << 1)
#define LWOBJF_UNAFFECT_BY_FOG          (1 << 2)
#define LWOBJF_MORPH_MTSE               (1 << 3)
#define LWOBJF_MORPH_SURFACES           (1 << 4)
#define LWOBJF_MATTE                    (1 << 5)
#define LWOBJF_UNSEEN_BY_ALPHA          (1 << 6)   /* gone in 2020 */
#define LWOBJF_ALPHA_CONSTANT_BLACK     (1 << 7)
#define LWOBJF_DISTANCEDISSOLVE         (1 << 8)
#define LWOBJF_BUMPENABLE               (1 << 9)
#define LWOBJF_FASTERBONES              (1 << 10)
#define LWOBJF_USEMORPHEDPOSITIONS      (1 << 11)
#define LWOBJF_CONTAINS1POINTPOLYGONS   (1 << 12)
#define LWOBJF_CONTAINSPATCHES          (1 << 13)
#define LWOBJF_CONTAINSMETABALLS        (1 << 14)
#define LWOBJF_CONTAINSPARTIGONS        (1 << 15)
#define LWOBJF_CONTAINSCUSTOMPOLYGONS   (1 << 16)
#define LWOBJF_NODEDISPENABLED          (1 << 17)
/* Read-only status: no deformation was applied, only rigid motion. It is
 * not a switch that turns deformation off. */
#define LWOBJF_NODEFORMERSAPPLIED       (1 << 18)
#define LWOBJF_UNSEEN_BY_RADIOSITY      (1 << 19)

#define LWEDGEF_SILHOUETTE  (1 << 0)
#define LWEDGEF_UNSHARED    (1 << 1)
#define LWEDGEF_CREASE      (1 << 2)
#define LWEDGEF_SURFACE     (1 << 3)
#define LWEDGEF_OTHER       (1 << 4)
#define LWEDGEF_SHRINK_DIST (1 << 8)

#define LWTHICK_SILHOUETTE     0
#define LWTHICK_UNSHARED       1
#define LWTHICK_CREASE         2
#define LWTHICK_SURFACE        3
#define LWTHICK_OTHER          4
#define LWTHICK_LINE           5
#define LWTHICK_PARTICLE_HEAD  6
#define LWTHICK_PARTICLE_TAIL  7

/* ---- "LW Bone Info" --------------------------------------------------- */

#define LWBONEINFO_GLOBAL      "LW Bone Info 5"

/* weightMap names the bone's WGHT vmap. With no map set the host is taken
 * to return NULL or "" (unconfirmed which); treat both as "none". */
typedef struct st_LWBoneInfo {
    unsigned int (*flags)(LWItemID bone);
    void         (*restParam)(LWItemID bone, LWItemParam param, LWDVector v);
    double       (*restLength)(LWItemID bone);
    void         (*limits)(LWItemID bone, double *inner, double *outer);
    const char  *(*weightMap)(LWItemID bone);
    double       (*strength)(LWItemID bone);
    int          (*falloff)(LWItemID bone);   /* n: distance^-(2^n) */
    void         (*jointComp)(LWItemID bone, double *self, double *parent);
    void         (*muscleFlex)(LWItemID bone, double *self, double *parent);
    int          (*type)(LWItemID bone);      /* LWBONETYPE_* */
    double       (*twist)(LWItemID bone);
    int          (*transform)(LWItemID bone, int transform, int relativeto,
                              LWFMatrix3 m, LWFVector pos, LWFVector end);
    void         (*muscleBulge)(LWItemID bone, double *self, double *parent);
    void         (*muscleBulgeMap)(LWItemID bone, LWTextureID *self,
                                   LWTextureID *parent);
    void         (*displacementMap)(LWItemID bone, LWTextureID *self,
                                    LWTextureID *parent);
} LWBoneInfo;

#define LWBONEF_ACTIVE          (1 << 0)
#define LWBONEF_LIMITED_RANGE   (1 << 1)
#define LWBONEF_SCALE_STRENGTH  (1 << 2)   /* strength x rest length */
#define LWBONEF_WEIGHT_MAP_ONLY (1 << 3)
#define LWBONEF_WEIGHT_NORM     (1 << 4)
#define LWBONEF_JOINT_COMP      (1 << 5)
#define LWBONEF_JOINT_COMP_PAR  (1 << 6)
#define LWBONEF_MUSCLE_FLEX     (1 << 7)
#define LWBONEF_MUSCLE_FLEX_PAR (1 << 8)
#define LWBONEF_TWIST           (1 << 9)
#define LWBONEF_MUSCLE_BULGE    (1 << 10)
#define LWBONEF_MUSCLE_BULGE_PAR (1 << 11)

#define LWBONETYPE_ZAXIS 0
#define LWBONETYPE_JOINT 1

#define LWBONETRANS_REST   0
#define LWBONETRANS_FINAL  1
#define LWBONETRANS_OBJECT 0
#define LWBONETRANS_PARENT 1
#define LWBONETRANS_WORLD  2

/* ---- "LW Interface Info" ---------------------------------------------- */

#define LWINTERFACEINFO_GLOBAL "LW Interface Info 7"

/* selItems is NULL-terminated, in the host's order. */
typedef struct st_LWInterfaceInfo {
    LWTime           curTime;
    const LWItemID  *selItems;
    unsigned int   (*itemFlags)(LWItemID item);
    LWFrame          previewStart;
    LWFrame          previewEnd;
    LWFrame          previewStep;
    int              dynaUpdate;
    void           (*schemaPos)(LWItemID item, double *x, double *y);
    int            (*itemVis)(LWItemID item);   /* LWOVIS_* / LWIVIS_* */
    unsigned int     displayFlags;
    unsigned int     generalFlags;
    int              boxThreshold;
    int            (*itemColor)(LWItemID item);
    void           (*setItemColorIndex)(LWItemID item, int color);
    void           (*setItemColorCustom)(LWItemID item, double *color);
    int              alertLevel;
    int              autoKeyCreate;
    void           (*defaultItemTypeColor)(LWItemType itemtype, float *color,
                                           int set);
    void           (*itemColorRgba)(LWItemID item, unsigned int state,
                                    float rgba[4]);
    float          (*itemIconScale)(LWItemID item);
} LWInterfaceInfo;

/* itemFlags() */
#define LWITEMF_SELECTED     (1 << 0)
#define LWITEMF_SHOWCHILDREN (1 << 1)
#define LWITEMF_SHOWCHANNELS (1 << 2)
#define LWITEMF_LOCKED       (1 << 3)

#define LWDISPF_MOTIONPATHS (1 << 0)
#define LWDISPF_HANDLES     (1 << 1)
#define LWDISPF_IKCHAINS    (1 << 2)
#define LWDISPF_CAGES       (1 << 3)
#define LWDISPF_SAFEAREAS   (1 << 4)
#define LWDISPF_FIELDCHART  (1 << 5)

#define LWGENF_HIDETOOLBAR         (1 << 0)
#define LWGENF_RIGHTTOOLBAR        (1 << 1)
#define LWGENF_PARENTINPLACE       (1 << 2)
#define LWGENF_FRACTIONALFRAME     (1 << 3)
#define LWGENF_KEYSINSLIDER        (1 << 4)
#define LWGENF_PLAYEXACTRATE       (1 << 5)
#define LWGENF_AUTOKEY             (1 << 6)
#define LWGENF_IKENABLE            (1 << 7)    /* IK on */
#define LWGENF_LMBITEMSELECT       (1 << 8)
#define LWGENF_AUTOCONF            (1 << 9)
#define LWGENF_DOUBLECLICKBONEMODE (1 << 10)
#define LWGENF_MCENABLE            (1 << 11)   /* other motion controllers on */

#define LWDYNUP_OFF         0
#define LWDYNUP_DELAYED     1
#define LWDYNUP_INTERACTIVE 2

#define LWIVIS_HIDDEN  0
#define LWIVIS_VISIBLE 1

#define LWOVIS_HIDDEN        0
#define LWOVIS_BOUNDINGBOX   1
#define LWOVIS_VERTICES      2
#define LWOVIS_WIREFRAME     3
#define LWOVIS_FFWIREFRAME   4
#define LWOVIS_SHADED        5
#define LWOVIS_TEXTURED      6
#define LWOVIS_TEXTURED_WIRE 7

#define LWAKC_OFF      0
#define LWAKC_MODIFIED 1
#define LWAKC_ALL      2

#define LWALERT_BEGINNER     0
#define LWALERT_INTERMEDIATE 1
#define LWALERT_EXPERT       2

#define LWITEMCOL_CURRENT  0
#define LWITEMCOL_NORMAL   1
#define LWITEMCOL_SELECTED 2

/* ---- "LW Time Info" --------------------------------------------------- */

#define LWTIMEINFO_GLOBAL "LW Time Info"

typedef struct st_LWTimeInfo {
    LWTime  time;
    LWFrame frame;
} LWTimeInfo;

/* ---- viewports ("LW Viewport Info"), numbered 0..numViewports-1 ------- */

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

/* flags() */
#define LWVIEWF_CENTER      (1 << 0)
#define LWVIEWF_WEIGHTSHADE (1 << 1)
#define LWVIEWF_XRAY        (1 << 2)
#define LWVIEWF_HEADLIGHT   (1 << 3)

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

/*
 * lwmeshedt.h -- mesh edit operations (MeshEditOp), as handed out by a
 * CommandSequence's editBegin and to mesh edit tools' build.
 *
 * Layout is MeshDataEdit version 6 (LightWave 9.6): two data members and 73
 * functions. Every call takes op->state first. Edits become real only when
 * done() is called with EDERR_NONE.
 */
#ifndef LWSDK_MESHEDT_H
#define LWSDK_MESHEDT_H

#include "lwmodeler.h"
#include "lwmeshes.h"
#include "generators/lwpointgenerator.h"
#include "generators/lwedgegenerator.h"
#include "generators/lwpolygenerator.h"

#define LWMESHEDIT_CLASS   "MeshDataEdit"
#define LWMESHEDIT_VERSION 6

/* Selection editing: pntSelect/polSelect work, geometry edits do not. */
#define OPSEL_MODIFY (1 << 15)

typedef int EDError;
#define EDERR_NONE      0
#define EDERR_NOMEMORY  1
#define EDERR_BADLAYER  2
#define EDERR_BADSURF   3
#define EDERR_USERABORT 4
#define EDERR_BADARGS   5
#define EDERR_BADVMAP   6

/* element flags in the info records */
#define EDDF_SELECT  (1 << 0)
#define EDDF_DELETE  (1 << 1)
#define EDPF_CCEND   (1 << 2)   /* curve continuity points */
#define EDPF_CCSTART (1 << 3)

/* done()'s selection mode. 0 keeps the direct selection; CLEARCURRENT and
 * SELECTNEW are hints the user's settings may override; FORCE always
 * selects the new elements. */
#define EDSELM_CLEARCURRENT (1 << 0)
#define EDSELM_SELECTNEW    (1 << 1)
#define EDSELM_FORCEVRTS    (1 << 2)
#define EDSELM_FORCEPOLS    (1 << 3)

/* pointCount/polyCount/edgeCount mode */
#define EDCOUNT_ALL    0
#define EDCOUNT_SELECT 1
#define EDCOUNT_DELETE 2

typedef struct st_MeshEditState *EDStateRef;

/* userData points at the per-element memory asked for at editBegin. */
typedef struct st_EDPointInfo {
    LWPntID          pnt;
    void            *userData;
    int              layer;
    int              flags;          /* EDDF_* */
    double           position[3];
    float           *vmapVec;        /* values of the vmap chosen by pointVSet
                                        (presumed; not documented) */
    int              numEdges;
    const LWEdgeID  *edges;
} EDPointInfo;

typedef struct st_EDPolygonInfo {
    LWPolID          pol;
    void            *userData;
    int              layer;
    int              flags;          /* EDDF_*, EDPF_* */
    int              numPnts;
    const LWPntID   *points;
    const char      *surface;
    unsigned int     type;           /* LWPOLTYPE_* */
    int              typeFlags;
} EDPolygonInfo;

typedef struct st_EDEdgeInfo {
    LWEdgeID         edge;
    void            *userData;
    int              layer;
    int              flags;
    LWPntID          p1, p2;
    int              numPols;
    const LWPolID   *pols;
} EDEdgeInfo;

typedef struct st_EDBoundCv {
    LWPolID curve;
    int     start, end;
} EDBoundCv;

/* Scan callbacks: a non-zero result stops the scan and is returned. */
typedef EDError EDPointScanFunc(void *data, const EDPointInfo *info);
typedef EDError EDEdgeScanFunc(void *data, const EDEdgeInfo *info);
typedef EDError EDPolyScanFunc(void *data, const EDPolygonInfo *info);
typedef EDError EDFastPointScanFunc(void *data, LWPntID pnt);
typedef EDError EDFastEdgeScanFunc(void *data, LWEdgeID edge);
typedef EDError EDFastPolyScanFunc(void *data, LWPolID pol);

struct LWPointGenerator;
struct LWEdgeGenerator;
struct LWPolyGenerator;

typedef struct st_MeshEditOp {
    EDStateRef   state;
    int          layerNum;      /* primary layer; new geometry goes here */

    void       (*done)(EDStateRef s, EDError err, int selm);
    int        (*pointCount)(EDStateRef s, EltOpLayer lyr, int mode);
    int        (*polyCount)(EDStateRef s, EltOpLayer lyr, int mode);
    EDError    (*pointScan)(EDStateRef s, EDPointScanFunc *fn, void *data,
                            EltOpLayer lyr);
    EDError    (*polyScan)(EDStateRef s, EDPolyScanFunc *fn, void *data,
                           EltOpLayer lyr);
    /* one shared record per state, overwritten by the next call */
    EDPointInfo   *(*pointInfo)(EDStateRef s, LWPntID pnt);
    EDPolygonInfo *(*polyInfo)(EDStateRef s, LWPolID pol);
    int        (*polyNormal)(EDStateRef s, LWPolID pol, double norm[3]);

    LWPntID    (*addPoint)(EDStateRef s, double *xyz);
    LWPolID    (*addFace)(EDStateRef s, const char *surf, int numPnt,
                          const LWPntID *pnts);
    LWPolID    (*addCurve)(EDStateRef s, const char *surf, int numPnt,
                           const LWPntID *pnts, int flags);
    EDError    (*addQuad)(EDStateRef s, LWPntID a, LWPntID b, LWPntID c,
                          LWPntID d);
    EDError    (*addTri)(EDStateRef s, LWPntID a, LWPntID b, LWPntID c);
    EDError    (*addPatch)(EDStateRef s, int nr, int nc, int lr, int lc,
                           EDBoundCv *r0, EDBoundCv *r1, EDBoundCv *c0,
                           EDBoundCv *c1);
    EDError    (*remPoint)(EDStateRef s, LWPntID pnt);
    EDError    (*remPoly)(EDStateRef s, LWPolID pol);
    EDError    (*pntMove)(EDStateRef s, LWPntID pnt, const double *pos);
    EDError    (*polSurf)(EDStateRef s, LWPolID pol, const char *surf);
    EDError    (*polPnts)(EDStateRef s, LWPolID pol, int numPnt,
                          const LWPntID *pnts);
    EDError    (*polFlag)(EDStateRef s, LWPolID pol, int mask, int value);
    EDError    (*polTag)(EDStateRef s, LWPolID pol, LWID type,
                         const char *tag);
    /* NULL value removes the point from the map */
    EDError    (*pntVMap)(EDStateRef s, LWPntID pnt, LWID type,
                          const char *name, int dim, float *value);
    LWPolID    (*addPoly)(EDStateRef s, LWID type, LWPolID templ,
                          const char *surf, int numPnt, const LWPntID *pnts);
    LWPntID    (*addIPnt)(EDStateRef s, double *xyz, int numPnt,
                          const LWPntID *pnts, const double *wt);
    EDError    (*initUV)(EDStateRef s, float *uv);

    void      *(*pointVSet)(EDStateRef s, void *vmap_id, LWID vmap_type,
                            const char *vmap_name);
    int        (*pointVGet)(EDStateRef s, LWPntID point_id,
                            float *vmap_vector);
    const char *(*polyTag)(EDStateRef s, LWPolID polygon_id, LWID tag_type);
    EDError    (*pntSelect)(EDStateRef s, LWPntID point_id,
                            int selection_state);
    EDError    (*polSelect)(EDStateRef s, LWPolID polygon_id,
                            int selection_state);
    int        (*pointVPGet)(EDStateRef s, LWPntID point_id,
                             LWPolID polygon_id, float *vmap_vector);
    int        (*pointVEval)(EDStateRef s, LWPntID point_id,
                             LWPolID polygon_id, float *vmap_vector);
    EDError    (*pntVPMap)(EDStateRef s, LWPntID point_id,
                           LWPolID polygon_id, LWID vmap_type,
                           const char *vmap_name, int vmap_dimensions,
                           float *vmap_vector);

    /* edges and direct element access (LightWave 9.0) */
    int        (*edgeCount)(EDStateRef s, EltOpLayer lyr, int mode);
    EDError    (*edgeScan)(EDStateRef s, EDEdgeScanFunc *fn, void *data,
                           EltOpLayer lyr);
    EDEdgeInfo *(*edgeInfo)(EDStateRef s, LWEdgeID edge);
    EDError    (*edgeSelect)(EDStateRef s, LWEdgeID edge, int state);
    int        (*edgePolys)(EDStateRef s, LWEdgeID edge,
                            const LWPolID **pols);
    LWPntID    (*edgePoint1)(EDStateRef s, LWEdgeID edge);
    LWPntID    (*edgePoint2)(EDStateRef s, LWEdgeID edge);
    LWEdgeID   (*edgeFromPoints)(EDStateRef s, LWPntID a, LWPntID b);
    void       (*edgeFlip)(EDStateRef s, LWEdgeID edge);
    void       (*pointPos)(EDStateRef s, LWPntID pnt, double pos[3]);
    int        (*pointEdges)(EDStateRef s, LWPntID pnt,
                             const LWEdgeID **edges);
    unsigned int (*polyType)(EDStateRef s, LWPolID pol);
    int        (*polyPoints)(EDStateRef s, LWPolID pol,
                             const LWPntID **pnts);
    int        (*pointFlags)(EDStateRef s, LWPntID pnt);
    int        (*edgeFlags)(EDStateRef s, LWEdgeID edge);
    int        (*polyFlags)(EDStateRef s, LWPolID pol);
    void      *(*pointData)(EDStateRef s, LWPntID pnt);
    void      *(*edgeData)(EDStateRef s, LWEdgeID edge);
    void      *(*polyData)(EDStateRef s, LWPolID pol);
    EDError    (*fastPointScan)(EDStateRef s, EDFastPointScanFunc *fn,
                                void *data, EltOpLayer lyr, int selectedOnly);
    EDError    (*fastEdgeScan)(EDStateRef s, EDFastEdgeScanFunc *fn,
                               void *data, EltOpLayer lyr, int selectedOnly);
    EDError    (*fastPolyScan)(EDStateRef s, EDFastPolyScanFunc *fn,
                               void *data, EltOpLayer lyr, int selectedOnly);
    int        (*pointLayer)(EDStateRef s, LWPntID pnt);
    int        (*edgeLayer)(EDStateRef s, LWEdgeID edge);
    int        (*polyLayer)(EDStateRef s, LWPolID pol);
    int        (*setLayer)(EDStateRef s, int layerNum);
    int        (*advanceLayer)(EDStateRef s);
    int        (*pointNew)(EDStateRef s, LWPntID pnt);
    int        (*edgeNew)(EDStateRef s, LWEdgeID edge);
    int        (*polyNew)(EDStateRef s, LWPolID pol);
    struct LWPointGenerator *(*genPoints)(EDStateRef s, EltOpLayer lyr,
                                          int selectedOnly);
    struct LWEdgeGenerator  *(*genEdges)(EDStateRef s, EltOpLayer lyr,
                                         int selectedOnly);
    struct LWPolyGenerator  *(*genPolys)(EDStateRef s, EltOpLayer lyr,
                                         int selectedOnly);

    /* whole-vmap editing (LightWave 9.6). vMapSelect creates a missing map
     * and makes it current for the calls below; a NULL polygon in vMapSet
     * sets the continuous value, a NULL value removes it. */
    void      *(*vMapSelect)(EDStateRef es, const char *name, LWID type,
                             int dim);
    int        (*vMapExists)(EDStateRef es, const char *name, LWID type);
    unsigned int (*vMapGetDimension)(EDStateRef es);
    void       (*vMapSet)(EDStateRef es, LWPntID point_id,
                          LWPolID polygon_id, const float *value);
    void       (*vMapSetIdeal)(EDStateRef es, LWPntID point_id,
                               LWPolID polygon_id, const float *value);
    void       (*vMapRename)(EDStateRef es, const char *new_name);
    void       (*vMapRemove)(EDStateRef es);
} MeshEditOp;

/* pntBuf/edgeBuf/polBuf: bytes of user memory per element (userData). */
typedef MeshEditOp *MeshEditBegin(int pntBuf, int polBuf, EltOpSelect sel);
typedef MeshEditOp *MeshEditBegin2(int pntBuf, int edgeBuf, int polBuf,
                                   EltOpSelect sel);

#endif

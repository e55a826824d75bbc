/*
 * lwmeshes.h -- read access to meshes: mesh element ids, LWMeshInfo and the
 * "Scene Objects" service.
 */
#ifndef LWSDK_MESHES_H
#define LWSDK_MESHES_H

#include <stddef.h>
#include "lwtypes.h"

/* Opaque element handles. Their order says nothing about scan order. */
typedef struct st_GCoreVertex  *LWPntID;
typedef struct st_GCoreEdge    *LWEdgeID;
typedef struct st_GCorePolygon *LWPolID;

/* Polygon types */
#define LWPOLTYPE_FACE LWID_('F', 'A', 'C', 'E')
#define LWPOLTYPE_CURV LWID_('C', 'U', 'R', 'V')
#define LWPOLTYPE_PTCH LWID_('P', 'T', 'C', 'H')
#define LWPOLTYPE_SUBD LWID_('S', 'U', 'B', 'D')
#define LWPOLTYPE_MBAL LWID_('M', 'B', 'A', 'L')
#define LWPOLTYPE_BONE LWID_('B', 'O', 'N', 'E')

/* Polygon tag types */
#define LWPTAG_SURF LWID_('S', 'U', 'R', 'F')
#define LWPTAG_PART LWID_('P', 'A', 'R', 'T')
#define LWPTAG_TXUV LWID_('T', 'X', 'U', 'V')
#define LWPTAG_COLR LWID_('C', 'O', 'L', 'R')

/* Vertex map types. A WGHT map has dimension 1; an unmapped point reads
 * as 0.0 and values may be negative. */
#define LWVMAP_PICK LWID_('P', 'I', 'C', 'K')
#define LWVMAP_WGHT LWID_('W', 'G', 'H', 'T')
#define LWVMAP_MNVW LWID_('M', 'N', 'V', 'W')
#define LWVMAP_TXUV LWID_('T', 'X', 'U', 'V')
#define LWVMAP_MORF LWID_('M', 'O', 'R', 'F')
#define LWVMAP_SPOT LWID_('S', 'P', 'O', 'T')
#define LWVMAP_RGB  LWID_('R', 'G', 'B', ' ')
#define LWVMAP_RGBA LWID_('R', 'G', 'B', 'A')
#define LWVMAP_NORM LWID_('N', 'O', 'R', 'M')

/* Scan callbacks: a non-zero result stops the scan and is returned. */
typedef size_t LWPntScanFunc(void *data, LWPntID pnt);
typedef size_t LWPolScanFunc(void *data, LWPolID pol);
typedef size_t LWEdgeScanFunc(void *data, LWEdgeID edge);

typedef void *LWMeshIteratorID;
#define LWMESHITER_POLYGON 1
#define LWMESHITER_POINT   2

typedef struct st_LWMeshInfo *LWMeshInfoID;

typedef enum { LWMESHEVNT_DESTROY } LWMeshEvent;
typedef int LWMeshEventFunc(void *data, LWMeshInfoID mesh, LWMeshEvent event,
                            void *eventData);

/* A mesh snapshot owned by whoever asked for it: call destroy when done,
 * unless destroy is NULL (then the host keeps it). */
typedef struct st_LWMeshInfo {
    void   *priv;
    void  (*destroy)(LWMeshInfoID mi);

    int   (*numPoints)(LWMeshInfoID mi);
    int   (*numPolygons)(LWMeshInfoID mi);
    size_t (*scanPoints)(LWMeshInfoID mi, LWPntScanFunc *fn, void *data);
    size_t (*scanPolys)(LWMeshInfoID mi, LWPolScanFunc *fn, void *data);

    void  (*pntBasePos)(LWMeshInfoID mi, LWPntID pnt, LWFVector pos);
    void  (*pntOtherPos)(LWMeshInfoID mi, LWPntID pnt, LWFVector pos);

    /* vmap handles: lookup by type + name (NULL if absent), select for
     * pntVGet (returns the dimension), get (true if the point is mapped) */
    void *(*pntVLookup)(LWMeshInfoID mi, LWID type, const char *name);
    int   (*pntVSelect)(LWMeshInfoID mi, void *vmap);
    int   (*pntVGet)(LWMeshInfoID mi, LWPntID pnt, float *vector);

    LWID  (*polType)(LWMeshInfoID mi, LWPolID pol);
    int   (*polSize)(LWMeshInfoID mi, LWPolID pol);
    LWPntID (*polVertex)(LWMeshInfoID mi, LWPolID pol, int vert);
    const char *(*polTag)(LWMeshInfoID mi, LWPolID pol, LWID tagType);

    int   (*pntVPGet)(LWMeshInfoID mi, LWPntID pnt, LWPolID pol, float *vector);
    unsigned int (*polFlags)(LWMeshInfoID mi, LWPolID pol);

    /* read a vmap by handle without changing the selection */
    int   (*pntVIDGet)(LWMeshInfoID mi, LWPntID pnt, float *vector, void *vmap);
    int   (*pntVPIDGet)(LWMeshInfoID mi, LWPntID pnt, LWPolID pol,
                        float *vector, void *vmap);

    int   (*polTypeFlags)(LWMeshInfoID mi, LWPolID pol);
    int   (*polBaseNormal)(LWMeshInfoID mi, LWPolID pol, LWFVector out_normal);
    int   (*polOtherNormal)(LWMeshInfoID mi, LWPolID pol, LWFVector out_normal);
    int   (*pntBaseNormal)(LWMeshInfoID mi, LWPolID pol, LWPntID pnt,
                           LWFVector out_normal);
    int   (*pntOtherNormal)(LWMeshInfoID mi, LWPolID pol, LWPntID pnt,
                            LWFVector out_normal);

    LWMeshIteratorID (*createMeshIterator)(LWMeshInfoID mi, int iterator_type);
    void  (*destroyMeshIterator)(LWMeshInfoID mi, LWMeshIteratorID iter);
    void *(*iterateMesh)(LWMeshInfoID mi, LWMeshIteratorID iter);
    void  (*resetMeshIterator)(LWMeshInfoID mi, LWMeshIteratorID iter);

    int   (*setMeshEvent)(LWMeshInfoID mi, LWMeshEventFunc *eventFunc,
                          void *data);
} LWMeshInfo;

/* ---- "Scene Objects" ------------------------------------------------- */

#define LWOBJECTFUNCS_GLOBAL "Scene Objects 6"
/* Name the module asks for on host builds >= 3211. Version 9 appends one
 * function after maxPointsPerPoly, so this record reads it unchanged. */

/* Objects are loaded files, indexed 0..numObjects-1 (not scene items).
 * vmap queries take a type; type 0 means every type. */
typedef struct st_LWObjectFuncs {
    int          (*numObjects)(void);
    const char  *(*filename)(int obj);
    int          (*maxLayers)(int obj);
    int          (*layerExists)(int obj, int lnum);
    void         (*pivotPoint)(int obj, int lnum, LWFVector pos);
    LWMeshInfo  *(*layerMesh)(int obj, int lnum);

    int          (*numVMaps)(LWID type);
    const char  *(*vmapName)(LWID type, int in_index);
    int          (*vmapDim)(LWID type, int in_index);
    LWID         (*vmapType)(int in_index);

    const char  *(*layerName)(int obj, int lnum);
    int          (*layerVis)(int obj, int lnum);
    const char  *(*userName)(int obj);
    const char  *(*refName)(int obj);

    int            maxPointsPerPoly;
} LWObjectFuncs;

#endif

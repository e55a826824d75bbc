/*
 * lwmodtool.h -- Modeler mesh edit tools ("MeshEditTool", version 4).
 */
#ifndef LWSDK_MODTOOL_H
#define LWSDK_MODTOOL_H

#include "lwtool.h"
#include "lwmeshedt.h"

#define LWMESHEDITTOOL_CLASS   "MeshEditTool"
#define LWMESHEDITTOOL_VERSION 4

/* test() results */
#define LWT_TEST_NOTHING 0
#define LWT_TEST_UPDATE  1   /* rebuild: build() is called */
#define LWT_TEST_ACCEPT  2   /* end(keep = 1) */
#define LWT_TEST_REJECT  3   /* end(keep = 0) */
#define LWT_TEST_CLONE   4   /* keep, then build again */

/* OR-ed into test()'s result to ask for per-point / per-polygon memory. */
#define LWT_VMEM(siz) (((((siz) + 7) >> 3) << 24) & 0xFF000000)
#define LWT_PMEM(siz) (((((siz) + 7) >> 3) << 16) & 0x00FF0000)

typedef struct st_LWMeshEditTool {
    LWInstance    instance;
    LWToolFuncs  *tool;
    int         (*test)(LWInstance inst);
    LWError     (*build)(LWInstance inst, MeshEditOp *op);
    void        (*end)(LWInstance inst, int keep);
} LWMeshEditTool;

#endif

/*
 * lwmodeler.h -- Modeler's layer and selection selectors and the state
 * query service.
 */
#ifndef LWSDK_MODELER_H
#define LWSDK_MODELER_H

#include "lwtypes.h"

/* Which layers an operation looks at. 100 + n picks layer n alone. */
typedef int EltOpLayer;
#define OPLYR_PRIMARY  0   /* lowest-numbered foreground layer */
#define OPLYR_FG       1   /* all foreground layers */
#define OPLYR_BG       2
#define OPLYR_SELECT   3   /* foreground and background */
#define OPLYR_ALL      4
#define OPLYR_EMPTY    5
#define OPLYR_NONEMPTY 6

/* Which elements count as selected. OPSEL_MODIFY (lwmeshedt.h) may be
 * OR-ed in for selection editing. */
typedef int EltOpSelect;
#define OPSEL_GLOBAL 0   /* everything */
#define OPSEL_USER   1   /* the user's selection, or all if none */
#define OPSEL_DIRECT 2   /* directly selected only */

#define LWSTATEQUERYFUNCS_GLOBAL "LWM: State Query 3"

typedef struct st_LWStateQueryFuncs {
    int          (*numLayers)(void);
    unsigned int (*layerMask)(EltOpLayer oplayer);
    const char  *(*surface)(void);
    unsigned int (*bbox)(EltOpLayer oplayer, double *minmax);
    const char  *(*layerList)(EltOpLayer oplayer, const char *objName);
    const char  *(*object)(void);
    int          (*mode)(int setting);
    const char  *(*vmap)(int index, LWID *type);
} LWStateQueryFuncs;

#define LWM_MODE_SELECTION 0
#define LWM_MODE_SYMMETRY  1

#define LWM_VMAP_WEIGHT  0
#define LWM_VMAP_TEXTURE 1
#define LWM_VMAP_MORPH   2

#endif

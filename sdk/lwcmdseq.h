/*
 * lwcmdseq.h -- Modeler command sequences ("CommandSequence", version 3):
 * run Modeler commands and open mesh edits.
 */
#ifndef LWSDK_CMDSEQ_H
#define LWSDK_CMDSEQ_H

#include "lwdyna.h"
#include "lwtypes.h"
#include "lwmeshedt.h"

#define LWMODCOMMAND_CLASS   "CommandSequence"
#define LWMODCOMMAND_VERSION 3

/* No command may run while a mesh edit is open. execute's selection
 * argument is OPSEL_GLOBAL/USER/DIRECT, never OPSEL_MODIFY. */
typedef struct st_LWModCommand {
    void            *data;
    const char      *argument;       /* what the server was invoked with */
    LWCommandCode  (*lookup)(void *data, const char *cmdName);
    int            (*execute)(void *data, LWCommandCode cmd, int argc,
                              const DynaValue *argv, EltOpSelect sel,
                              DynaValue *result);            /* CSERR_* */
    MeshEditBegin   *editBegin;
    int            (*evaluate)(void *data, const char *command);
    void           (*undoGroupBegin)(void);
    void           (*undoGroupEnd)(void);
    MeshEditBegin2  *editBegin2;
} LWModCommand;

#define CSERR_NONE      0
#define CSERR_MEMORY    1
#define CSERR_IO        2
#define CSERR_USERABORT 4
#define CSERR_ARGCOUNT  2901
#define CSERR_ARGTYPE   2902
#define CSERR_ARGVALUE  2903
#define CSERR_OPFAILURE 2904
#define CSERR_BADSEL    2905

#endif

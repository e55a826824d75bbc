/*
 * lwmonitor.h -- progress monitors: the generic LWMonitor record and
 * Layout's "LWLMonFuncs" progress window.
 */
#ifndef VELMORA_SDK_LWMONITOR_H
#define VELMORA_SDK_LWMONITOR_H

#include "lwtypes.h"

/* step returns 1 when the user asked to abort. */
typedef struct st_LWMonitor {
    void  *data;
    void (*init)(void *data, unsigned int total);
    int  (*step)(void *data, unsigned int incr);
    void (*done)(void *data);
} LWMonitor;

/* NULL-safe wrappers; a missing monitor never aborts. */
#define MON_INIT(mon, count) \
    do { if (mon) (*(mon)->init)((mon)->data, (count)); } while (0)
#define MON_INCR(mon, d) ((mon) ? (*(mon)->step)((mon)->data, (d)) : 0)
#define MON_STEP(mon)    MON_INCR(mon, 1)
#define MON_DONE(mon) \
    do { if (mon) (*(mon)->done)((mon)->data); } while (0)

/* ---- Layout progress window ------------------------------------------ */

#define LWLMONFUNCS_GLOBAL "LWLMonFuncs"

typedef struct st_LMONDATA *LWLMonID;

/* create, setup (title, LMO_* flags, history file or NULL), optionally
 * setwinpos, then init (total steps, first message), step..., done and
 * destroy. step returns 1 when the user asked to abort; an increment of 0
 * only changes the message. */
typedef struct st_LWLMonFuncs {
    LWLMonID (*create)(void);
    void     (*setup)(LWLMonID mon, char *title, unsigned int uiflags,
                      const char *histfile);
    void     (*setwinpos)(LWLMonID mon, int x, int y, int w, int h);
    void     (*init)(LWLMonID mon, unsigned int total, const char *msg);
    int      (*step)(LWLMonID mon, unsigned int incr, const char *msg);
    void     (*done)(LWLMonID mon);
    void     (*destroy)(LWLMonID mon);
} LWLMonFuncs;

#define LMO_NOABORT    (1 << 0)
#define LMO_REVIEW     (1 << 1)   /* done() waits for the user to close */
#define LMO_HISTAPPEND (1 << 2)
#define LMO_IMMUPD     (1 << 3)
/* Newer hosts only. */
#define LMO_TOOLBAR       (1 << 4)   /* progress in the tool-tip bar */
#define LMO_DELAYEDOPEN   (1 << 5)
#define LMO_PROGRESSONLY  (1 << 6)

#define LMON_NEW(f)          ((*(f)->create)())
#define LMON_DFLT(f, m, tot) \
    ((*(f)->setup)((m), (char *)"Processing...", 0, NULL), \
     (*(f)->init)((m), (tot), NULL))
#define LMON_WPOS(f, m, x, y, w, h) ((*(f)->setwinpos)((m), (x), (y), (w), (h)))
#define LMON_INIT(f, m, tot) ((*(f)->init)((m), (tot), NULL))
#define LMON_STEP(f, m)      ((*(f)->step)((m), 1, NULL))
#define LMON_INCR(f, m, s)   ((*(f)->step)((m), (s), NULL))
#define LMON_MSG(f, m, msg)  ((*(f)->step)((m), 0, (msg)))
#define LMON_MSGS(f, m, msg) ((*(f)->step)((m), 1, (msg)))
#define LMON_MSGI(f, m, s, msg) ((*(f)->step)((m), (s), (msg)))
#define LMON_DONE(f, m)      ((*(f)->done)(m))
#define LMON_KILL(f, m)      ((*(f)->destroy)(m))

#endif

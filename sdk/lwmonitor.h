/*
 * lwmonitor.h -- progress monitors: the generic LWMonitor record and
 * Layout's "LWLMonFuncs" progress window.
 */
#ifndef LWSDK_MONITOR_H
#define LWSDK_MONITOR_H

/* step returns 1 when the user asked to abort. */
typedef struct st_LWMonitor {
    void  *data;
    void (*init)(void *data, unsigned int total);
    int  (*step)(void *data, unsigned int incr);
    void (*done)(void *data);
} LWMonitor;

/* NULL-safe wrappers; a missing monitor never aborts. */
#define MON_INIT(mon, count) do { if (mon) (*(mon)->init)((mon)->data, (count)); } while (0)
#define MON_INCR(mon, d) ((mon) ? (*(mon)->step)((mon)->data, (d)) : 0)
#define MON_STEP(mon) MON_INCR(mon, 1)
#define MON_DONE(mon) do { if (mon) (*(mon)->done)((mon)->data); } while (0)

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

#define LMON_NEW(fun) ((*(fun)->create)())
#define LMON_DFLT(fun, mon, tot) \
    ((*(fun)->setup)((mon), (char *)"Processing...", 0, NULL), (*(fun)->init)((mon), (tot), NULL))
#define LMON_WPOS(fun, mon, x, y, w, h) ((*(fun)->setwinpos)((mon), (x), (y), (w), (h)))
#define LMON_INIT(fun, mon, tot) ((*(fun)->init)((mon), (tot), NULL))
#define LMON_STEP(fun, mon) ((*(fun)->step)((mon), 1, NULL))
#define LMON_INCR(fun, mon, s) ((*(fun)->step)((mon), (s), NULL))
#define LMON_MSG(fun, mon, msg) ((*(fun)->step)((mon), 0, (msg)))
#define LMON_MSGS(fun, mon, msg) ((*(fun)->step)((mon), 1, (msg)))
#define LMON_MSGI(fun, mon, s, msg) ((*(fun)->step)((mon), (s), (msg)))
#define LMON_DONE(fun, mon) ((*(fun)->done)(mon))
#define LMON_KILL(fun, mon) ((*(fun)->destroy)(mon))

#endif

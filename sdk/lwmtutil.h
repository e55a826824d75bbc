/*
 * lwmtutil.h -- "MultiThreading Utilities": thread groups, mutexes and
 * reader/writer locks supplied by the host.
 *
 * Member order follows the header (the HTML reference lists it
 * differently). Calling other SDK functions from worker threads is not
 * officially supported.
 */
#ifndef LWSDK_MTUTIL_H
#define LWSDK_MTUTIL_H

#define LWMTUTILFUNCS_GLOBAL "MultiThreading Utilities 2"

typedef void *LWMTUtilID;
typedef void *LWMTGroupID;
typedef void *LWMTThreadID;
typedef void *LWMTRWLockID;

typedef int (*LWMTThreadFunc)(void *arg);

/* Mutex ids 0..128; 0 is the "thread lock", 1..128 are free for use. */
#define LWMT_MUTEX_BITS  7
#define LWMT_MUTEX_COUNT 129
#define LWMT_MUTEX_MASK  127

typedef struct st_LWMTUtilFuncs {
    LWMTUtilID   (*create)(void);
    void         (*destroy)(LWMTUtilID mtid);
    int          (*lock)(LWMTUtilID mtid, int mutexID);
    int          (*unlock)(LWMTUtilID mtid, int mutexID);

    LWMTGroupID  (*groupCreate)(int count);
    void         (*groupDestroy)(LWMTGroupID mtgrpid);
    int          (*groupLockMutex)(LWMTGroupID mtgrpid, int mutexID);
    int          (*groupUnlockMutex)(LWMTGroupID mtgrpid, int mutexID);
    /* size > 0 copies size bytes of *arg; 0 passes arg itself. Threads
     * wait until groupRun/groupBegin. */
    LWMTThreadID (*groupAddThread)(LWMTGroupID mtgrpid, LWMTThreadFunc func,
                                   int size, void *arg);
    LWMTThreadID (*groupGetThreadID)(LWMTGroupID mtgrpid, int in_index);
    int          (*groupGetThreadCount)(LWMTGroupID mtgrpid);
    int          (*groupRun)(LWMTGroupID mtgrpid);     /* start, wait; 1 ok */
    int          (*groupBegin)(LWMTGroupID mtgrpid);   /* start only; 1 ok */
    void         (*groupSync)(LWMTGroupID mtgrpid);
    void         (*groupAbort)(LWMTGroupID mtgrpid);   /* cooperative */
    void         (*groupKill)(LWMTGroupID mtgrpid);
    int          (*groupIsDone)(LWMTGroupID mtgrpid);
    int          (*groupIsAborted)(LWMTGroupID mtgrpid);
    int          (*groupThreadResult)(LWMTGroupID mtgrpid, int in_index);

    LWMTThreadID (*threadGetID)(void);
    void         (*threadSetData)(void *ptr);
    void        *(*threadGetData)(void);
    void        *(*threadGetArg)(void);
    void        *(*threadGetArgByID)(LWMTThreadID thrdid);
    int          (*threadGetIndex)(void);
    int          (*threadGetIndexByID)(LWMTThreadID thrdid);
    int          (*threadGetThreadCount)(LWMTThreadID thrdid);
    LWMTGroupID  (*threadGetGroupID)(LWMTThreadID thrdid);
    int          (*threadCheckAbort)(void);
    int          (*threadCheckAbortByID)(LWMTThreadID thrdid);
    void         (*threadSleep)(int delay);            /* milliseconds */
    void         (*threadSetArg)(void *ptr);
    void         (*threadSetIndex)(int in_index);

    /* like groupSync with a timeout in ms: 1 all done, 0 timed out */
    int          (*groupWait)(LWMTGroupID mtgrpid, unsigned int timeout);

    LWMTRWLockID (*rwlockCreate)(void);
    void         (*rwlockDestroy)(LWMTRWLockID rwlock);
    void         (*rwlockReadLock)(LWMTRWLockID rwlock);
    int          (*rwlockReadLockTimeout)(LWMTRWLockID rwlock,
                                          unsigned int spintries);
    void         (*rwlockReadUnlock)(LWMTRWLockID rwlock);
    void         (*rwlockWriteLock)(LWMTRWLockID rwlock);
    void         (*rwlockWriteUnlock)(LWMTRWLockID rwlock);
    void         (*rwlockWriteToReadLock)(LWMTRWLockID rwlock);
} LWMTUtilFuncs;

#endif

/*
 * lwio.h -- streams handed to handler load/save callbacks.
 *
 * Every callback takes the state's writeData/readData as its first
 * argument; the LWSAVE_ / LWLOAD_ macros pass it for you.
 */
#ifndef VELMORA_SDK_LWIO_H
#define VELMORA_SDK_LWIO_H

#include "lwtypes.h"

#define LWIO_BINARY 0
#define LWIO_ASCII  1
#define LWIO_OBJECT LWIO_BINARY   /* object files are binary */
#define LWIO_SCENE  LWIO_ASCII    /* scene files are text */

/* Block marker: id in binary streams, token in text streams. Lists given
 * to findBlk end with id 0. */
typedef struct st_LWBlockIdent {
    LWID        id;
    const char *token;
} LWBlockIdent;

typedef struct st_LWSaveState {
    int    ioMode;
    void  *writeData;
    void (*write)(void *data, const char *buf, int len);
    void (*writeI1)(void *data, const char *v, int n);
    void (*writeI2)(void *data, const short *v, int n);
    void (*writeI4)(void *data, const int *v, int n);
    void (*writeU1)(void *data, const unsigned char *v, int n);
    void (*writeU2)(void *data, const unsigned short *v, int n);
    void (*writeU4)(void *data, const unsigned int *v, int n);
    void (*writeFP)(void *data, const float *v, int n);
    void (*writeStr)(void *data, const char *s);
    void (*writeID)(void *data, const LWBlockIdent *id);
    void (*beginBlk)(void *data, const LWBlockIdent *id, int leaf);
    void (*endBlk)(void *data);
    int  (*depth)(void *data);
    void (*writeDP)(void *data, const double *v, int n);
} LWSaveState;

/* Readers return the number of elements read; read returns bytes on the
 * current line or -1 at the end; findBlk returns the block's id or 0. */
typedef struct st_LWLoadState {
    int    ioMode;
    void  *readData;
    int  (*read)(void *data, char *buf, int len);
    int  (*readI1)(void *data, char *v, int n);
    int  (*readI2)(void *data, short *v, int n);
    int  (*readI4)(void *data, int *v, int n);
    int  (*readU1)(void *data, unsigned char *v, int n);
    int  (*readU2)(void *data, unsigned short *v, int n);
    int  (*readU4)(void *data, unsigned int *v, int n);
    int  (*readFP)(void *data, float *v, int n);
    int  (*readStr)(void *data, char *s, int max);
    LWID (*readID)(void *data, const LWBlockIdent *ids);
    LWID (*findBlk)(void *data, const LWBlockIdent *ids);
    void (*endBlk)(void *data);
    int  (*depth)(void *data);
    int  (*readDP)(void *data, double *v, int n);
} LWLoadState;

#define LWSAVE_I1(ss, p, n)    ((*(ss)->writeI1)((ss)->writeData, (p), (n)))
#define LWSAVE_I2(ss, p, n)    ((*(ss)->writeI2)((ss)->writeData, (p), (n)))
#define LWSAVE_I4(ss, p, n)    ((*(ss)->writeI4)((ss)->writeData, (p), (n)))
#define LWSAVE_U1(ss, p, n)    ((*(ss)->writeU1)((ss)->writeData, (p), (n)))
#define LWSAVE_U2(ss, p, n)    ((*(ss)->writeU2)((ss)->writeData, (p), (n)))
#define LWSAVE_U4(ss, p, n)    ((*(ss)->writeU4)((ss)->writeData, (p), (n)))
#define LWSAVE_FP(ss, p, n)    ((*(ss)->writeFP)((ss)->writeData, (p), (n)))
#define LWSAVE_DP(ss, p, n)    ((*(ss)->writeDP)((ss)->writeData, (p), (n)))
#define LWSAVE_STR(ss, s)      ((*(ss)->writeStr)((ss)->writeData, (s)))
#define LWSAVE_ID(ss, b)       ((*(ss)->writeID)((ss)->writeData, (b)))
#define LWSAVE_BEGIN(ss, b, l) ((*(ss)->beginBlk)((ss)->writeData, (b), (l)))
#define LWSAVE_END(ss)         ((*(ss)->endBlk)((ss)->writeData))
#define LWSAVE_DEPTH(ss)       ((*(ss)->depth)((ss)->writeData))

#define LWLOAD_I1(ls, p, n)    ((*(ls)->readI1)((ls)->readData, (p), (n)))
#define LWLOAD_I2(ls, p, n)    ((*(ls)->readI2)((ls)->readData, (p), (n)))
#define LWLOAD_I4(ls, p, n)    ((*(ls)->readI4)((ls)->readData, (p), (n)))
#define LWLOAD_U1(ls, p, n)    ((*(ls)->readU1)((ls)->readData, (p), (n)))
#define LWLOAD_U2(ls, p, n)    ((*(ls)->readU2)((ls)->readData, (p), (n)))
#define LWLOAD_U4(ls, p, n)    ((*(ls)->readU4)((ls)->readData, (p), (n)))
#define LWLOAD_FP(ls, p, n)    ((*(ls)->readFP)((ls)->readData, (p), (n)))
#define LWLOAD_DP(ls, p, n)    ((*(ls)->readDP)((ls)->readData, (p), (n)))
#define LWLOAD_STR(ls, s, n)   ((*(ls)->readStr)((ls)->readData, (s), (n)))
#define LWLOAD_ID(ls, b)       ((*(ls)->readID)((ls)->readData, (b)))
#define LWLOAD_FIND(ls, b)     ((*(ls)->findBlk)((ls)->readData, (b)))
#define LWLOAD_END(ls)         ((*(ls)->endBlk)((ls)->readData))
#define LWLOAD_DEPTH(ls)       ((*(ls)->depth)((ls)->readData))

/* Mode flag for the "File IO" service (not declared here). */
#define LWIO_BINARY_IFF 0x8C0000

#endif

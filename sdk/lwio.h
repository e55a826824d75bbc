/*
 * lwio.h -- streams handed to handler load/save callbacks.
 *
 * Every callback takes the state's writeData/readData as its first
 * argument; the LWSAVE_ / LWLOAD_ macros pass it for you.
 */
#ifndef LWSDK_IO_H
#define LWSDK_IO_H

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

#define LWSAVE_I1(lwss, p, n) ((*(lwss)->writeI1)((lwss)->writeData, (p), (n)))
#define LWSAVE_I2(lwss, p, n) ((*(lwss)->writeI2)((lwss)->writeData, (p), (n)))
#define LWSAVE_I4(lwss, p, n) ((*(lwss)->writeI4)((lwss)->writeData, (p), (n)))
#define LWSAVE_U1(lwss, p, n) ((*(lwss)->writeU1)((lwss)->writeData, (p), (n)))
#define LWSAVE_U2(lwss, p, n) ((*(lwss)->writeU2)((lwss)->writeData, (p), (n)))
#define LWSAVE_U4(lwss, p, n) ((*(lwss)->writeU4)((lwss)->writeData, (p), (n)))
#define LWSAVE_FP(lwss, p, n) ((*(lwss)->writeFP)((lwss)->writeData, (p), (n)))
#define LWSAVE_DP(lwss, p, n) ((*(lwss)->writeDP)((lwss)->writeData, (p), (n)))
#define LWSAVE_STR(lwss, p) ((*(lwss)->writeStr)((lwss)->writeData, (p)))
#define LWSAVE_ID(lwss, b) ((*(lwss)->writeID)((lwss)->writeData, (b)))
#define LWSAVE_BEGIN(lwss, b, l) ((*(lwss)->beginBlk)((lwss)->writeData, (b), (l)))
#define LWSAVE_END(lwss) ((*(lwss)->endBlk)((lwss)->writeData))
#define LWSAVE_DEPTH(lwss) ((*(lwss)->depth)((lwss)->writeData))

#define LWLOAD_I1(lwls, p, n) ((*(lwls)->readI1)((lwls)->readData, (p), (n)))
#define LWLOAD_I2(lwls, p, n) ((*(lwls)->readI2)((lwls)->readData, (p), (n)))
#define LWLOAD_I4(lwls, p, n) ((*(lwls)->readI4)((lwls)->readData, (p), (n)))
#define LWLOAD_U1(lwls, p, n) ((*(lwls)->readU1)((lwls)->readData, (p), (n)))
#define LWLOAD_U2(lwls, p, n) ((*(lwls)->readU2)((lwls)->readData, (p), (n)))
#define LWLOAD_U4(lwls, p, n) ((*(lwls)->readU4)((lwls)->readData, (p), (n)))
#define LWLOAD_FP(lwls, p, n) ((*(lwls)->readFP)((lwls)->readData, (p), (n)))
#define LWLOAD_DP(lwls, p, n) ((*(lwls)->readDP)((lwls)->readData, (p), (n)))
#define LWLOAD_STR(lwls, p, n) ((*(lwls)->readStr)((lwls)->readData, (p), (n)))
#define LWLOAD_ID(lwls, b) ((*(lwls)->readID)((lwls)->readData, (b)))
#define LWLOAD_FIND(lwls, b) ((*(lwls)->findBlk)((lwls)->readData, (b)))
#define LWLOAD_END(lwls) ((*(lwls)->endBlk)((lwls)->readData))
#define LWLOAD_DEPTH(lwls) ((*(lwls)->depth)((lwls)->readData))

/* Mode flag for the "File IO" service (not declared here). */
#define LWIO_BINARY_IFF 0x8C0000

#endif

/*
 * lwenvel.h -- only the envelope handle types other records mention.
 */
#ifndef LWSDK_ENVEL_H
#define LWSDK_ENVEL_H

#include "lwtypes.h"
#include "lwio.h"

typedef void *LWEnvelopeID;
typedef void *LWChanGroupID;
typedef void *LWEnvKeyframeID;

#endif

/*
 * lwenvel.h -- only the envelope handle types other records mention.
 */
#ifndef VELMORA_SDK_LWENVEL_H
#define VELMORA_SDK_LWENVEL_H

typedef void *LWEnvelopeID;
typedef void *LWChanGroupID;
typedef void *LWEnvKeyframeID;

#endif

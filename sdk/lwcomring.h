/*
 * lwcomring.h -- "LW Communication Ring": named topics plug-ins subscribe
 * to and message each other through.
 */
#ifndef LWSDK_COMRING_H
#define LWSDK_COMRING_H

#define LWCOMRING_GLOBAL "LW Communication Ring"

/* clientData is the pidata given to ringAttach; portData is the host's.
 * Codes and data are whatever the topic's users agree on. */
typedef void (*RingEvent)(void *clientData, void *portData, int eventCode,
                          void *eventData);

/* ringAttach creates the topic if needed and returns 1 on success; a topic
 * disappears with its last subscriber; ringMessage reaches every other
 * subscriber at once. Topics are non-const in 9.6. */
typedef struct st_LWComRing {
    int  (*ringAttach)(char *topic, LWInstance pidata, RingEvent eventCallback);
    void (*ringDetach)(char *topic, LWInstance pidata);
    void (*ringMessage)(char *topic, int eventCode, void *eventData);
} LWComRing;

#define LW_PLUGIN_LIMBO_STATES "LW Plugin Limbo States"
#define LW_LIMBO_START 0x00000001
#define LW_LIMBO_END   0x00000002

#endif

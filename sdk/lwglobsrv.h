/*
 * lwglobsrv.h -- global service servers ("Global" class): a plug-in that
 * supplies a named global to other plug-ins.
 */
#ifndef LWSDK_GLOBSERV_H
#define LWSDK_GLOBSERV_H

#define LWGLOBALSERVICE_CLASS   "Global"
#define LWGLOBALSERVICE_VERSION 1

/* The activation is asked for id and stores the service in data. */
typedef struct st_LWGlobalService {
    const char *id;
    void       *data;
} LWGlobalService;

#endif

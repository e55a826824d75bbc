/*
 * lwcommand.h -- Layout's command function: run one command line
 * ("SelectItem 10000000", "RefreshNow", ...).
 *
 * The 9.6 headers do not declare it (its documentation has plug-ins define
 * the name themselves), hence the guard. Item ids in commands are the low
 * 32 bits in hexadecimal. Do not issue commands while rendering. The
 * meaning of the return value is not documented.
 */
#ifndef VELMORA_SDK_LWCOMMAND_H
#define VELMORA_SDK_LWCOMMAND_H

#ifndef LWCOMMANDFUNC_GLOBAL
#define LWCOMMANDFUNC_GLOBAL "LW Command Interface"
#endif

typedef int LWCommandFunc(const char *cmd);

#endif

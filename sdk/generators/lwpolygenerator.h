/*
 * generators/lwpolygenerator.h -- mesh generator interface, included by
 * lwmeshedt.h. The module uses none of it; nothing is declared.
 */
#ifndef LWSDK_POLYGON_GENERATOR_H
#define LWSDK_POLYGON_GENERATOR_H

#include "lwmeshes.h"

#endif

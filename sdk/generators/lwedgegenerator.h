/*
 * generators/lwedgegenerator.h -- mesh generator interface, included by
 * lwmeshedt.h. The module uses none of it; nothing is declared.
 */
#ifndef LWSDK_EDGE_GENERATOR_H
#define LWSDK_EDGE_GENERATOR_H

#include "lwmeshes.h"

#endif

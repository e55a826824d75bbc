// Chunk and form ids of LightWave object files, shared by the reader, the writer and
// the object model.
#pragma once

#include "files/lwo_object.h"

namespace sim::lwo_ids {

constexpr LwoId kBbox = lwoId("BBOX");
constexpr LwoId kColr = lwoId("COLR");
constexpr LwoId kDiff = lwoId("DIFF");
constexpr LwoId kFace = lwoId("FACE");
constexpr LwoId kForm = lwoId("FORM");
constexpr LwoId kLayr = lwoId("LAYR");
constexpr LwoId kLwo2 = lwoId("LWO2");
constexpr LwoId kLwo3 = lwoId("LWO3");
constexpr LwoId kLwob = lwoId("LWOB");
constexpr LwoId kPnts = lwoId("PNTS");
constexpr LwoId kPols = lwoId("POLS");
constexpr LwoId kPtag = lwoId("PTAG");
constexpr LwoId kSrfs = lwoId("SRFS");
constexpr LwoId kSurf = lwoId("SURF");
constexpr LwoId kTags = lwoId("TAGS");
constexpr LwoId kVmad = lwoId("VMAD");
constexpr LwoId kVmap = lwoId("VMAP");
constexpr LwoId kVmpa = lwoId("VMPA");

}  // namespace sim::lwo_ids

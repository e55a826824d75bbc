#include "host/host_policy.h"

#include <bit>

namespace sim {

std::string policyName(const HostPolicy& p) {
  std::string name;
  name += p.events == EventDelivery::Deferred ? "DeferredEvents" : "ImmediateEvents";
  name += p.objectFlags == ObjectFlagState::Live ? "_LiveFlags" : "_LastEvalFlags";
  switch (p.versions) {
    case ActivationVersions::Sdk96Only: name += "_V96"; break;
    case ActivationVersions::NewestThenRetryOlder: name += "_V2020Retry"; break;
    case ActivationVersions::NewestOnly: name += "_V2020Only"; break;
  }
  name += p.itemIds == ItemIdStability::Stable ? "_StableIds" : "_ChangingIds";
  name += p.frozenIds == FrozenPointIds::SameAsBase ? "_FrozenBaseIds" : "_FrozenOwnIds";
  name += p.otherPos == OtherPosSpace::World ? "_WorldOther" : "_ObjectOther";
  name += p.meshEdits == MeshEditVisibility::Immediate ? "_EditsAtOnce" : "_EditsAtDone";
  name += p.dragRedraw == DragRedraw::EachMove ? "_DrawEachMove" : "_DrawEverySecondMove";
  return name;
}

std::vector<HostPolicy> plausibleHostPolicies() {
  // Every combination of the four switches the module's shell depends on; the three mesh
  // switches and the drag redraw vary with them so that each of their values meets each of the others'.
  // NewestOnly is left out: under it no 9.6-version server activates at all, which a
  // test of its own covers.
  std::vector<HostPolicy> out;
  for (unsigned i = 0; i < 16; ++i) {
    HostPolicy p;
    p.events = (i & 1) ? EventDelivery::Immediate : EventDelivery::Deferred;
    p.objectFlags = (i & 2) ? ObjectFlagState::LastEvaluation : ObjectFlagState::Live;
    p.versions = (i & 4) ? ActivationVersions::NewestThenRetryOlder : ActivationVersions::Sdk96Only;
    p.itemIds = (i & 8) ? ItemIdStability::ChangeOnEvents : ItemIdStability::Stable;
    p.frozenIds = (((i >> 0) ^ (i >> 2)) & 1) ? FrozenPointIds::OwnIds : FrozenPointIds::SameAsBase;
    p.otherPos = (((i >> 1) ^ (i >> 3)) & 1) ? OtherPosSpace::ObjectSpace : OtherPosSpace::World;
    p.meshEdits = (std::popcount(i) & 1) ? MeshEditVisibility::AtDone : MeshEditVisibility::Immediate;
    p.dragRedraw = (((i >> 2) ^ (i >> 3)) & 1) ? DragRedraw::EverySecondMove : DragRedraw::EachMove;
    out.push_back(p);
  }
  return out;
}

}  // namespace sim

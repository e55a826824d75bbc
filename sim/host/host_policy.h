// Host behaviours the SDK documentation leaves open. Each switch offers the choices a
// real Layout may make; the defaults are the lenient ones the sim started with, and
// plausibleHostPolicies() lists the combinations scenario tests run under. sim/README.md
// names, for every modelled behaviour, the document it rests on.
#pragma once
#include <string>
#include <vector>

namespace sim {

// When a scene event raised by a command (e.g. "SelectItem" -> LWEVNT_SELECT) reaches the
// masters: after the outermost plug-in call has returned, or at once, inside the command.
enum class EventDelivery { Deferred, Immediate };

// What LWOBJF_NODEFORMERSAPPLIED (object flags bit 18) reports: the live deformation
// state, or the state of the object's last evaluation (Layout evaluates on a refresh).
enum class ObjectFlagState { Live, LastEvaluation };

// Which activation versions the host offers a LayoutTool / MasterHandler /
// CommandSequence server.
enum class ActivationVersions {
  Sdk96Only,              // 1 / 4 / 3 only
  NewestThenRetryOlder,   // 3 / 5 / 4 first; after AFUNC_BADVERSION the 9.6 versions
  NewestOnly,             // 3 / 5 / 4 only: no retry after AFUNC_BADVERSION
};

// Whether item ids stay fixed for the life of an item. Layout documents that they "can
// change for any reason"; under ChangeOnEvents the sim renumbers its objects on scene
// events it chooses (renumberItems) and tells masters through changeID.
enum class ItemIdStability { Stable, ChangeOnEvents };

// Point ids of the frozen mesh's base points (those of the object's own mesh): the same
// ids the base mesh gives them, or ids of the frozen mesh's own.
enum class FrozenPointIds { SameAsBase, OwnIds };

// The space of a mesh info's pntOtherPos: world positions (owner's transform included),
// or the object's own space (deformed, without the owner's item transform).
enum class OtherPosSpace { World, ObjectSpace };

// When mesh-edit changes become visible to readers (mesh infos, object functions):
// at once, point by point, or only when the edit is done (committed as a whole).
enum class MeshEditVisibility { Immediate, AtDone };

// When the host draws during a drag: after every mouse move that left the tool dirty, or
// only after every second one (mouse moves arrive faster than frames; the tool's draw
// callback then has not run before the next move).
enum class DragRedraw { EachMove, EverySecondMove };

struct HostPolicy {
  EventDelivery events = EventDelivery::Deferred;
  ObjectFlagState objectFlags = ObjectFlagState::Live;
  ActivationVersions versions = ActivationVersions::Sdk96Only;
  ItemIdStability itemIds = ItemIdStability::Stable;
  FrozenPointIds frozenIds = FrozenPointIds::SameAsBase;
  OtherPosSpace otherPos = OtherPosSpace::World;
  MeshEditVisibility meshEdits = MeshEditVisibility::Immediate;
  DragRedraw dragRedraw = DragRedraw::EachMove;
};

// A short name, e.g. "immediate-events_last-eval-flags_...", usable as a test name.
std::string policyName(const HostPolicy& policy);

// Every combination of the switches a real host may have (the module must work under
// each of them).
std::vector<HostPolicy> plausibleHostPolicies();

}  // namespace sim

// Checks that the host interface headers have the byte layout the real host
// uses (LightWave 9.6 records, x86-64 LP64), that the constants the module
// depends on have the host's values, and that the convenience macros make
// the calls the host expects. Sizes and offsets come from the host's own
// headers compiled with gcc; a mismatch here means a member was dropped,
// reordered or mistyped, and the module would read the wrong slot.

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <lwtypes.h>  // first: lwcomring.h and lwmonitor.h rely on it, as the host's do

#include <lwcmdseq.h>
#include <lwcomring.h>
#include <lwcustobj.h>
#include <lwdialog.h>
#include <lwdyna.h>
#include <lwgeneric.h>
#include <lwglobsrv.h>
#include <lwhandler.h>
#include <lwhost.h>
#include <lwio.h>
#include <lwlaytool.h>
#include <lwmaster.h>
#include <lwmeshedt.h>
#include <lwmeshes.h>
#include <lwmodeler.h>
#include <lwmodtool.h>
#include <lwmodule.h>
#include <lwmonitor.h>
#include <lwmtutil.h>
#include <lwpanel.h>
#include <lwrender.h>
#include <lwserver.h>
#include <lwtool.h>

#include "settings/host_global_names.h"

// ---- record sizes (LP64) ---------------------------------------------------

static_assert(sizeof(void *) == 8, "the layout checks below are for LP64");

static_assert(sizeof(ModuleDescriptor) == 40);
static_assert(sizeof(ServerRecord) == 32);
static_assert(sizeof(ServerTagInfo) == 16);
static_assert(sizeof(LWToolEvent) == 248);
static_assert(sizeof(LWLayoutToolFuncs) == 104);
static_assert(sizeof(LWCustomObjAccess) == 192);
static_assert(sizeof(LWMasterAccess) == 48);
static_assert(sizeof(LWMasterHandler) == 40);
static_assert(sizeof(DynaValue) == 40);
static_assert(sizeof(LWValue) == 40);
static_assert(sizeof(LWPanControlDesc) == 48);
static_assert(sizeof(LWModCommand) == 72);
static_assert(sizeof(MeshEditOp) == 600);
static_assert(sizeof(EDPointInfo) == 72);
static_assert(sizeof(EDPolygonInfo) == 56);
static_assert(sizeof(LWMeshInfo) == 232);
static_assert(sizeof(LWObjectFuncs) == 120);
static_assert(sizeof(LWItemInfo) == 272);
static_assert(sizeof(LWObjectInfo) == 264);
static_assert(sizeof(LWBoneInfo) == 120);
static_assert(sizeof(LWInterfaceInfo) == 128);
static_assert(sizeof(LWViewportInfo) == 128);
static_assert(sizeof(LWPanelFuncs) == 104);
static_assert(sizeof(LWRasterFuncs) == 96);
static_assert(sizeof(LWMTUtilFuncs) == 336);
static_assert(sizeof(LWLMonFuncs) == 56);
static_assert(sizeof(LWMessageFuncs) == 56);

// ---- documented member offsets --------------------------------------------

static_assert(offsetof(LWToolEvent, flags) == 236);
static_assert(offsetof(LWToolEvent, viewNumber) == 240);
static_assert(offsetof(LWCustomObjAccess, viewPos) == 96);
static_assert(offsetof(LWCustomObjAccess, setCSysItem) == 144);
static_assert(offsetof(MeshEditOp, pntVMap) == 184);
static_assert(offsetof(MeshEditOp, vMapSelect) == 544);
static_assert(offsetof(LWInterfaceInfo, selItems) == 8);
static_assert(offsetof(LWInterfaceInfo, itemIconScale) == 120);

// Slots whose order is easy to get wrong; each offset follows from the
// member's position in the host's record (slot index x 8 after the data
// members).
static_assert(offsetof(LWMasterHandler, type) == 16);     // inst, item, type
static_assert(offsetof(LWMasterHandler, event) == 24);
static_assert(offsetof(LWMasterHandler, flags) == 32);
static_assert(offsetof(LWModCommand, lookup) == 16);      // data, argument, lookup
static_assert(offsetof(LWModCommand, editBegin) == 32);
static_assert(offsetof(LWModCommand, evaluate) == 40);
static_assert(offsetof(LWModCommand, editBegin2) == 64);
static_assert(offsetof(MeshEditOp, vMapRemove) == 592);   // last 9.6 slot
static_assert(offsetof(LWObjectFuncs, maxPointsPerPoly) == 112);
static_assert(offsetof(LWMeshInfo, pntVIDGet) == 136);    // 18th member
static_assert(offsetof(LWObjectInfo, meshInfo) == 40);    // 6th member
static_assert(offsetof(LWBoneInfo, weightMap) == 32);     // 5th member
static_assert(offsetof(LWItemInfo, server) == 112);       // 15th member
static_assert(offsetof(LWViewportInfo, viewItem) == 120); // 16th member
static_assert(offsetof(LWPanelFuncs, globalFun) == 96);
static_assert(offsetof(LWMTUtilFuncs, groupWait) == 264); // 34th member
static_assert(offsetof(EDPointInfo, position) == 24);
static_assert(offsetof(EDPolygonInfo, type) == 48);
static_assert(offsetof(LWDisplayMetrics, textHeight) == 24);

// ---- constants -------------------------------------------------------------

TEST(SdkConstants, ValuesTheHostUses) {
    // Four-character ids: first character in the top byte.
    EXPECT_EQ(LWVMAP_WGHT, 0x57474854u);
    EXPECT_EQ(LWVMAP_PICK, 0x5049434Bu);
    EXPECT_EQ(LWVMAP_RGB, 0x52474220u);
    EXPECT_EQ(LWPOLTYPE_FACE, 0x46414345u);
    EXPECT_EQ(LWPOLTYPE_SUBD, 0x53554244u);
    EXPECT_EQ(LWPTAG_SURF, 0x53555246u);

    // Module descriptor and activation.
    EXPECT_EQ(MOD_SYSSYNC, 0x04121994);
    EXPECT_EQ(MOD_SYSVER, 3);
    EXPECT_EQ(AFUNC_OK, 0);
    EXPECT_EQ(AFUNC_BADVERSION, 1);
    EXPECT_EQ(AFUNC_BADAPP_SILENT, 5);
    EXPECT_EQ(GFUSE_ACQUIRE, 1);
    EXPECT_EQ(GFUSE_RELEASE, 2);
    EXPECT_EQ(SRVTAG_USERNAME | LANGID_JAPANESE, 0x0411);
    EXPECT_EQ(LWLAYOUTTOOL_VERSION, hostapi::kLayoutToolVersion);
    EXPECT_EQ(LWMASTER_VERSION, hostapi::kMasterHandlerVersion);
    EXPECT_EQ(LWMODCOMMAND_VERSION, hostapi::kCommandSequenceVersion);

    // Tool: dirty() == 3 means wireframe and help text.
    EXPECT_EQ(LWT_DIRTY_WIREFRAME | LWT_DIRTY_HELPTEXT, 3);
    EXPECT_EQ(LWT_EVENT_DROP, 0);
    EXPECT_EQ(LWT_EVENT_ACTIVATE, 2);
    EXPECT_EQ(LWTOOLF_ALT_BUTTON, 8);
    EXPECT_EQ(LWDRAWMODE_CULLFACE | LWDRAWMODE_DEPTHTEST | LWDRAWMODE_DEPTHWRITE, 13);
    EXPECT_EQ(LWCSYS_VIEWPORT, 3);

    // Master events the module listens for and the flag that enables them.
    EXPECT_EQ(LWEVNT_SELECT, 3);
    EXPECT_EQ(LWEVNT_NOTIFY_SCENE_CLEAR_COMPLETE, 276);
    EXPECT_EQ(LWEVNT_NOTIFY_SCENE_LOAD_STARTING, 277);
    EXPECT_EQ(LWEVNT_NOTIFY_SCENE_SAVE_STARTING, 279);
    EXPECT_EQ(LWEVNT_NOTIFY_SCENE_SAVE_COMPLETE, 280);
    EXPECT_EQ(LWEVNT_NOTIFY_RENDER_FRAME_COMPLETE, 0x110);  // after the gap
    EXPECT_EQ(LWMASTF_RECEIVE_NOTIFICATIONS, 2);
    EXPECT_EQ(LWMAST_LAYOUT, 1);

    // Mesh edit.
    EXPECT_EQ(OPLYR_PRIMARY, 0);
    EXPECT_EQ(OPLYR_FG, 1);
    EXPECT_EQ(OPSEL_USER, 1);
    EXPECT_EQ(OPSEL_MODIFY, 0x8000);
    EXPECT_EQ(EDERR_NONE, 0);
    EXPECT_EQ(EDERR_USERABORT, 4);
    EXPECT_EQ(EDERR_BADVMAP, 6);
    EXPECT_EQ(CSERR_OPFAILURE, 2904);
    EXPECT_EQ(LWT_VMEM(12), 0x02000000u);
    EXPECT_EQ(LWT_PMEM(1), 0x00010000);

    // Items, objects, bones, interface.
    EXPECT_EQ(LWI_BONE, 3);
    EXPECT_EQ(LWI_ANY, 5);
    EXPECT_EQ(LWIP_W_POSITION, 8);
    EXPECT_EQ(LWOBJF_NODEFORMERSAPPLIED, 0x40000);
    EXPECT_EQ(LWOBJF_UNSEEN_BY_RADIOSITY, 0x80000);
    EXPECT_EQ(LWBONEF_WEIGHT_NORM, 0x10);
    EXPECT_EQ(LWBONEF_WEIGHT_MAP_ONLY, 0x08);
    EXPECT_EQ(LWGENF_IKENABLE, 0x80);
    EXPECT_EQ(LWGENF_MCENABLE, 0x800);
    EXPECT_EQ(LWITEMF_LOCKED, 8);
    EXPECT_EQ(LWOVIS_SHADED, 5);
    EXPECT_EQ(LVVIEWT_PERSPECTIVE, 7);
    EXPECT_EQ(LVVIEWT_SCHEMATIC, 10);
    EXPECT_EQ(reinterpret_cast<std::size_t>(LWITEM_ALL), ~std::size_t{0});

    // Panels.
    EXPECT_EQ(MOUSE_DOWN, 128);
    EXPECT_EQ(MOUSE_RIGHT, MOUSE_LEFT | MOUSE_MID);
    EXPECT_EQ(RCLICK(MOUSE_RIGHT | MOUSE_DOWN), 1);
    EXPECT_EQ(LCLICK(MOUSE_RIGHT), 0);
    EXPECT_EQ(MCLICK(MOUSE_MID | IQ_SHIFT), 1);
    EXPECT_EQ(LWP_EDIT_BG, 4144);
    EXPECT_EQ(LWP_GRAY4, LWP_EDIT_BG);
    EXPECT_EQ(RGB_(1, 2, 3), 0x01010302u);  // blue and green swapped
    EXPECT_EQ(PAN_MOUSEWHEEL, 24);
    EXPECT_EQ(CTL_USERDATA, 16);
    EXPECT_EQ(CTL_MOUSEBUTTON, 22);
    EXPECT_EQ(LWT_POINTER, 23);
    EXPECT_EQ(LWDK_PAGEDOWN, 0x1092);

    // Host globals and their bit fields.
    EXPECT_EQ(LWINF_GETBUILD(0x0010C8B1u), 0xC8Bu);   // build 3211
    EXPECT_EQ(LWINF_GETMAJOR(0x0090C8B1u), 9u);
}

// The module spells the names it asks for itself; against the 9.6 headers they are the
// headers' own names (the four versioned ones in their older form).
TEST(SdkConstants, TheModulesGlobalNamesAreThoseOfThe96Headers) {
    EXPECT_STREQ(hostapi::kMessageFuncs, LWMESSAGEFUNCS_GLOBAL);
    EXPECT_STREQ(hostapi::kPanelFuncs, LWPANELFUNCS_GLOBAL);
    EXPECT_STREQ(hostapi::kRasterFuncs, LWRASTERFUNCS_GLOBAL);
    EXPECT_STREQ(hostapi::kViewportInfo, LWVIEWPORTINFO_GLOBAL);
    EXPECT_STREQ(hostapi::kInterfaceInfo, LWINTERFACEINFO_GLOBAL);
    EXPECT_STREQ(hostapi::kMTUtilFuncs, LWMTUTILFUNCS_GLOBAL);
    EXPECT_STREQ(hostapi::kComRing, LWCOMRING_GLOBAL);
    EXPECT_STREQ(hostapi::kServerInfo, LWSERVERINFO_GLOBAL);
    EXPECT_STREQ(hostapi::kMonitorFuncs, LWLMONFUNCS_GLOBAL);
    EXPECT_STREQ(hostapi::kProductInfo, LWPRODUCTINFO_GLOBAL);
    EXPECT_STREQ(hostapi::kLocaleInfo, LWLOCALEINFO_GLOBAL);
    EXPECT_STREQ(hostapi::kDirInfo, LWDIRINFOFUNC_GLOBAL);
    EXPECT_STREQ(hostapi::kItemInfoOld, LWITEMINFO_GLOBAL);
    EXPECT_STREQ(hostapi::kObjectInfoOld, LWOBJECTINFO_GLOBAL);
    EXPECT_STREQ(hostapi::kObjectFuncsOld, LWOBJECTFUNCS_GLOBAL);
    EXPECT_STREQ(hostapi::kBoneInfoOld, LWBONEINFO_GLOBAL);
}

// ---- macros ----------------------------------------------------------------
//
// The macros hide which argument goes where; a fake host records what they
// pass so a swapped argument or tag shows up.

namespace {

struct Call {
    std::string what;
    int tag = -1;
    const void *ptr = nullptr;
    int value = 0;
};

std::vector<Call> stCalls;
LWPanControlDesc stLastDesc;

LWControl stControl;

void fakeCtlSet(LWControlID, cTag tag, LWValue *v) {
    stCalls.push_back({"set", tag, v->ptr.ptr, v->intv.value});
}
void fakeCtlGet(LWControlID, cTag tag, LWValue *v) {
    stCalls.push_back({"get", tag, nullptr, 0});
    v->intv.value = 40 + tag;
}
LWControl *fakeAddControl(LWPanelID, char *type, ControlDesc *data, char *label) {
    stCalls.push_back({std::string("add:") + type + ":" + label, data->type, nullptr, 0});
    stLastDesc = *data;
    return &stControl;
}
void fakePanSet(LWPanelID, pTag tag, void *value) {
    stCalls.push_back({"panset", tag, value, 0});
}

struct Stream {
    std::vector<int> got;
    static void writeI4(void *data, const int *v, int n) {
        auto *self = static_cast<Stream *>(data);
        self->got.assign(v, v + n);
    }
};

void sampleHook(LWControlID, void *) {}

}  // namespace

TEST(SdkMacros, PanelControlsPassTypeStringAndDescriptor) {
    static LWValue ival = {LWT_INTEGER};
    LWPanControlDesc desc;
    std::memset(&desc, 0, sizeof desc);
    stControl = {nullptr, fakeCtlGet, fakeCtlSet, nullptr};
    LWPanelFuncs pf{};
    pf.addControl = fakeAddControl;
    pf.set = fakePanSet;
    stCalls.clear();

    EXPECT_EQ(BOOL_CTL(&pf, nullptr, "Normalize"), &stControl);
    EXPECT_EQ(stCalls.back().what, "add:BoolControl:Normalize");
    EXPECT_EQ(stLastDesc.type, LWT_BOOLEAN);

    SLIDER_CTL(&pf, nullptr, "Size", 120, 1, 500);
    EXPECT_EQ(stCalls.back().what, "add:SliderControl:Size");
    EXPECT_EQ(stLastDesc.range.width, 120);
    EXPECT_EQ(stLastDesc.range.min, 1);
    EXPECT_EQ(stLastDesc.range.max, 500);

    static const char *items[] = {"A", "B", nullptr};
    POPDOWN_CTL(&pf, nullptr, "Mode", items);
    EXPECT_EQ(stCalls.back().what, "add:PopDownControl:Mode");
    EXPECT_EQ(stLastDesc.choice.vertical, MX_POPUP);
    EXPECT_EQ(stLastDesc.choice.items, items);

    CANVAS_CTL(&pf, nullptr, "", 200, 100);
    EXPECT_EQ(stLastDesc.type, LWT_AREA);
    EXPECT_EQ(stLastDesc.area.height, 100);

    // User data must be in place before the event hook can fire.
    stCalls.clear();
    int userData = 0;
    CON_SETEVENT(&stControl, sampleHook, &userData);
    ASSERT_EQ(stCalls.size(), 2u);
    EXPECT_EQ(stCalls[0].tag, CTL_USERDATA);
    EXPECT_EQ(stCalls[0].ptr, &userData);
    EXPECT_EQ(stCalls[1].tag, CTL_USEREVENT);
    EXPECT_EQ(stCalls[1].ptr, reinterpret_cast<void *>(sampleHook));

    EXPECT_EQ(CON_HOTW(&stControl), 40 + CTL_HOTW);

    // Sizes go through a pointer to int; user data goes by value.
    stCalls.clear();
    PAN_SETW(&pf, nullptr, 321);
    PAN_SETDATA(&pf, nullptr, &userData);
    ASSERT_EQ(stCalls.size(), 2u);
    EXPECT_EQ(stCalls[0].tag, PAN_W);
    EXPECT_EQ(*static_cast<const int *>(stCalls[0].ptr), 321);
    EXPECT_EQ(stCalls[1].tag, PAN_USERDATA);
    EXPECT_EQ(stCalls[1].ptr, &userData);
}

TEST(SdkMacros, StreamAndMonitorHelpers) {
    Stream sink;
    LWSaveState ss{};
    ss.writeData = &sink;
    ss.writeI4 = Stream::writeI4;
    const int values[3] = {7, -1, 3};
    LWSAVE_I4(&ss, values, 3);
    EXPECT_EQ(sink.got, (std::vector<int>{7, -1, 3}));

    // A missing monitor neither crashes nor reports an abort.
    LWMonitor *none = nullptr;
    MON_INIT(none, 10);
    EXPECT_EQ(MON_INCR(none, 2), 0);
    EXPECT_EQ(MON_STEP(none), 0);
    MON_DONE(none);
}

// The localised texts of the panels, dialogs and messages, in English and Japanese.
//
// Rules (pure functions of the host's locale id and build number, both from the host):
// - Japanese when the low 16 bits of the "Locale Info" value are 1041, else English.
// - Japanese items of choice controls, pop-ups, multi-lists and the item callbacks
//   are UTF-8 from host build 3211 on and Shift-JIS below; labels, titles, buttons and
//   messages are Shift-JIS on every build.
// - The delete question's title and the Combine list's column title stay English on
//   hosts of build 2000 to 2736 (both ends included).
// Choice tables are null-terminated arrays; "_Jp" is Shift-JIS, "_UTF8_Jp" UTF-8.
#pragma once
#include <cstdint>
#include <string>

#include "panel/text_ids.h"

// The choice lists, for getChoiceTable.
enum class ChoiceList : int {
  Tool,              // tool buttons (labels: never UTF-8)
  FalloffMode,
  Visibility,        // icon byte 0x03 and "(i:nnn)" lead every entry
  EditCommand,       // the "Edit" menu and the custom buttons' pop-ups
  SmoothFor,
  BindMethod,
  BindFor,
  MirrorAxis,
  MirrorStringType,
  MirrorDirection,
  GradientTool,      // gradient panel buttons (labels: never UTF-8)
  GradientInit,
};

constexpr int32_t kJapaneseLocaleId = 1041;
constexpr int32_t kFirstUtf8ItemBuild = 3211;
constexpr int32_t kEnglishTitleFirstBuild = 2000;
constexpr int32_t kEnglishTitleLastBuild = 2736;
constexpr int kNumEditCommandEntries = 28;
constexpr const char* kCommandSeparator = "---------------";

extern const char* const toolList_En[];
extern const char* const toolList_Jp[];
extern const char* const falloffModeChoice_En[];
extern const char* const falloffModeChoice_Jp[];
extern const char* const falloffModeChoice_UTF8_Jp[];
extern const char* const visibilityStates_En[];
extern const char* const visibilityStates_Jp[];
extern const char* const visibilityStates_UTF8_Jp[];
extern const char* const stEditCommandList_En[];
extern const char* const stEditCommandList_Jp[];
extern const char* const stEditCommandList_UTF8_Jp[];
extern const char* const smoothForChoice_En[];
extern const char* const smoothForChoice_Jp[];
extern const char* const smoothForChoice_UTF8_Jp[];
extern const char* const bindMethodChoice_En[];
extern const char* const bindMethodChoice_Jp[];
extern const char* const bindMethodChoice_UTF8_Jp[];
extern const char* const bindForChoice_En[];
extern const char* const bindForChoice_Jp[];
extern const char* const bindForChoice_UTF8_Jp[];
extern const char* const mirrorAxisChoices_En[];
extern const char* const mirrorAxisChoices_Jp[];
extern const char* const mirrorStrTypeChoices_En[];
extern const char* const mirrorStrTypeChoices_Jp[];
extern const char* const mirrorStrTypeChoices_UTF8_Jp[];
extern const char* const mirrorDirectionChoices_En[];
extern const char* const mirrorDirectionChoices_Jp[];
extern const char* const mirrorDirectionChoices_UTF8_Jp[];
extern const char* const gradientToolList_En[];
extern const char* const gradientToolList_Jp[];
extern const char* const gradientInitChoice_En[];
extern const char* const gradientInitChoice_Jp[];
extern const char* const gradientInitChoice_UTF8_Jp[];

// Single texts indexed by TextId; the UTF-8 table holds only the item texts (nullptr
// elsewhere).
extern const char* const textTable_En[kNumTextIds];
extern const char* const textTable_Jp[kNumTextIds];
extern const char* const textTable_UTF8_Jp[kNumTextIds];
// Shift-JIS sentence of the Japanese clamp message, filled into "%d%s".
extern const char* const clampMessageSentence_Jp;

// True when localeInfo (the "Locale Info" value; only its low 16 bits count) is Japanese.
bool isJapaneseLocale(int32_t localeInfo);

// The null-terminated choice list for the host's locale and build.
const char* const* getChoiceTable(ChoiceList list, int32_t localeInfo, int32_t buildNumber);

// The single text id for the host's locale and build; never nullptr.
const char* getText(TextId id, int32_t localeInfo, int32_t buildNumber);

// The clamp result message for numPoints unassigned points: "%d point has been
// unassigned." for 1, "%d points have been unassigned." otherwise, or in Japanese the
// number followed by the Shift-JIS sentence (a message, so Shift-JIS on every build).
std::string makeClampMessage(int32_t numPoints, int32_t localeInfo);

#include "panel/string_tables.h"

#include <cstdio>

namespace {

struct ChoiceForms {
  const char* const* en;
  const char* const* jp;
  const char* const* utf8Jp;  // nullptr: labels, shown in Shift-JIS on every build
};

ChoiceForms choiceForms(ChoiceList list) {
  switch (list) {
    case ChoiceList::Tool: return {toolList_En, toolList_Jp, nullptr};
    case ChoiceList::FalloffMode:
      return {falloffModeChoice_En, falloffModeChoice_Jp, falloffModeChoice_UTF8_Jp};
    case ChoiceList::Visibility:
      return {visibilityStates_En, visibilityStates_Jp, visibilityStates_UTF8_Jp};
    case ChoiceList::EditCommand:
      return {stEditCommandList_En, stEditCommandList_Jp, stEditCommandList_UTF8_Jp};
    case ChoiceList::SmoothFor:
      return {smoothForChoice_En, smoothForChoice_Jp, smoothForChoice_UTF8_Jp};
    case ChoiceList::BindMethod:
      return {bindMethodChoice_En, bindMethodChoice_Jp, bindMethodChoice_UTF8_Jp};
    case ChoiceList::BindFor: return {bindForChoice_En, bindForChoice_Jp, bindForChoice_UTF8_Jp};
    case ChoiceList::MirrorAxis: return {mirrorAxisChoices_En, mirrorAxisChoices_Jp, nullptr};
    case ChoiceList::MirrorStringType:
      return {mirrorStrTypeChoices_En, mirrorStrTypeChoices_Jp, mirrorStrTypeChoices_UTF8_Jp};
    case ChoiceList::MirrorDirection:
      return {mirrorDirectionChoices_En, mirrorDirectionChoices_Jp,
              mirrorDirectionChoices_UTF8_Jp};
    case ChoiceList::GradientTool: return {gradientToolList_En, gradientToolList_Jp, nullptr};
    case ChoiceList::GradientInit:
      return {gradientInitChoice_En, gradientInitChoice_Jp, gradientInitChoice_UTF8_Jp};
  }
  return {toolList_En, toolList_Jp, nullptr};
}

bool staysEnglishOnMiddleBuilds(TextId id) {
  return id == TextId::DeleteCurrentMap || id == TextId::CombineColumnTitle;
}

}  // namespace

bool isJapaneseLocale(int32_t localeInfo) {
  return (static_cast<uint32_t>(localeInfo) & 0xFFFFu) == kJapaneseLocaleId;
}

const char* const* getChoiceTable(ChoiceList list, int32_t localeInfo, int32_t buildNumber) {
  const ChoiceForms forms = choiceForms(list);
  if (!isJapaneseLocale(localeInfo)) return forms.en;
  if (forms.utf8Jp && buildNumber >= kFirstUtf8ItemBuild) return forms.utf8Jp;
  return forms.jp;
}

const char* getText(TextId id, int32_t localeInfo, int32_t buildNumber) {
  const int i = static_cast<int>(id);
  if (i < 0 || i >= kNumTextIds) return "";
  if (!isJapaneseLocale(localeInfo)) return textTable_En[i];
  if (staysEnglishOnMiddleBuilds(id) && buildNumber >= kEnglishTitleFirstBuild &&
      buildNumber <= kEnglishTitleLastBuild)
    return textTable_En[i];
  if (textTable_UTF8_Jp[i] && buildNumber >= kFirstUtf8ItemBuild) return textTable_UTF8_Jp[i];
  return textTable_Jp[i];
}

std::string makeClampMessage(int32_t numPoints, int32_t localeInfo) {
  char buffer[192];
  if (isJapaneseLocale(localeInfo))
    std::snprintf(buffer, sizeof buffer, "%d%s", static_cast<int>(numPoints),
                  clampMessageSentence_Jp);
  else
    std::snprintf(buffer, sizeof buffer,
                  numPoints == 1 ? "%d point has been unassigned." : "%d points have been unassigned.",
                  static_cast<int>(numPoints));
  return buffer;
}

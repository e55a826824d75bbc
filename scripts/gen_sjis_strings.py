#!/usr/bin/env python3
"""Writes the localised string tables of the edit panel from the texts below.

Outputs src/panel/text_ids.h (the single-text ids) and src/panel/string_tables_data.cpp
(every table in English, Shift-JIS and, for item texts, UTF-8). The module depends on
nothing outside the C++ standard library, so the encoded bytes are written out as octal
escapes instead of being converted at run time.

Run from the repository root: python3 scripts/gen_sjis_strings.py
"""
import os
import sys

SEP = "---------------"

# (name, has UTF-8 form, English entries, Japanese entries)
CHOICE_TABLES = [
    ("toolList", False,
     ["Pen", "Brush", "Linear Grad", "Lasso Paint", "Fill", "Blur", "Pen Sel", "Lasso Sel",
      "Fill Sel", "Sel Bone", "Sel Object"],
     ["ペン", "ブラシ", "ｸﾞﾗﾃﾞｰｼｮﾝ", "投げ縄塗り", "塗り潰し", "ぼかし", "ペン選択", "投げ縄選択",
      "塗り潰し選択", "ボーン選択", "ｵﾌﾞｼﾞｪｸﾄ選択"]),
    ("falloffModeChoice", True, ["Global", "Surface"], ["全体", "表面"]),
    ("visibilityStates", True,
     ["\x03(i:174) Wire-framed Points", "\x03(i:175) Weight Shaded Solid",
      "\x03(i:177) Weight Shaded Solid Wire"],
     ["\x03(i:174) ワイヤフレーム", "\x03(i:175) ウェイトシェード",
      "\x03(i:177) ウェイトシェードワイヤ"]),
    ("stEditCommandList", True,
     [" (none) ", "Select Connected", "Select Weighted", "Select Unweighted", "Select Open",
      "Expand Selection", "Invert Selection", "Cancel Selection", SEP,
      "Assign Value to Selected", "Unassign Current Map to Selected", SEP,
      "Normalize Weights", "Smooth Weights", "Clamp Weights", "Mirror Weights",
      "Transfer Weights", "Bind Mesh to Bones with Auto Weights", SEP,
      "Rename Current Weight Map", "Delete Current Weight Map", "Copy Current Weight Map",
      "Combine Weight Maps", SEP, "Change Settings for Bones", SEP,
      "Open Custom Command Buttons Panel", "Open Gradient Panel"],
     [" (なし) ", "連続面を選択", "ウェイト値を持つ頂点を選択", "ウェイト値を持たない頂点を選択",
      "開いている部分の頂点を選択", "選択範囲を拡張", "選択範囲を反転", "選択を解除", SEP,
      "選択頂点にウェイト値をセット", "選択頂点からウェイト値を除去", SEP,
      "正規化", "スムース", "クランプ", "鏡面コピー", "転写", "自動でボーンウェイトを作成", SEP,
      "ウェイトマップ名称を変更", "ウェイトマップを破棄", "ウェイトマップを複製",
      "ウェイトマップを結合", SEP, "ボーン設定を変更", SEP,
      "カスタムコマンドボタンを編集", "グラデーションパネルを開く"]),
    ("smoothForChoice", True,
     ["Current Weight Map Only", "Weights Assigned to Bones", "All Weight Maps"],
     ["現在選択されているウェイトマップのみ", "ボーンにアサインされたウェイトマップ",
      "全てのウェイトマップ"]),
    ("bindMethodChoice", True, ["Distance", "Heat"], ["距離", "熱"]),
    ("bindForChoice", True, ["All Bones", "Selected Bones"], ["全てのボーン", "選択ボーン"]),
    ("mirrorAxisChoices", False, ["X", "Y", "Z"], ["X", "Y", "Z"]),
    ("mirrorStrTypeChoices", True, ["Suffix", "Prefix", "String"], ["接尾辞", "接頭辞", "文字列"]),
    ("mirrorDirectionChoices", True, ["[+] to [-]", "[-] to [+]"],
     ["[+] から [-]", "[-] から [+]"]),
    ("gradientToolList", False, ["Select", "Drag", "Add", "Remove"],
     ["選択", "移動", "追加", "削除"]),
    ("gradientInitChoice", True, ["LightWave-style", "Spectrum", "Sunny Garden"],
     ["LightWaveのウェイト色", "虹色スペクトル", "黄緑青のグラデーション"]),
]

# Single texts: (id, English, Japanese, is an item text with a UTF-8 form). A None id
# starts a comment group.
TEXTS = [
    (None, "Edit panel labels"),
    ("Edit", "Edit", "編集", False),
    ("Name", "Name", "名称", False),
    ("BrushRadius", "Brush Radius", "ブラシ半径", False),
    ("FalloffMode", "Falloff Mode", "減衰モード", False),
    ("Strength", "Strength", "強さ", False),
    ("Value", "Value", "値", False),
    ("Erase", "Erase", "消去", False),
    ("ZeroWeightedOutline", "0-Weighted Outline Points", "周囲に0のウェイト値を付与", False),
    ("EnableDeformations", "Enable Deformations", "変形の影響を有効", False),
    ("SubDLevel", "SubD Level", "ｻﾌﾞﾊﾟｯﾁﾚﾍﾞﾙ", False),
    ("PointSize", "Point Size", "頂点サイズ", False),
    ("MultiplySizeByValue", "Multiply Size by Value", "頂点毎にｳｪｲﾄ値でｽｹｰﾙ", False),
    ("ShowWeights", "Show Weights", "ｳｪｲﾄ値を表示", False),
    ("NoDepth", "No Depth", "深度無効", False),
    ("AutoSave", "AutoSave", "自動保存", False),
    ("Undo", "Undo", "ｱﾝﾄﾞｩ", False),
    ("Redo", "Redo", "ﾘﾄﾞｩ", False),
    (None, "Item callback texts and list titles (UTF-8 from build 3211)"),
    ("NewItem", " (new) ", " (新規) ", True),
    ("NoneItem", " (none) ", " (なし) ", True),
    ("SelfItem", " (self) ", " (自己) ", True),
    ("AllOthersItem", "(all others)", "(その他全て)", True),
    ("CombineColumnTitle", "Weight Map", "ウェイトマップ", True),
    (None, "Dialogs and messages of the commands"),
    ("ExpandSelection", "Expand Selection", "選択範囲を拡張", False),
    ("NumberOfTimes", "Number of Times", "拡張回数", False),
    ("NormalizeWeights", "Normalize Weights", "ウェイト正規化", False),
    ("IgnoreUnassignedWeights", "Ignore Weights Unassigned to Bones",
     "ボーンにアサインされていないウェイトを無視", False),
    ("ClampWeights", "Clamp Weights", "マップ数を制限(クランプ)", False),
    ("MaximumNumberOfMaps", "Maximum Number of Maps", "最大ウェイトマップ数", False),
    ("SmoothWeights", "Smooth Weights", "スムース", False),
    ("For", "For", "対象", False),
    ("Iterations", "Iterations", "回数", False),
    ("MirrorWeights", "Mirror Weights", "鏡面コピー", False),
    ("AllWeightMaps", "All Weight Maps", "全てのウェイトマップ", False),
    ("Axis", "Axis", "軸", False),
    ("Type", "Type", "文字列の種類", False),
    ("SourceString", "Source String", "複製元文字列", False),
    ("TargetString", "Target String", "複製先文字列", False),
    ("CenterString", "Center String", "中央判定文字列", False),
    ("Direction", "Direction", "方向", False),
    ("Swap", "Swap", "交換", False),
    ("TransferWeights", "Transfer Weights", "ウェイトマップを転写", False),
    ("SourceObject", "Source Object", "転写元オブジェクト", False),
    ("BindMeshToBones", "Bind Mesh to Bones with Auto Weights", "自動でボーンウェイトを作成", False),
    ("Method", "Method", "計算方法", False),
    ("ActivateBones", "Activate Bones", "ボーンを有効にする", False),
    ("NoBonesMessage", "The current object contains no bones.",
     "現在選択されているオブジェクトには適用できるボーンが1つもありません。", False),
    ("RenameCurrentMap", "Rename Current Map", "ウェイト名称を変更", False),
    ("CopyCurrentMap", "Copy Current Map", "ウェイトマップを複製", False),
    ("NewName", "New Name", "新しい名称", False),
    ("DeleteCurrentMap", "Delete Current Map", "ウェイトマップを破棄", False),
    ("DeleteCurrentMapQuestion", "Are you sure you want to delete current map?",
     "現在選択されているウェイトマップを破棄しますか？", False),
    ("CombineWeightMaps", "Combine Weight Maps", "ウェイトマップを結合", False),
    ("CustomCommandButtons", "Custom Command Buttons", "カスタムコマンドボタン", False),
    ("ChangeSettingsForBones", "Change Settings for Bones", "ボーン設定の変更", False),
    ("ChangeBoneActive", "Change Bone Active", "ボーン有効設定を変更", False),
    ("ChangeWeightMap", "Change Weight Map", "使用ウェイトマップを変更", False),
    ("ChangeInfluenceSettings", "Change Influence Settings", "影響に関する設定を変更", False),
    ("BoneActive", "Bone Active", "ボーン有効", False),
    ("BoneWeightMap", "Bone Weight Map", "ﾎﾞｰﾝｳｪｲﾄﾏｯﾌﾟ", False),
    ("UseWeightMapOnly", "Use Weight Map Only", "ウェイトのみ使用", False),
    ("WeightNormalization", "Weight Normalization", "ウェイト正規化", False),
    ("MultiplyStrengthByRestLength", "Multiply Strength by Rest Length", "固定長の強さで乗算",
     False),
    (None, "Gradient panel"),
    ("GradientPanel", "Gradient Panel", "グラデーションパネル", False),
    ("Initialize", "Initialize", "初期化", False),
    ("Min", "Min", "最小", False),
    ("Max", "Max", "最大", False),
    ("WeightValue", "Weight Value", "ウェイト値", False),
    ("Unweighted", "Unweighted", "ウェイトなし", False),
    ("InitializeGradient", "Initialize Gradient", "グラデーション初期化", False),
    ("InitializeGradientQuestion", "Are you sure you want to initialize the gradient?",
     "グラデーションを初期化しますか？", False),
    (None, "Activation"),
    ("ObjectsModeOnly", "Objects mode only.", "オブジェクトを選択してから実行してください。", False),
]

# The Japanese clamp message is "%d%s" filled with the count and this sentence.
CLAMP_SENTENCE_JP = "ポイントからウェイトが取り除かれました。"


def sjis(text):
    data = text.encode("cp932")
    # The host's Japanese code page is CP932; keep to the characters on which it and
    # plain Shift-JIS agree so either decoder shows the same text.
    if text.encode("shift_jis") != data:
        sys.exit(f"text differs between cp932 and shift_jis: {text!r}")
    return data


def literal(data):
    """A C++ string literal of the bytes: printable ASCII as it is, every other byte, the
    backslash and the quote as a three-digit octal escape (it never merges with a
    following digit; a Shift-JIS trail byte 0x5C must not read as a backslash)."""
    out = []
    for b in data:
        c = chr(b)
        if 0x20 <= b < 0x7F and c not in '\\"':
            out.append(c)
        else:
            out.append(f"\\{b:03o}")
    return '"' + "".join(out) + '"'


def readable(text):
    return text.replace("\x03", "^C")


def emit_table(lines, name, entries, encode):
    lines.append(f"const char* const {name}[] = {{")
    for e in entries:
        lit = literal(encode(e))
        note = f"  // {readable(e)}" if "\\" in lit else ""
        lines.append(f"    {lit},{note}")
    lines.append("    nullptr,")
    lines.append("};")
    lines.append("")


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    panel = os.path.join(root, "src", "panel")
    english = lambda t: t.encode("ascii")
    utf8 = lambda t: t.encode("utf-8")

    ids = [t for t in TEXTS if t[0] is not None]
    h = ["// Generated by scripts/gen_sjis_strings.py; edit the script, not this file.",
         "// Ids of the single localised texts (see string_tables.h).",
         "#pragma once", "", "enum class TextId : int {"]
    for t in TEXTS:
        if t[0] is None:
            h.append(f"  // {t[1]}")
        else:
            h.append(f"  {t[0]},")
    h += ["};", "", f"constexpr int kNumTextIds = {len(ids)};", ""]

    c = ["// Generated by scripts/gen_sjis_strings.py; edit the script, not this file.",
         "// Japanese bytes are Shift-JIS (suffix _Jp) or UTF-8 (suffix _UTF8_Jp); the",
         "// comments show each text as UTF-8.",
         '#include "panel/string_tables.h"', ""]
    for name, has_utf8, en, jp in CHOICE_TABLES:
        if len(en) != len(jp):
            sys.exit(f"{name}: {len(en)} English but {len(jp)} Japanese entries")
        emit_table(c, f"{name}_En", en, english)
        emit_table(c, f"{name}_Jp", jp, sjis)
        if has_utf8:
            emit_table(c, f"{name}_UTF8_Jp", jp, utf8)

    for suffix, pick in (("En", lambda t: literal(english(t[1]))),
                         ("Jp", lambda t: literal(sjis(t[2]))),
                         ("UTF8_Jp", lambda t: literal(utf8(t[2])) if t[3] else "nullptr")):
        c.append(f"const char* const textTable_{suffix}[kNumTextIds] = {{")
        for t in ids:
            c.append(f"    {pick(t)},  // {t[0]}" + (f": {t[2]}" if suffix != "En" else ""))
        c.append("};")
        c.append("")
    c.append(f"const char* const clampMessageSentence_Jp = {literal(sjis(CLAMP_SENTENCE_JP))};"
             f"  // {CLAMP_SENTENCE_JP}")
    c.append("")

    with open(os.path.join(panel, "text_ids.h"), "w", encoding="utf-8") as f:
        f.write("\n".join(h))
    with open(os.path.join(panel, "string_tables_data.cpp"), "w", encoding="utf-8") as f:
        f.write("\n".join(c))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Holds our host-interface headers (sdk/) against the fact manifest of the public SDK.

    sdk_facts_check.py --sdk <sdk/> --facts <sdk-facts>/9.6 --work <scratch folder>

Every header of ours must be a public header with the same include guard and the same
includes in the same order. Every macro, record, enumerator and typedef it declares
must be declared by the same public header: macros with the same value on every
platform, records with the same members in the same order, member types, size,
alignment and offsets on LP64 (x86-64 Linux, gcc) and LLP64 (x86-64 Windows, clang
targeting mingw-w64; skipped with a message when that target cannot be used),
enumerators with the same value, typedefs of the same type. Nothing else may be
declared. With --newer <sdk-facts>/2020, each of our records must also lead the newer
SDK's record of the same name (same first members at the same offsets), since a newer
host hands its longer records to a module built with ours. Prints each difference and
exits 1 when there is one.
"""
import argparse
import json
import os
import re
import subprocess
import sys

PROFILES = {"linux": ["-D_LINUX", "-D_XGL"], "mswin": ["-D_MSWIN"], "macos": ["-D_MACOS"], "none": []}
LLP64_CC = ["clang", "--target=x86_64-w64-mingw32", "-ffreestanding"]


class Report:
    def __init__(self):
        self.problems = []

    def add(self, text):
        if text not in self.problems:
            self.problems.append(text)


def load_facts(folder):
    out = {}
    for name in ("headers", "macros", "records"):
        with open(os.path.join(folder, name + ".json"), encoding="utf-8") as f:
            out[name] = json.load(f)
    return out


def our_headers(sdk):
    found = []
    for root, _, files in os.walk(sdk):
        for f in files:
            if f.endswith(".h"):
                found.append(os.path.relpath(os.path.join(root, f), sdk).replace(os.sep, "/"))
    return sorted(found)


# ---- header names, guards and includes ------------------------------------------------

def strip_comments(text):
    return re.sub(r"/\*.*?\*/|//[^\n]*", " ", text, flags=re.S)


def guard_and_includes(path):
    text = strip_comments(open(path, encoding="utf-8").read())
    m = re.search(r"^\s*#\s*ifndef\s+(\w+)\s*\n\s*#\s*define\s+(\w+)", text, re.M)
    guard = m.group(1) if m and m.group(1) == m.group(2) else None
    includes = re.findall(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', text, re.M)
    return guard, includes


def check_headers(sdk, headers, facts, report):
    public = facts["headers"]["headers"]
    for h in headers:
        if h not in public:
            report.add("%s: no such public header" % h)
            continue
        guard, includes = guard_and_includes(os.path.join(sdk, h))
        if guard != public[h].get("guard"):
            report.add("%s: include guard %s, public %s" % (h, guard, public[h].get("guard")))
        expected = [i["n"] for i in public[h]["inc"]]
        if includes != expected:
            report.add("%s: includes %s, public %s" % (h, includes, expected))


# ---- macros -----------------------------------------------------------------------------

def run(cmd, **kw):
    return subprocess.run(cmd, capture_output=True, text=True, **kw)


def all_headers_unit(work, headers, name="all_headers.c"):
    path = os.path.join(work, name)
    with open(path, "w", encoding="utf-8") as f:
        # lwtypes.h first: a public header may rely on it without including it.
        for h in ["lwtypes.h"] + [h for h in headers if h != "lwtypes.h"]:
            f.write('#include "%s"\n' % h)
    return path


def defined_macros(sdk, unit, flags):
    """name -> (header, params or None, value) for the macros our headers define."""
    r = run(["gcc", "-E", "-dD", "-x", "c", "-I", sdk] + flags + [unit])
    if r.returncode != 0:
        raise SystemExit("preprocessing our headers failed:\n" + r.stderr)
    sdk_abs = os.path.abspath(sdk) + os.sep
    current, out = None, {}
    for line in r.stdout.splitlines():
        m = re.match(r'# \d+ "([^"]+)"', line)
        if m:
            f = os.path.abspath(m.group(1))
            current = f[len(sdk_abs):].replace(os.sep, "/") if f.startswith(sdk_abs) else None
            continue
        m = re.match(r"#define (\w+)(\(([^)]*)\))?(?: (.*))?$", line)
        if m and current:
            params = [p.strip() for p in m.group(3).split(",")] if m.group(2) else None
            if params == [""]:
                params = []
            out[m.group(1)] = (current, params, (m.group(4) or "").strip())
    return out


def tokens(value):
    return re.findall(r'"(?:\\.|[^"\\])*"|\'(?:\\.|[^\'\\])*\'|\w+|\S', value)


def platform_dependent(name, header, facts):
    info = facts["headers"]["headers"].get(header, {})
    return name in info.get("platform", {}).get("macros", {})


def expected_values(name, header, facts, profile):
    """Public values of an object-like macro in header, for one platform profile."""
    info = facts["headers"]["headers"].get(header, {})
    platform = info.get("platform", {}).get("macros", {}).get(name)
    if platform:
        v = platform["by_profile"].get(profile)
        return [] if v is None else [v]
    defs = facts["macros"]["object_like"].get(name, [])
    return [d["v"] for d in defs if d["h"] == header and not d.get("guard")]


def check_macros(sdk, headers, facts, work, report, asserts):
    unit = all_headers_unit(work, headers)
    object_like = facts["macros"]["object_like"]
    function_like = facts["macros"]["function_like"]
    seen, by_value = {}, set()
    for profile, flags in PROFILES.items():
        for name, (header, params, value) in defined_macros(sdk, unit, flags).items():
            seen.setdefault(name, header)
            if params is not None:
                defs = [d for d in function_like.get(name, []) if d["h"] == header]
                if not defs:
                    report.add("%s: macro %s() is not in the public header" % (header, name))
                elif all(d["p"] != params for d in defs):
                    report.add("%s: macro %s(%s), public (%s)" % (header, name, ", ".join(params), ", ".join(defs[0]["p"])))
                elif platform_dependent(name, header, facts) and not expected_values(name, header, facts, profile):
                    report.add("%s: macro %s() is defined for %s, the public header does not define it there" % (header, name, profile))
                continue
            defs = [d for d in object_like.get(name, []) if d["h"] == header]
            if not defs:
                report.add("%s: macro %s is not in the public header" % (header, name))
                continue
            if any(d.get("guard") for d in defs):
                continue
            values = expected_values(name, header, facts, profile)
            if not values:
                report.add("%s: macro %s is defined for %s, the public header defines it only elsewhere" % (header, name, profile))
                continue
            if any(tokens(v) == tokens(value) for v in values):
                continue
            ints = [d["i"] for d in defs if "i" in d]
            if ints and not platform_dependent(name, header, facts):
                # Spelled differently, maybe with the same value: the compiler decides.
                if (name, value) not in by_value:
                    by_value.add((name, value))
                    asserts.append((header, "(%s) == %d" % (name, ints[0]), "macro %s = %s, public %s" % (name, value, values[0])))
            else:
                report.add("%s: macro %s = %s on %s, public %s" % (header, name, value, profile, values[0]))
    return seen


# ---- declarations -------------------------------------------------------------------------

class Located:
    """Walks clang's JSON AST, which names a file only when it changes."""

    def __init__(self, sdk):
        self.sdk = os.path.abspath(sdk) + os.sep
        self.file = None

    def visit_loc(self, loc):
        if not loc:
            return
        if "spellingLoc" in loc:
            self.visit_loc(loc["spellingLoc"])
            self.visit_loc(loc["expansionLoc"])
        elif "file" in loc:
            self.file = loc["file"]

    def header(self):
        f = os.path.abspath(self.file) if self.file else ""
        return f[len(self.sdk):].replace(os.sep, "/") if f.startswith(self.sdk) else None

    def walk(self, node, on_decl, depth=0):
        self.visit_loc(node.get("loc"))
        here = self.header()
        rng = node.get("range", {})
        self.visit_loc(rng.get("begin"))
        self.visit_loc(rng.get("end"))
        if depth == 1:
            on_decl(node, here)
        for child in node.get("inner", []):
            self.walk(child, on_decl, depth + 1)


def declarations(sdk, unit, flags):
    r = run(["clang", "-Xclang", "-ast-dump=json", "-fsyntax-only", "-x", "c", "-I", sdk] + flags + [unit])
    if r.returncode != 0:
        raise SystemExit("clang could not parse our headers:\n" + r.stderr)
    ast = json.loads(r.stdout)
    decls = []
    Located(sdk).walk(ast, lambda node, header: decls.append((node, header)) if header else None)
    return decls


def named_record(typedef_node):
    """Id of the record a typedef names directly (not through a pointer), or None."""
    node = typedef_node.get("inner", [None])[0]
    while node:
        if node.get("kind") == "RecordType":
            return node.get("decl", {}).get("id")
        if node.get("kind") not in ("ElaboratedType", "TypedefType", "ParenType"):
            return None
        node = node.get("inner", [None])[0]
    return None


def record_type_name(rec_node, typedef_of):
    tag = rec_node.get("name")
    return typedef_of.get(rec_node["id"]) or ("%s %s" % (rec_node["tagUsed"], tag) if tag else None)


def check_declarations(sdk, headers, facts, work, report, asserts):
    unit = all_headers_unit(work, headers)
    decls = declarations(sdk, unit, PROFILES["linux"])
    records = facts["records"]["records"]
    aliases = {a: n for n, r in records.items() for a in r.get("alias", [])}
    enum_values = {}
    enum_names = set()
    for e in facts["records"]["enums"]:
        for name, value in e["e"]:
            enum_values[name] = (e["h"], value)
        if "name" in e:
            enum_names.add(e["name"])
    fntypes = facts["records"]["fntypes"]
    typedefs = facts["records"]["typedefs"]

    # Typedefs that name a record: typedef struct st_X { ... } X;
    typedef_of, record_nodes = {}, {}
    for node, header in decls:
        if node["kind"] == "RecordDecl" and node.get("completeDefinition"):
            record_nodes[node["id"]] = (node, header)
    for node, header in decls:
        if node["kind"] == "TypedefDecl":
            target = named_record(node)
            if target in record_nodes and target not in typedef_of:
                typedef_of[target] = node["name"]

    layout = []
    for node, header in decls:
        kind = node["kind"]
        if node.get("isImplicit"):
            continue
        if kind == "RecordDecl":
            if not node.get("completeDefinition"):
                continue
            name = record_type_name(node, typedef_of)
            name = aliases.get(name, name)
            public = records.get(name)
            if not public:
                report.add("%s: record %s is not in the public set" % (header, name))
                continue
            if public["h"] != header:
                report.add("%s: record %s is declared in %s in the public set" % (header, name, public["h"]))
            ours = [f["name"] for f in node.get("inner", []) if f["kind"] == "FieldDecl"]
            for abi, index in (("lp64", 0), ("llp64", 1)):
                members = public["m_llp64"] if abi == "llp64" and "m_llp64" in public else public["m"]
                theirs = [m[0] for m in members]
                if abi == "lp64" and ours != theirs:
                    report.add("%s: %s members %s, public %s" % (header, name, ours, theirs))
                    break
                layout.append((abi, name, public, members, index))
        elif kind == "EnumDecl":
            for c in node.get("inner", []):
                if c["kind"] != "EnumConstantDecl":
                    continue
                public = enum_values.get(c["name"])
                if not public:
                    report.add("%s: enumerator %s is not in the public set" % (header, c["name"]))
                    continue
                if public[0] != header:
                    report.add("%s: enumerator %s is declared in %s in the public set" % (header, c["name"], public[0]))
                asserts.append((header, "%s == %d" % (c["name"], public[1]), "enumerator %s" % c["name"]))
        elif kind == "TypedefDecl":
            name = node["name"]
            if name in records or name in aliases or name in enum_names:
                where = records.get(aliases.get(name, name), {}).get("h")
                if where and where != header:
                    report.add("%s: typedef %s is declared in %s in the public set" % (header, name, where))
                continue
            public = fntypes.get(name) or typedefs.get(name)
            if not public:
                report.add("%s: typedef %s is not in the public set" % (header, name))
                continue
            if public["h"] != header:
                report.add("%s: typedef %s is declared in %s in the public set" % (header, name, public["h"]))
            asserts.append((header, "__builtin_types_compatible_p(%s, %s)" % (name, public.get("ct", public["t"])),
                            "typedef %s is not %s" % (name, public["t"])))
        elif kind in ("FunctionDecl", "VarDecl"):
            report.add("%s: declares %s; the public headers declare no functions or objects" % (header, node.get("name")))
    return layout


# ---- compiled checks -------------------------------------------------------------------------

def member_ct(member, abi):
    extras = member[4] if len(member) > 4 else {}
    if abi == "llp64":
        return extras.get("ct_llp64") or extras.get("t_llp64") or extras.get("ct") or member[1]
    return extras.get("ct") or member[1]


def layout_asserts(layout, abi):
    out = []
    for a, name, public, members, index in layout:
        if a != abi:
            continue
        out.append(("sizeof(%s) == %d" % (name, public["size"][index]), "sizeof(%s) on %s" % (name, abi)))
        out.append(("_Alignof(%s) == %d" % (name, public["align"][index]), "alignment of %s on %s" % (name, abi)))
        for m in members:
            offset = m[2 + index]
            if offset is not None:
                out.append(("__builtin_offsetof(%s, %s) == %d" % (name, m[0], offset), "offset of %s.%s on %s" % (name, m[0], abi)))
            out.append(("__builtin_types_compatible_p(__typeof__(((%s *)0)->%s), %s)" % (name, m[0], member_ct(m, abi)),
                        "type of %s.%s on %s is not %s" % (name, m[0], abi, m[1])))
    return out


def compile_asserts(cc, sdk, headers, work, name, checks, report, flags):
    """Compiles one static assertion per check; reports the failing ones by message."""
    path = os.path.join(work, name)
    with open(path, "w", encoding="utf-8") as f:
        for h in ["lwtypes.h"] + [h for h in headers if h != "lwtypes.h"]:
            f.write('#include "%s"\n' % h)
        for i, (expr, msg) in enumerate(checks):
            f.write("_Static_assert(%s, \"check %d\");\n" % (expr, i))
    r = run(cc + ["-fsyntax-only", "-x", "c", "-std=gnu11", "-w", "-ferror-limit=0" if "clang" in cc[0] else "-fmax-errors=0",
                  "-I", sdk] + flags + [path])
    if r.returncode == 0:
        return True
    failed = sorted({int(n) for n in re.findall(r"check (\d+)", r.stderr)})
    for n in failed:
        report.add(checks[n][1])
    if not failed:
        report.add("%s did not compile:\n%s" % (name, "\n".join(r.stderr.splitlines()[:20])))
    return False


def check_prefix_of_newer(layout, newer, report):
    """A newer host hands out its longer records to a module built with ours (the
    module asks a build-3211 host for the newer versions): our members must lead its
    records unchanged."""
    records = newer["records"]["records"]
    for abi, name, public, members, index in layout:
        if abi != "lp64":
            continue
        theirs = records.get(name)
        if not theirs:
            report.add("%s: record %s is gone in SDK %s" % (public["h"], name, newer["headers"]["sdk"]))
            continue
        ours = [(m[0], m[2], m[3]) for m in members]
        lead = [(m[0], m[2], m[3]) for m in theirs["m"][:len(ours)]]
        if lead != ours:
            report.add("%s: record %s does not lead the SDK %s record (%s)" %
                       (public["h"], name, newer["headers"]["sdk"], ", ".join(m[0] for m in theirs["m"])))


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--sdk", required=True)
    ap.add_argument("--facts", required=True)
    ap.add_argument("--work", required=True)
    ap.add_argument("--newer", help="manifest of a newer SDK whose hosts must read our records "
                    "as a prefix of theirs (same leading members at the same offsets)")
    args = ap.parse_args()
    os.makedirs(args.work, exist_ok=True)
    facts = load_facts(args.facts)
    report = Report()
    headers = our_headers(args.sdk)
    check_headers(args.sdk, headers, facts, report)
    asserts = []
    check_macros(args.sdk, headers, facts, args.work, report, asserts)
    layout = check_declarations(args.sdk, headers, facts, args.work, report, asserts)

    lp64 = [(e, "%s: %s" % (h, m)) for h, e, m in asserts] + layout_asserts(layout, "lp64")
    compile_asserts(["gcc"], args.sdk, headers, args.work, "lp64_checks.c", lp64, report, PROFILES["linux"])
    probe = run(LLP64_CC + ["-fsyntax-only", "-x", "c", "-"], input="int x;")
    if probe.returncode == 0:
        llp64 = layout_asserts(layout, "llp64")
        compile_asserts(LLP64_CC, args.sdk, headers, args.work, "llp64_checks.c", llp64, report, PROFILES["mswin"])
        llp64_note = "LP64 and LLP64"
    else:
        llp64_note = "LP64 only (SKIPPED LLP64: clang cannot target x86_64-w64-mingw32 here)"

    if args.newer:
        check_prefix_of_newer(layout, load_facts(args.newer), report)

    for p in report.problems:
        print(p)
    n_records = len({name for _, name, *_ in layout})
    print("%d headers, %d records checked against SDK %s on %s: %d difference(s)" %
          (len(headers), n_records, facts["headers"]["sdk"], llp64_note, len(report.problems)))
    return 1 if report.problems else 0


if __name__ == "__main__":
    sys.exit(main())

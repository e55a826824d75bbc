#!/usr/bin/env python3
"""Writes stand-ins of the host's public SDK headers from a fact manifest.

The manifest (headers.json, macros.json, records.json of one SDK version) lists every
public header with its include guard and includes, every macro with its value and
condition, every record with its members, every enum, typedef and function type. From
those facts alone this writes one header per public header, so the module can be
compiled against the public set without having it:

    sdk_standins.py --facts <sdk-facts>/9.6 --out <dir> [--abi lp64|llp64]

A header that is not self-contained in the public set is not self-contained here
either: each stand-in declares only what its public header declares and includes only
what its public header includes. Function-like macros are listed in the manifest
without bodies; the few the module may expand get their documented bodies below, the
rest are left undefined so that using one fails to compile.
"""
import argparse
import json
import os
import re
import sys

# Documented expansions of the function-like macros a module may expand.
KNOWN_FUNCTION_BODIES = {
    "XCALL_": "t",
    "LWID_": "(((unsigned int)(a))<<24|((unsigned int)(b))<<16|((unsigned int)(c))<<8|((unsigned int)(d)))",
    "LWINF_GETMAJOR": "(((x) >> 20) & 0x0000000F)",
    "LWINF_GETMINOR": "(((x) >> 16) & 0x0000000F)",
    "LWINF_GETBUILD": "(((x) >> 4) & 0x00000FFF)",
    "RGB_": "(((r) << 16) | ((g) << 8) | (b))",
    "SYSTEM_Ic": "(0x1028 + (i))",
}

IDENT = re.compile(r"[A-Za-z_][A-Za-z0-9_]*")


def load(facts_dir):
    def read(name):
        with open(os.path.join(facts_dir, name), encoding="utf-8") as f:
            return json.load(f)
    return read("headers.json"), read("macros.json"), read("records.json")


class Decl:
    """One declaration of a stand-in header: its text and the names it needs first."""

    def __init__(self, name, text, needs):
        self.name = name
        self.text = text
        self.needs = needs


def member_type(member, abi):
    extras = member[4] if len(member) > 4 else {}
    if abi == "llp64" and "t_llp64" in extras:
        return extras["t_llp64"]
    return member[1]


def typeof(t):
    # __typeof__ takes the spelled type as it stands, so no declarator needs rebuilding.
    return "__typeof__(%s)" % t


def names_in(t):
    return set(IDENT.findall(t))


def record_decls(name, rec, abi):
    members = rec.get("m_llp64") if abi == "llp64" and "m_llp64" in rec else rec["m"]
    kind = rec["kind"]
    tag = rec.get("tag")
    lines, needs = [], set()
    for m in members:
        t = member_type(m, abi)
        lines.append("    %s %s;" % (typeof(t), m[0]))
        needs |= names_in(t)
    body = "{\n%s\n}" % "\n".join(lines) if lines else "{ }"
    if name.startswith(kind + " "):
        text = "%s %s %s;" % (kind, name.split(" ", 1)[1], body)
        return None, Decl(name, text, needs)
    aliases = [name] + rec.get("alias", [])
    if tag:
        forward = Decl(name + "#fwd", "".join("typedef %s %s %s;\n" % (kind, tag, a) for a in aliases).rstrip(), set())
        return forward, Decl(name, "%s %s %s;" % (kind, tag, body), needs)
    text = "typedef %s %s %s;" % (kind, body, ", ".join(aliases))
    return None, Decl(name, text, needs)


def enum_decl(index, enum):
    body = ",\n".join("    %s = %d" % (e, v) for e, v in enum["e"])
    tag = enum.get("tag", "")
    if "name" in enum:
        text = "typedef enum %s {\n%s\n} %s;" % (tag, body, enum["name"])
        return Decl(enum["name"], text, set())
    return Decl("enum#%d" % index, "enum %s {\n%s\n};" % (tag, body), set())


def order(decls):
    """Declarations in an order where each comes after the local names it needs."""
    local = {d.name: d for d in decls}
    done, out = set(), []

    def visit(d, stack):
        if d.name in done or d.name in stack:
            return
        stack.add(d.name)
        for n in sorted(d.needs):
            if n in local and n != d.name:
                visit(local[n], stack)
        done.add(d.name)
        out.append(d)

    for d in decls:
        visit(d, set())
    return out


def macro_lines(header, macros):
    lines = []
    for name, defs in macros["object_like"].items():
        for d in defs:
            if d["h"] != header or d.get("guard"):
                continue
            text = "#define %s %s" % (name, d["v"]) if d["v"] else "#define %s" % name
            lines.append((d.get("if"), text))
    for name, defs in macros["function_like"].items():
        for d in defs:
            if d["h"] != header or name not in KNOWN_FUNCTION_BODIES:
                continue
            text = "#define %s(%s) %s" % (name, ", ".join(d["p"]), KNOWN_FUNCTION_BODIES[name])
            lines.append((d.get("if"), text))
    out = []
    for cond, text in lines:
        out += ["#if " + cond, text, "#endif"] if cond else [text]
    return out


def header_text(header, info, macros, records, abi):
    forwards, decls = [], []
    for i, enum in enumerate(records["enums"]):
        if enum["h"] == header:
            decls.append(enum_decl(i, enum))
    enum_names = {d.name for d in decls}
    for name, rec in records["records"].items():
        if rec["h"] == header:
            fwd, d = record_decls(name, rec, abi)
            if fwd:
                forwards.append(fwd)
            decls.append(d)
    record_names = {d.name for d in decls} | {a for r in records["records"].values() for a in r.get("alias", [])}
    fntypes = dict(records["fntypes"])
    if abi == "llp64":
        fntypes.update(records.get("fntypes_llp64", {}))
    for name, fn in fntypes.items():
        if fn["h"] == header:
            decls.append(Decl(name, "typedef %s %s;" % (typeof(fn["t"]), name), names_in(fn["t"])))
    for name, td in records["typedefs"].items():
        if td["h"] != header or name in record_names or name in enum_names:
            continue
        t = td.get("t_llp64", td["t"]) if abi == "llp64" else td["t"]
        decls.append(Decl(name, "typedef %s %s;" % (typeof(t), name), names_in(t)))

    guard = info.get("guard")
    out = ["/* Stand-in made from the fact manifest; declarations only. */"]
    out += ["#ifndef " + guard, "#define " + guard, ""] if guard else [""]
    for inc in info["inc"]:
        line = '#include "%s"' % inc["n"] if inc["n"].startswith("lw") or "/lw" in inc["n"] else "#include <%s>" % inc["n"]
        out += ["#if " + inc["if"], line, "#endif"] if "if" in inc else [line]
    out.append("")
    out += macro_lines(header, macros)
    out.append("")
    if forwards or decls:
        out += ["#ifdef __cplusplus", 'extern "C" {', "#endif"]
        out += [f.text for f in forwards]
        out += [d.text for d in order(decls)]
        out += ["#ifdef __cplusplus", "}", "#endif"]
    out += ["", "#endif", ""] if guard else [""]
    return "\n".join(out)


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--facts", required=True, help="one version folder of the manifest")
    ap.add_argument("--out", required=True, help="folder to write the stand-in headers to")
    ap.add_argument("--abi", choices=["lp64", "llp64"], default="lp64")
    args = ap.parse_args()
    headers, macros, records = load(args.facts)
    written = 0
    for header, info in headers["headers"].items():
        if info.get("lang") == "c++":
            continue
        path = os.path.join(args.out, header)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        text = header_text(header, info, macros, records, args.abi)
        old = None
        if os.path.exists(path):
            with open(path, encoding="utf-8") as f:
                old = f.read()
        if old != text:
            with open(path, "w", encoding="utf-8") as f:
                f.write(text)
        written += 1
    print("%d stand-in headers of SDK %s (%s) in %s" % (written, headers["sdk"], args.abi, args.out))
    return 0


if __name__ == "__main__":
    sys.exit(main())

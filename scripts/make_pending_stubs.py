#!/usr/bin/env python3
"""Writes weak do-nothing definitions for every method declared in the
Form1 and Engine headers, so the program links while its pieces are still
being written. Real definitions override them."""
import re, sys

def stubs(header, cls):
    out = []
    text = open(header, encoding="utf-8").read()
    body = text[text.index("class " + cls):]
    for m in re.finditer(r"^\s+((?:const )?[\w:<>]+)\s+([^\s(]+)\(([^)]*)\)\s*(const)?\s*;", body, re.M):
        ret, name, params, const = m.groups()
        if name.startswith("operator") or ret in ("return", "virtual", "explicit"):
            continue
        plist = []
        for p in params.split(","):
            p = p.strip()
            if not p:
                continue
            p = p.split("=")[0].strip()
            p = re.sub(r"\s*\b\w+$", "", p) if not p.endswith("&") and not p.endswith("*") else p
            plist.append(p)
        q = "const " if const else ""
        out.append(f"__attribute__((weak)) {ret} {cls}::{name}({', '.join(plist)}) {q}{{ return {ret}(); }}")
    return out

# usage: make_pending_stubs.py OUTPUT HEADER CLASS
out, header, cls = sys.argv[1:4]
lines = [f'#include "{header}"', "namespace zenko {"] + stubs(header, cls) + ["}"]
open(out, "w", encoding="utf-8").write("\n".join(lines) + "\n")

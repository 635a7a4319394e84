#!/usr/bin/env python3
"""The policy templates against the program: Staywick.admx and its ADML parse
as XML; every policy, category, supportedOn and presentation reference has
its string or presentation in the ADML; every policy writes under the key the
program reads; and the registry values the templates write are exactly the
values the program reads (engine/policy_values.h), with the same ranges.

    check_templates.py <source dir>
"""
import os
import re
import sys
import xml.etree.ElementTree as ET

NS = {"p": "http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions"}
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def string_ref(text):
    m = re.fullmatch(r"\$\(string\.([A-Za-z0-9_]+)\)", text or "")
    return m.group(1) if m else None


src = sys.argv[1]
admx_path = os.path.join(src, "packaging", "policy", "Staywick.admx")
adml_path = os.path.join(src, "packaging", "policy", "en-US", "Staywick.adml")
admx = ET.parse(admx_path).getroot()
adml = ET.parse(adml_path).getroot()

# What the program reads: the key (platform/policy_store.h) and the table of
# value names and ranges (engine/policy_values.h).
store_h = open(os.path.join(src, "platform", "policy_store.h"), encoding="utf-8").read()
key = re.search(r'kPolicyKeyPath\[\] = L"([^"]+)"', store_h).group(1).replace("\\\\", "\\")
values_h = open(os.path.join(src, "engine", "policy_values.h"), encoding="utf-8").read()
program = {name: (int(lo), int(hi)) for name, lo, hi in
           re.findall(r'\{PolicyId::\w+, L"(\w+)", (\d+), (\d+)\}', values_h)}
check(len(program) == 11, f"engine/policy_values.h lists 11 values: {sorted(program)}")

# No other source names the Policies key: every policy read goes through the table.
for folder, _, files in os.walk(src):
    rel = os.path.relpath(folder, src)
    if rel.split(os.sep)[0] in ("build", "tests", ".git", "packaging", "dist"):
        continue
    for f in files:
        if f.endswith((".cpp", ".h")) and os.path.join(rel, f) != os.path.join("platform", "policy_store.h"):
            text = open(os.path.join(folder, f), encoding="utf-8", errors="replace").read()
            check("Policies\\\\" not in text, f"{rel}/{f} names the Policies key itself")

strings = {s.get("id"): (s.text or "") for s in adml.findall(".//p:stringTable/p:string", NS)}
presentations = {p.get("id"): p for p in adml.findall(".//p:presentationTable/p:presentation", NS)}

# Categories: Tessaro > Staywick.
cats = {c.get("name"): c for c in admx.findall(".//p:categories/p:category", NS)}
check(set(cats) == {"Tessaro", "Staywick"}, f"categories Tessaro and Staywick: {sorted(cats)}")
parent = cats.get("Staywick")
check(parent is not None and parent.find("p:parentCategory", NS) is not None
      and parent.find("p:parentCategory", NS).get("ref") == "Tessaro", "Staywick lies under Tessaro")
for c in cats.values():
    check(string_ref(c.get("displayName")) in strings, f"category {c.get('name')} has its string")
for d in admx.findall(".//p:supportedOn/p:definitions/p:definition", NS):
    check(string_ref(d.get("displayName")) in strings, f"supportedOn {d.get('name')} has its string")

written = {}  # value name -> (lowest, highest) the template can write


def note(name, numbers):
    lo, hi = min(numbers), max(numbers)
    old = written.get(name)
    written[name] = (min(lo, old[0]), max(hi, old[1])) if old else (lo, hi)


policies = admx.findall(".//p:policies/p:policy", NS)
check(len(policies) == len(program), f"one policy per value: {len(policies)} policies")
for pol in policies:
    name = pol.get("name")
    check(pol.get("key") == key, f"{name} writes under {key}: {pol.get('key')}")
    check(pol.get("class") == "Both", f"{name} is for computers and users")
    check(pol.find("p:parentCategory", NS) is not None
          and pol.find("p:parentCategory", NS).get("ref") == "Staywick", f"{name} is in Staywick")
    for attr in ("displayName", "explainText"):
        sid = string_ref(pol.get(attr))
        check(sid in strings and strings[sid].strip(), f"{name}'s {attr} has its text in the ADML")
    if pol.get("valueName"):
        nums = [int(d.get("value")) for tag in ("enabledValue", "disabledValue")
                for d in pol.findall(f"p:{tag}/p:decimal", NS)]
        check(len(nums) == 2, f"{name} writes a decimal when enabled and when disabled")
        note(pol.get("valueName"), nums)
    elements = pol.find("p:elements", NS)
    if elements is not None:
        pres = re.fullmatch(r"\$\(presentation\.(\w+)\)", pol.get("presentation") or "")
        check(pres and pres.group(1) in presentations, f"{name} has its presentation in the ADML")
        refs = set()
        if pres and pres.group(1) in presentations:
            refs = {e.get("refId") for e in presentations[pres.group(1)]}
        for el in elements:
            check(el.get("id") in refs, f"{name}'s element {el.get('id')} is presented")
            tag = el.tag.split("}")[1]
            if tag == "decimal":
                note(el.get("valueName"), [int(el.get("minValue")), int(el.get("maxValue"))])
            elif tag == "enum":
                items = el.findall("p:item", NS)
                for item in items:
                    check(string_ref(item.get("displayName")) in strings,
                          f"{name}'s item {item.get('displayName')} has its string")
                note(el.get("valueName"),
                     [int(d.get("value")) for d in el.findall("p:item/p:value/p:decimal", NS)])
            else:
                check(False, f"{name}: unexpected element {tag}")

check(set(written) == set(program),
      f"the templates write exactly what the program reads: only in templates "
      f"{sorted(set(written) - set(program))}, only in the program {sorted(set(program) - set(written))}")
for name, rng in written.items():
    if name in program:
        check(rng == program[name], f"{name}: templates write {rng}, the program accepts {program[name]}")

for f in failures:
    print("FAIL:", f)
print(f"{len(policies)} policies, {len(strings)} strings, {len(written)} values checked")
sys.exit(1 if failures else 0)

#!/usr/bin/env python3
"""What a user downloads, checked on the host: the zip's entries, the
checksums, the winget manifests against the real MSI, the MSI's tables.
Usage: check_dist.py <dist dir> <version> <source dir>"""
import calendar
import datetime
import hashlib
import os
import re
import subprocess
import sys
import tempfile
import zipfile

import yaml

dist, version, source = sys.argv[1], sys.argv[2], sys.argv[3]
name = f"Staywick-{version}-win-x64"
failures = []


def check(ok, what):
    print(("ok    " if ok else "FAIL  ") + what)
    if not ok:
        failures.append(what)


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def msi_table(table):
    # msiinfo writes a table's binary streams (the Icon) into a folder in the
    # current directory: let it write into a throwaway one.
    with tempfile.TemporaryDirectory() as scratch:
        text = subprocess.run(["msiinfo", "export", os.path.abspath(os.path.join(dist, name + ".msi")),
                               table], check=True, capture_output=True, text=True, cwd=scratch).stdout
    rows = [line.rstrip("\r").split("\t") for line in text.splitlines()[3:] if line]
    return rows


# The zip: exactly these files, the exe the same as dist's, texts filled in.
with zipfile.ZipFile(os.path.join(dist, name + ".zip")) as z:
    names = z.namelist()
    check(names == ["LICENSE.txt", "README.txt", "Staywick.exe"],
          f"zip holds exactly LICENSE.txt, README.txt, Staywick.exe in order: {names}")
    check(z.read("Staywick.exe") == open(os.path.join(dist, "Staywick.exe"), "rb").read(),
          "zip's Staywick.exe is dist's")
    check(all(i.date_time == z.infolist()[0].date_time for i in z.infolist()),
          "zip entries share one time")
    check(all(not i.extra for i in z.infolist()), "zip entries carry no extra fields")
    readme = z.read("README.txt").decode("utf-8")
    license_text = z.read("LICENSE.txt").decode("utf-8")
for needle in [f"Staywick {version}", r"%APPDATA%\Tessaro\Staywick", "Staywick.Settings",
               "/D", "/L", "AUTOSTART=1", "Double-click", "Exit", "shell:startup"]:
    check(needle in readme, f"README.txt mentions {needle!r}")
check("@" not in re.sub(r"[\w.-]+@[\w.-]+", "", readme), "README.txt has no placeholder left")
check("\r\n" in readme and "\n" not in readme.replace("\r\n", ""), "README.txt has CR LF lines")
check(license_text.startswith("Staywick License Agreement"), "LICENSE.txt starts with its title")
check("\u00a9 2026 Tessaro" in license_text, "LICENSE.txt keeps the copyright sign")
check(not re.search(r"\\[a-z]+|[{}]", license_text), "LICENSE.txt is plain text, no RTF left")

# The policy templates: the ADMX and its en-US ADML as the source holds them.
templates = f"Staywick-{version}-policy-templates.zip"
with zipfile.ZipFile(os.path.join(dist, templates)) as z:
    check(z.namelist() == ["Staywick.admx", "en-US/Staywick.adml"],
          f"{templates} holds Staywick.admx and en-US/Staywick.adml: {z.namelist()}")
    for entry in z.namelist():
        check(z.read(entry) == open(os.path.join(source, "packaging", "policy", entry), "rb").read(),
              f"{templates}: {entry} is the source's")
    check(all(not i.extra for i in z.infolist()), f"{templates}: entries carry no extra fields")
    templates_time = calendar.timegm(z.infolist()[0].date_time + (0, 0, -1))

# Every time inside comes from the commit, not from the clock of the build.
commit_time = int(subprocess.run(["git", "-C", source, "log", "-1", "--format=%ct"],
                                 check=True, capture_output=True, text=True).stdout)
with zipfile.ZipFile(os.path.join(dist, name + ".zip")) as z:
    zip_time = calendar.timegm(z.infolist()[0].date_time + (0, 0, -1))
check(abs(zip_time - commit_time) <= 1,  # zip keeps even seconds (rounding up)
      f"zip times are the commit's ({zip_time} for {commit_time})")
check(abs(templates_time - commit_time) <= 1, f"templates zip times are the commit's ({templates_time})")
info = subprocess.run(["msiinfo", "suminfo", os.path.join(dist, name + ".msi")], check=True,
                      capture_output=True, text=True, env=dict(os.environ, TZ="UTC")).stdout
for field in ("Created", "Last saved"):
    stamp = " ".join(re.search(rf"^{field}: (.*)$", info, re.M).group(1).split())
    when = calendar.timegm(datetime.datetime.strptime(stamp, "%a %b %d %H:%M:%S %Y").timetuple())
    check(when == commit_time, f"MSI {field.lower()} time is the commit's ({stamp})")

# SHA256SUMS covers every file in dist and every sum is right.
listed = {}
for line in open(os.path.join(dist, "SHA256SUMS"), encoding="ascii"):
    digest, path = line.rstrip("\n").split("  ", 1)
    listed[path] = digest
present = sorted(os.path.relpath(os.path.join(root, f), dist)
                 for root, _, files in os.walk(dist) for f in files if f != "SHA256SUMS")
check(sorted(listed) == present, f"SHA256SUMS lists every file: {sorted(listed)}")
check(subprocess.run(["sha256sum", "--quiet", "-c", "SHA256SUMS"], cwd=dist).returncode == 0,
      "sha256sum -c SHA256SUMS passes")

# The MSI's identity and the parts wixl cannot write by itself.
props = {row[0]: row[1] for row in msi_table("Property")}
check(props.get("Manufacturer") == "Tessaro", "MSI publisher is Tessaro")
check(props.get("ProductVersion") == version, "MSI version is the release's")
check(props.get("UpgradeCode") == "{FD903F62-5426-5A00-8D95-CB89A614E213}", "MSI UpgradeCode is the fixed one")
check(props.get("ALLUSERS") == "1", "MSI installs per machine")
check(props.get("ARPPRODUCTICON") in {row[0] for row in msi_table("Icon")}, "MSI has its Apps icon")
check("AUTOSTART" in props.get("SecureCustomProperties", "").split(";"), "AUTOSTART is a secure property")
components = {row[0]: row for row in msi_table("Component")}
check(components["AutoStart"][4] == 'AUTOSTART="1"', "the Run value is installed only with AUTOSTART=1")
# Windows Installer's own rules: the shortcut's component has its key path
# under HKMU (-1), never HKLM (2) (ICE38, ICE43); the File table carries the
# exe's file version; a version has the three fields the installer compares.
registry = {row[0]: row for row in msi_table("Registry")}
shortcut_key = registry.get(components["StartMenuShortcut"][5])
print("      Registry row of the shortcut's key path: " + "\t".join(shortcut_key or ["none"]))
check(shortcut_key is not None and shortcut_key[1] == "-1",
      "the shortcut's component has its key path under HKMU (root -1)")
check(all(row[1] != "2" for row in registry.values() if row[5] == "StartMenuShortcut"),
      "no registry value of the shortcut's component under root 2")
exe_version = subprocess.run(["python3", os.path.join(source, "packaging", "file_version.py"),
                              os.path.join(dist, "Staywick.exe")],
                             check=True, capture_output=True, text=True).stdout.strip()
files = {row[0]: row for row in msi_table("File")}
check(files["StaywickExe"][4] == exe_version and re.match(r"^\d+\.\d+\.\d+\.\d+$", exe_version),
      f"the File table carries the exe's file version {exe_version!r}: {files['StaywickExe'][4]!r}")
check(re.match(r"^\d+\.\d+\.\d+$", version) is not None, f"the version {version!r} has three fields")
# The custom actions: AUTOSTART from the command line kept around AppSearch,
# and the running program closed after InstallValidate, before the old
# version goes.
actions = {row[0]: row for row in msi_table("CustomAction")}
sequence = {row[0]: (row[1], int(row[2])) for row in msi_table("InstallExecuteSequence")}
check(actions.get("KeepGivenAutoStart", [])[1:4] == ["51", "AUTOSTART_GIVEN", "[AUTOSTART]"] and
      actions.get("UseGivenAutoStart", [])[1:4] == ["51", "AUTOSTART", "[AUTOSTART_GIVEN]"],
      "AUTOSTART given on the command line is kept aside and put back")
check(sequence["KeepGivenAutoStart"] == ("AUTOSTART", sequence["AppSearch"][1] - 1) and
      sequence["UseGivenAutoStart"] == ("AUTOSTART_GIVEN", sequence["AppSearch"][1] + 1),
      "... just before and just after AppSearch")
check(actions.get("CloseRunningStaywick", [])[1:4] == ["66", "CloseRunning", '"[INSTALLDIR]Staywick.exe"'],
      "the running program is closed by the packed StaywickClose.exe, errors ignored")
check(sequence["InstallValidate"][1] < sequence["CloseRunningStaywick"][1]
      < sequence["RemoveExistingProducts"][1] < sequence["InstallInitialize"][1],
      "... after InstallValidate, before the old version is removed")
check("CloseRunning" in {row[0] for row in msi_table("Binary")}, "StaywickClose.exe is in the MSI")

summary = subprocess.run(["msiinfo", "suminfo", os.path.join(dist, name + ".msi")],
                         check=True, capture_output=True, text=True).stdout
check("Template: x64;1033" in summary, "MSI is a 64-bit package")

# winget: three manifests that parse, agree with each other and carry the MSI's real hash.
wdir = os.path.join(dist, "winget")
check(sorted(os.listdir(wdir)) == ["Tessaro.Staywick.installer.yaml",
                                   "Tessaro.Staywick.locale.en-US.yaml", "Tessaro.Staywick.yaml"],
      "winget/ holds the version, installer and default-locale manifests")
manifests = {}
for f in os.listdir(wdir):
    with open(os.path.join(wdir, f), encoding="utf-8") as fh:
        manifests[f] = yaml.safe_load(fh)
for f, m in manifests.items():
    check(m["PackageIdentifier"] == "Tessaro.Staywick", f"{f}: identifier")
    check(m["PackageVersion"] == version and isinstance(m["PackageVersion"], str),
          f"{f}: version is the string {version!r}")
    check(isinstance(m["ManifestVersion"], str), f"{f}: manifest version is a string")
types = {m["ManifestType"] for m in manifests.values()}
check(types == {"version", "installer", "defaultLocale"}, f"manifest types {types}")
inst = manifests["Tessaro.Staywick.installer.yaml"]
check(inst["InstallerType"] == "msi" and inst["Scope"] == "machine", "installer: a per-machine MSI")
check(len(inst["Installers"]) == 1 and inst["Installers"][0]["Architecture"] == "x64", "installer: one x64 entry")
check(inst["Installers"][0]["InstallerSha256"].lower() == sha256(os.path.join(dist, name + ".msi")),
      "installer: the MSI's real SHA-256")
check(inst["ProductCode"] == props["ProductCode"], "installer: the MSI's real ProductCode")
check(all(e.get("DisplayVersion") != version for e in inst.get("AppsAndFeaturesEntries", [])),
      "installer: no DisplayVersion that only repeats PackageVersion")
url = inst["Installers"][0]["InstallerUrl"]
check(re.match(r"^https://[\w.-]+\.example/", url) is not None and url.endswith(f"/{name}.msi"),
      f"installer URL on the reserved domain, naming the MSI: {url}")
loc = manifests["Tessaro.Staywick.locale.en-US.yaml"]
check(loc["Publisher"] == "Tessaro" and loc["PackageName"] == "Staywick", "locale: publisher and name")
check(manifests["Tessaro.Staywick.yaml"]["DefaultLocale"] == loc["PackageLocale"], "default locale agrees")

print(f"{len(failures)} failed")
sys.exit(1 if failures else 0)

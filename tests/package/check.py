#!/usr/bin/env python3
"""Checks of what a Debian user and a software centre get: the manual page, the desktop and
AppStream metadata, and the .deb as lintian sees it.

    check.py manual   --program PROGRAM PAGE...
    check.py metadata --program PROGRAM --desktop FILE --metainfo FILE
    check.py package  --program PROGRAM --cpack-config FILE --work DIR --app-id ID

The tools come from scripts/install-deps; a missing one fails the check and names its
package. Exits 0 when everything holds, 1 with the reasons otherwise.
"""

import argparse
import glob
import gzip
import os
import re
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

TOOLS = {
    "man": "man-db",
    "appstreamcli": "appstream",
    "desktop-file-validate": "desktop-file-utils",
    "lintian": "lintian",
    "cpack": "cmake",
    "dpkg-deb": "dpkg",
}


XML_LANG = "{http://www.w3.org/XML/1998/namespace}lang"


class Failure(Exception):
    pass


def tool(name):
    path = shutil.which(name)
    if not path:
        raise Failure(f"{name} is missing: install the Debian package {TOOLS[name]} "
                      "(scripts/install-deps does)")
    return path


def run(command, env=None, check=True):
    """Runs a command; returns (exit status, standard output, standard error)."""
    done = subprocess.run(command, capture_output=True, text=True, env=env)
    if check and done.returncode != 0:
        raise Failure(f"{' '.join(command)} exited with {done.returncode}:\n"
                      f"{done.stdout}{done.stderr}")
    return done.returncode, done.stdout, done.stderr


def program_version(program):
    return run([program, "--version"])[1].split()[-1]


# ---- the manual page against --help ----

def help_options(program):
    """The option names that `PROGRAM --help` lists, short and long."""
    options = set()
    for line in run([program, "--help"])[1].splitlines():
        # An option's line starts with two blanks and a dash; its description's continuation
        # lines are indented further.
        match = re.match(r"^  (-\S.*?)(?:\s{2,}|$)", line)
        if match:
            for name in match.group(1).split(", "):
                options.add(name.split(" ")[0])
    if not options:
        raise Failure(f"{program} --help lists no option")
    return options


def roff_sections(page_text):
    """The page's sections: {name: [lines]}."""
    sections, name = {}, None
    for line in page_text.splitlines():
        heading = re.match(r'^\.SH\s+"?([^"]*)"?\s*$', line)
        if heading:
            name = heading.group(1).strip()
            sections[name] = []
        elif name:
            sections[name].append(line)
    return sections


def options_named(roff_line):
    """The option names on a roff line, its escapes undone."""
    text = roff_line.replace(r"\-", "-")
    text = re.sub(r"\\f[BIRP]|\\c|\\ ", " ", text)
    text = re.sub(r"^\.\w+\s*", "", text)
    return set(re.findall(r'(?<![\w-])(--?[A-Za-z0-9?][\w-]*)', text))


def manual_options(page_text):
    """(the options that OPTIONS gives an entry of their own, the options SYNOPSIS shows)"""
    sections = roff_sections(page_text)
    entries = set()
    lines = sections.get("OPTIONS", [])
    for index, line in enumerate(lines):
        if line.startswith(".TP") and index + 1 < len(lines):
            entries |= options_named(lines[index + 1])
    synopsis = set()
    for line in sections.get("SYNOPSIS", []):
        synopsis |= options_named(line)
    return entries, synopsis


def check_manual(args):
    problems = []
    helped = help_options(args.program)
    for page in args.pages:
        with open(page, encoding="utf-8") as source:
            text = source.read()
        entries, synopsis = manual_options(text)
        missing = sorted(helped - entries)
        if missing:
            problems.append(
                f"{page} does not document {', '.join(missing)}, which `ventrose --help` "
                "lists: give each an entry under .SH OPTIONS (.TP, then a tag line such as "
                r'`.BI \-\-name " argument"`, then what it does)')
        extra = sorted(entries - helped)
        if extra:
            problems.append(f"{page} documents {', '.join(extra)}, which `ventrose --help` "
                            "does not list: drop the entries or give the program the options")
        unshown = sorted(name for name in helped - synopsis if name.startswith("--"))
        if unshown:
            problems.append(f"{page}: the SYNOPSIS does not show {', '.join(unshown)}")
        # man's own complaints (lines it cannot break, unknown requests) on an 80-column
        # terminal, as lintian asks for them.
        env = dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80", MANROFFSEQ="")
        _, _, warnings = run([tool("man"), "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z",
                              page], env=env)
        if warnings.strip():
            problems.append(f"{page}: man warns:\n{warnings}")
    if problems:
        raise Failure("\n".join(problems))


# ---- the desktop entry and the AppStream metadata ----

def check_metadata(args):
    problems = []
    status, out, err = run([tool("desktop-file-validate"), args.desktop], check=False)
    if status != 0 or out.strip() or err.strip():
        problems.append(f"desktop-file-validate {args.desktop}:\n{out}{err}")
    status, out, err = run([tool("appstreamcli"), "validate", "--no-net", args.metainfo],
                           check=False)
    if status != 0:
        problems.append(f"appstreamcli validate --no-net {args.metainfo}:\n{out}{err}")

    # What the validators do not see: the metadata, the menu entry and the program agree.
    component = ElementTree.parse(args.metainfo).getroot()
    app_id = component.findtext("id")
    desktop_name = os.path.basename(args.desktop)
    if desktop_name != f"{app_id}.desktop":
        problems.append(f"the menu entry is {desktop_name}, the metadata's id {app_id}")
    launchable = component.findtext("launchable[@type='desktop-id']")
    if launchable != desktop_name:
        problems.append(f"the metadata launches {launchable}, the menu entry is {desktop_name}")
    binaries = [b.text for b in component.findall("provides/binary")]
    program_name = os.path.basename(args.program)
    if binaries != [program_name]:
        problems.append(f"the metadata provides the binaries {binaries}, not {program_name}")
    releases = [r.get("version") for r in component.findall("releases/release")]
    version = program_version(args.program)
    if not releases or releases[0] != version:
        problems.append(f"the metadata's latest release is {releases[:1]}, the program is "
                        f"version {version}: add a <release> at the top of <releases>")
    for what, elements in (("summary", component.findall("summary")),
                           ("description", component.findall("description/p"))):
        languages = {element.get(XML_LANG) for element in elements}
        if not {None, "fr"} <= languages:
            problems.append(f"the metadata's {what} is not in both English and French")
    if problems:
        raise Failure("\n".join(problems))


# ---- the package ----

def check_package(args):
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)
    run([tool("cpack"), "--config", args.cpack_config, "-B", args.work])
    packages = glob.glob(os.path.join(args.work, "*.deb"))
    if len(packages) != 1:
        raise Failure(f"cpack made {len(packages)} packages in {args.work}")
    deb = packages[0]
    problems = []

    # lintian: no error and no warning; what the package's override file accepts is not
    # shown (the file says why each is accepted), and an override that no longer silences
    # anything is reported too, so that the file stays true.
    _, out, err = run([tool("lintian"), "--fail-on", "none", "--display-info", deb])
    reported = [line for line in (out + err).splitlines()
                if re.match(r"^[EW]: |^I: \S+ (unused|mismatched)-override ", line)]
    if reported:
        problems.append("lintian reports:\n" + "\n".join(reported))

    version = program_version(args.program)
    packaged = run([tool("dpkg-deb"), "--field", deb, "Version"])[1].strip()
    if packaged != version:
        problems.append(f"the package is version {packaged}, the program says {version}")

    tree = os.path.join(args.work, "tree")
    run([tool("dpkg-deb"), "--extract", deb, tree])
    usr = os.path.join(tree, "usr", "share")
    with gzip.open(os.path.join(usr, "doc", "ventrose", "changelog.gz"), "rt") as changelog:
        top = changelog.readline()
    if not top.startswith(f"ventrose ({version}) "):
        problems.append(f"the changelog's latest entry is {top.strip()!r}, not version {version}")
    for path in (f"applications/{args.app_id}.desktop", f"metainfo/{args.app_id}.metainfo.xml",
                 "man/man1/ventrose.1.gz", "man/fr/man1/ventrose.1.gz"):
        if not os.path.isfile(os.path.join(usr, path)):
            problems.append(f"the package has no /usr/share/{path}")
    # The installed tree as a software centre reads it: the metadata, the menu entry it
    # launches and the icon that entry names.
    status, out, err = run([tool("appstreamcli"), "validate-tree", "--no-net", tree],
                           check=False)
    if status != 0:
        problems.append(f"appstreamcli validate-tree on the package's files:\n{out}{err}")
    if problems:
        raise Failure("\n".join(problems))
    shutil.rmtree(args.work)


def main():
    parser = argparse.ArgumentParser()
    commands = parser.add_subparsers(dest="command", required=True)
    manual = commands.add_parser("manual")
    manual.add_argument("--program", required=True)
    manual.add_argument("pages", nargs="+")
    metadata = commands.add_parser("metadata")
    metadata.add_argument("--program", required=True)
    metadata.add_argument("--desktop", required=True)
    metadata.add_argument("--metainfo", required=True)
    package = commands.add_parser("package")
    package.add_argument("--program", required=True)
    package.add_argument("--cpack-config", required=True)
    package.add_argument("--work", required=True)
    package.add_argument("--app-id", required=True)
    args = parser.parse_args()
    try:
        {"manual": check_manual, "metadata": check_metadata, "package": check_package}[
            args.command](args)
    except Failure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    print(f"{args.command}: all checks hold")
    return 0


if __name__ == "__main__":
    sys.exit(main())

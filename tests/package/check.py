#!/usr/bin/env python3
"""What a Debian user and a software centre get, checked:

    check.py manual   PROGRAM PAGE...         the pages document the options of --help
    check.py metadata PROGRAM DESKTOP METAINFO  validators pass; entry, metadata, program agree
    check.py package  PROGRAM CPACK_CONFIG WORK  the .deb that cpack makes passes lintian

The tools come from scripts/install-deps; a missing one fails the check and names its package.
"""

import glob
import os
import re
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

PACKAGES = {"man": "man-db", "appstreamcli": "appstream", "lintian": "lintian",
            "desktop-file-validate": "desktop-file-utils", "cpack": "cmake", "dpkg-deb": "dpkg"}


class Failure(Exception):
    pass


def need(tool):
    if not shutil.which(tool):
        raise Failure(f"{tool} is missing: scripts/install-deps installs it "
                      f"(Debian package {PACKAGES.get(tool, tool)})")


def run(command, check=True, **options):
    """Runs a command and gives back its exit status and its output and errors together."""
    need(command[0])
    done = subprocess.run(command, capture_output=True, text=True, **options)
    if check and done.returncode != 0:
        raise Failure(f"{' '.join(command)} exited with {done.returncode}:\n"
                      f"{done.stdout}{done.stderr}")
    return done.returncode, done.stdout + done.stderr


def version_of(program):
    return run([program, "--version"])[1].split()[-1]


def option_names(text):
    """The option names in a line of --help or of roff, escapes undone."""
    text = re.sub(r"\\f[BIRP]|\\c", " ", text.replace(r"\-", "-"))
    return set(re.findall(r"(?<![\w-])(--?[A-Za-z0-9][\w-]*)", re.sub(r"^\.\w+", "", text)))


def check_manual(program, *pages):
    # An option's line in --help starts with two blanks and a dash; the lines that carry on
    # its description are indented further.
    helped = set()
    for line in run([program, "--help"])[1].splitlines():
        if re.match(r"^ {2,}-", line):
            helped |= option_names(re.split(r"\s{2,}", line.strip())[0])
    problems = []
    for page in pages:
        sections, name = {}, None
        with open(page, encoding="utf-8") as source:
            for line in source:
                heading = re.match(r'^\.SH\s+"?([^"\n]*)', line)
                name = heading.group(1) if heading else name
                sections.setdefault(name, []).append(line)
        options = sections.get("OPTIONS", [])
        documented = set().union(*(option_names(options[i + 1])
                                   for i in range(len(options) - 1)
                                   if options[i].startswith(".TP")))
        shown = set().union(*map(option_names, sections.get("SYNOPSIS", [])))
        if helped - documented:
            problems.append(
                f"{page} does not document {', '.join(sorted(helped - documented))}, which "
                "`ventrose --help` lists: give each an entry under .SH OPTIONS (.TP, a tag "
                r'line such as `.BI \-\-name " argument"`, then what it does) and show it '
                "under .SH SYNOPSIS")
        if documented - helped:
            problems.append(f"{page} documents {', '.join(sorted(documented - helped))}, "
                            "which `ventrose --help` does not list")
        unshown = {o for o in helped - shown if o.startswith("--")}
        if unshown:
            problems.append(f"{page}: .SH SYNOPSIS does not show {', '.join(sorted(unshown))}")
        # man's own complaints (lines it cannot break, unknown requests), as lintian asks.
        need("man")
        env = dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80", MANROFFSEQ="")
        warnings = subprocess.run(["man", "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z",
                                   page], capture_output=True, text=True, env=env).stderr
        if warnings.strip():
            problems.append(f"{page}: man warns:\n{warnings}")
    return problems


def check_metadata(program, desktop, metainfo):
    problems = []
    for command in (["desktop-file-validate", desktop],
                    ["appstreamcli", "validate", "--no-net", metainfo]):
        status, output = run(command, check=False)
        if status != 0 or (command[0] == "desktop-file-validate" and output.strip()):
            problems.append(f"{' '.join(command)}:\n{output}")
    # What the validators cannot see: the metadata names the menu entry, the program and
    # its version.
    component = ElementTree.parse(metainfo).getroot()
    entry = os.path.basename(desktop)
    if {component.findtext("id") + ".desktop",
            component.findtext("launchable[@type='desktop-id']")} != {entry}:
        problems.append(f"the metadata's id and launchable do not both name {entry}")
    if component.findtext("provides/binary") != os.path.basename(program):
        problems.append("the metadata's provides/binary is not the program")
    release = component.find("releases/release")
    if release is None or release.get("version") != version_of(program):
        problems.append(f"the metadata's latest <release> is not version "
                        f"{version_of(program)}, the program's")
    return problems


def check_package(program, cpack_config, work):
    shutil.rmtree(work, ignore_errors=True)
    run(["cpack", "--config", cpack_config, "-B", work])
    deb, = glob.glob(os.path.join(work, "*.deb"))
    # No error, no warning, and no override left that silences nothing (the override file
    # says why each one is there).
    report = run(["lintian", "--fail-on", "none", "--display-info", deb])[1]
    problems = ["lintian: " + line for line in report.splitlines()
                if re.match(r"^[EW]: |^I: \S+ (unused|mismatched)-override ", line)]
    if run(["dpkg-deb", "--field", deb, "Version"])[1].strip() != version_of(program):
        problems.append("the package's version is not the one the program reports")
    # The installed files as a software centre reads them: the metadata, the menu entry it
    # launches and that entry's icon.
    tree = os.path.join(work, "tree")
    run(["dpkg-deb", "--extract", deb, tree])
    status, output = run(["appstreamcli", "validate-tree", "--no-net", tree], check=False)
    if status != 0:
        problems.append(f"appstreamcli validate-tree on the package's files:\n{output}")
    if not problems:
        shutil.rmtree(work)
    return problems


def main(command, *args):
    try:
        problems = {"manual": check_manual, "metadata": check_metadata,
                    "package": check_package}[command](*args)
    except Failure as failure:
        problems = [str(failure)]
    for problem in problems:
        print(f"FAILED: {problem}", file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))

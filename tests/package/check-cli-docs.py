#!/usr/bin/env python3
"""The manual page and the bash completion of telvaro-cli against its help.

check-cli-docs.py TELVARO_CLI

Reads the commands, options and actions from "telvaro-cli help" and
"telvaro-cli help COMMAND", then checks that the manual page telvaro-cli
prints has an item for each of them and renders without a warning, and
that its bash completion, run in bash, offers them, the export formats and
the right files.
"""
import os
import re
import subprocess
import sys
import tempfile

failures = []


def fail(message):
    failures.append(message)
    print("FAIL: " + message)


def run(args, **kwargs):
    result = subprocess.run(args, capture_output=True, text=True, **kwargs)
    if result.returncode != 0:
        sys.exit(f"{' '.join(args)} failed ({result.returncode}): {result.stderr}")
    return result.stdout


def help_of(cli):
    """{command: {"options": {name: takes_value}, "actions": [...], "values": {option: [choices]}}}"""
    overview = run([cli, "help"])
    names = re.findall(r"^  ([a-z][a-z-]*) ", overview, re.M)
    commands = {}
    for name in names:
        text = run([cli, "help", name])
        entry = {"options": {}, "actions": []}
        section = None
        for line in text.splitlines():
            if line in ("options:", "actions:"):
                section = line[:-1]
            elif section and re.match(r"^  \S", line):
                words = line.split()
                if section == "options":
                    entry["options"][words[0]] = len(words) > 1 and not line[2 + len(words[0]):].startswith("  ")
                else:
                    entry["actions"].append(words[0])
        commands[name] = entry
    global_options = re.findall(r"--[a-z-]+", overview.splitlines()[0]) + ["--help", "--version"]
    return commands, global_options


def rendered(page):
    """The page as man shows it; a warning of groff fails the check."""
    env = dict(os.environ, MANWIDTH="200", MAN_KEEP_FORMATTING="", LC_ALL="C.UTF-8")
    result = subprocess.run(["man", "--warnings", "-l", page], capture_output=True, text=True, env=env)
    if result.returncode != 0 or result.stderr.strip():
        fail(f"man -l {page}: {result.returncode} {result.stderr.strip()}")
    # man on a terminal-less stdout still overstrikes on some setups.
    return re.sub(r".\x08", "", result.stdout)


def check_man_page(cli, commands, global_options):
    with tempfile.NamedTemporaryFile("w", suffix=".1", delete=False) as f:
        f.write(run([cli, "--man-page"]))
    text = rendered(f.name)
    os.unlink(f.name)
    for option in global_options:
        if not re.search(rf"^\s+{re.escape(option)}\b", text, re.M):
            fail(f"the manual page has no item for the option {option}")
    sections = re.split(r"^   (?=[a-z])", text, flags=re.M)
    by_name = {s.split()[0]: s for s in sections[1:] if s.split()}
    for name, entry in commands.items():
        section = by_name.get(name)
        if section is None:
            fail(f"the manual page has no section for the command {name}")
            continue
        if f"telvaro-cli {name}" not in section:
            fail(f"the manual page's section {name} has no usage line")
        for word in list(entry["options"]) + entry["actions"]:
            if not re.search(rf"^\s+{re.escape(word)}\b", section, re.M):
                fail(f"the manual page's section {name} has no item for {word}")
    # Nothing the help does not declare.
    for name in by_name:
        if name not in commands:
            fail(f"the manual page has a section {name} that telvaro-cli help does not list")


def completions(script, words, folder):
    """What the completion offers for the command line words (the last is being completed)."""
    quoted = " ".join("'" + w.replace("'", "'\\''") + "'" for w in words)
    program = f"""
source '{script}'
COMP_WORDS=({quoted}); COMP_CWORD=$((${{#COMP_WORDS[@]}} - 1)); COMPREPLY=()
_telvaro_cli
printf '%s\\n' "${{COMPREPLY[@]}}"
"""
    out = subprocess.run(["bash", "--norc", "-c", program], capture_output=True, text=True, cwd=folder)
    if out.returncode != 0 or out.stderr:
        fail(f"completing {words}: {out.returncode} {out.stderr.strip()}")
    return sorted(w for w in out.stdout.splitlines() if w)


def expect(script, words, wanted, folder):
    got = completions(script, words, folder)
    if got != sorted(wanted):
        fail(f"completing {words} offers {got}, not {sorted(wanted)}")


def check_completion(cli, commands, global_options):
    with tempfile.TemporaryDirectory() as scratch:
        script = os.path.join(scratch, "telvaro-cli.bash")
        with open(script, "w") as f:
            f.write(run([cli, "--bash-completion"]))
        folder = os.path.join(scratch, "work")
        os.mkdir(folder)
        for name in ("kettle.qzn", "notes.txt"):
            open(os.path.join(folder, name), "w").close()
        os.mkdir(os.path.join(folder, "lists"))
        cli_name = "telvaro-cli"
        expect(script, [cli_name, ""], ["help"] + list(commands), folder)
        expect(script, [cli_name, "--"], global_options, folder)
        expect(script, [cli_name, "--home", "/tmp", "help", ""], ["help"] + list(commands), folder)
        for name, entry in commands.items():
            expect(script, [cli_name, name, "kettle.qzn", "--"], list(entry["options"]) + ["--help"], folder)
            if entry["actions"]:
                expect(script, [cli_name, name, ""], entry["actions"], folder)
        # A list first, then the words a command takes after it.
        expect(script, [cli_name, "lookup", ""], ["kettle.qzn", "lists"], folder)
        expect(script, [cli_name, "lookup", "--max-connections", "4", ""], ["kettle.qzn", "lists"], folder)
        expect(script, [cli_name, "add", "kettle.qzn", "--tld", "com", ""], [], folder)
        expect(script, [cli_name, "tld", "import", ""], ["kettle.qzn", "lists", "notes.txt"], folder)
        expect(script, [cli_name, "verdict", "n"], ["notes.txt"], folder)
        if "export" in commands:
            line = re.search(r"^  --format FORMAT +(.*)$", run([cli, "help", "export"]), re.M).group(1)
            formats = [f for f in re.findall(r"[a-z-]+", line) if f != "or"]
            expect(script, [cli_name, "export", "kettle.qzn", "--format", ""], formats, folder)
            expect(script, [cli_name, "export", "kettle.qzn", "--format", "=", "cs"], ["csv"], folder)
            expect(script, [cli_name, "export", "kettle.qzn", "--output", "no"], ["notes.txt"], folder)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    cli = sys.argv[1]
    commands, global_options = help_of(cli)
    if len(commands) < 10:
        fail(f"telvaro-cli help lists only {sorted(commands)}")
    check_man_page(cli, commands, global_options)
    check_completion(cli, commands, global_options)
    if failures:
        sys.exit(f"{len(failures)} failures")
    print(f"{len(commands)} commands checked")


main()

#!/usr/bin/env python3
"""Mutation check of the native tests: plants one realistic fault at a time and sees whether a test fails.

    scripts/mutate.py [--base COMMIT] [--files FILE...] [--budget SECONDS]

Without --files it takes the lines of the core's and the command line's .cpp files that the change
since COMMIT (default: the merge base with main) added or altered, uncommitted edits included; with
--files, every line of those files. The faults: a comparison moved across its boundary (< and <=,
> and >=), == and != exchanged, + and -, * and / exchanged, a number one unit off in its last digit,
&& and || exchanged, a ! removed, an early return dropped, a call statement dropped, and two
neighbouring arguments of one kind (names, or numbers) swapped.

The worktree is never touched: the files are copied into build/mutate/src, where each mutant is
written, built (build/mutate/bin, optimised, no sanitizers, no benchmarks) and put back, also on
Ctrl+C or an error. A mutant whose object file comes out byte for byte as before is the same
program and is not run. The quick tests run first and stop at the first failure; only a mutant
that passes them runs the slow ones (those over 200 ms in the baseline), each in a process of its
own, two at a time. Every run is stopped after four times its baseline time, which kills the
mutant. tests/cli/cli-statuses.sh runs with the quick tests, and the crash explorer's operations
among the slow ones.

When the mutants do not all fit in the time budget (600 s by default), it runs them in an order
that spreads over the candidate lines evenly: first one mutant on each line, the lines taken in
bit-reversed order so that any prefix covers the file evenly, then a second mutant on each line,
and so on, and stops when the budget is spent. The order is fixed, so a second run tries the same
mutants first.
"""
import argparse
import fcntl
import hashlib
import json
import os
import re
import signal
import subprocess
import sys
import time
from concurrent.futures import ThreadPoolExecutor

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
WORK = os.path.join(ROOT, "build", "mutate")
SRC = os.path.join(WORK, "src")
BIN = os.path.join(WORK, "bin")
# Every native test program, the crash explorer too, and the command the cli statuses run.
PROGRAMS = ["core_tests", "crash_explorer"]
TARGETS = PROGRAMS + ["huewright-cli"]
SLOW_MS = 200


def Git(*args):
    return subprocess.run(["git", "-C", ROOT, *args], check=True, capture_output=True, text=True).stdout


def SyncMirror():
    """Copies the worktree's files whose content differs; a fresh write gives the build a new time."""
    names = Git("ls-files", "-z", "--cached", "--others", "--exclude-standard").split("\0")
    for name in filter(None, names):
        source = os.path.join(ROOT, name)
        if not os.path.isfile(source):
            continue
        with open(source, "rb") as f:
            data = f.read()
        target = os.path.join(SRC, name)
        if os.path.isfile(target):
            with open(target, "rb") as f:
                if f.read() == data:
                    continue
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as f:
            f.write(data)
        os.chmod(target, os.stat(source).st_mode)


def Configure():
    if os.path.exists(os.path.join(BIN, "build.ninja")):
        return
    subprocess.run(["cmake", "-S", SRC, "-B", BIN, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=",
                    "-DCMAKE_CXX_FLAGS=-O1", "-DHUEWRIGHT_SANITIZE=OFF", "-DHUEWRIGHT_BENCHMARKS=OFF"],
                   check=True, stdout=subprocess.DEVNULL)


def Build():
    return subprocess.run(["ninja", "-C", BIN, *TARGETS], capture_output=True, text=True).returncode == 0


def MutableSources():
    """The .cpp files of the core and the command line, as repository paths, with their objects."""
    with open(os.path.join(BIN, "compile_commands.json")) as f:
        commands = json.load(f)
    objects = {}
    for entry in commands:
        name = os.path.relpath(entry["file"], SRC)
        if name.split("/")[0] in ("tests", "bench"):
            continue
        output = re.search(r" -o (\S+)", entry["command"]).group(1)
        objects[name] = os.path.join(entry["directory"], output)
    return objects


def Run(command, timeout):
    """(passed, seconds); a run past its time is stopped with its children and counts as failed."""
    start = time.monotonic()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               start_new_session=True)
    try:
        status = process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        status = None
    finally:
        if process.poll() is None:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
    return status == 0, time.monotonic() - start


class Suite:
    """The native tests in two steps, the quick ones first; the time limits come from the baseline."""

    def __init__(self):
        self.cli = [os.path.join(SRC, "tests/cli/cli-statuses.sh"), os.path.join(BIN, "huewright-cli")]
        quick, slow = [(self.cli, 0.0)], []
        for name in PROGRAMS:
            program = os.path.join(BIN, name)
            listing = subprocess.run([program, "--gtest_brief=0"], capture_output=True, text=True, cwd=BIN)
            if listing.returncode != 0:
                sys.exit("mutate: the tests fail without any mutant; mend them first")
            times = re.findall(r"^\[ +OK \] (\S+) \((\d+) ms\)", listing.stdout, re.M)
            slowNames = [test for test, ms in times if int(ms) > SLOW_MS]
            if len(slowNames) < len(times):
                quick.append(([program, "--gtest_fail_fast", "--gtest_filter=-" + ":".join(slowNames)], 0.0))
            slow += [([program, "--gtest_filter=" + test], 0.0) for test in slowNames]
        self.steps = [quick, slow]
        self.steps = [[(command, self.Baseline(command)) for command, _ in step] for step in self.steps]

    @staticmethod
    def Baseline(command):
        passed, seconds = Run(command, 600)
        if not passed:
            sys.exit("mutate: %s fails without any mutant" % " ".join(command))
        return seconds

    def Kills(self):
        for step in self.steps:
            with ThreadPoolExecutor(max_workers=2) as pool:
                runs = pool.map(lambda run: Run(run[0], max(4 * run[1], 2.0))[0], step)
                if not all(runs):
                    return True
        return False

    def Seconds(self):
        return sum(seconds for _, seconds in self.steps[0]) + max(
            [seconds for _, seconds in self.steps[1]] or [0])


# --- Mutants -------------------------------------------------------------------------------------

KEYWORDS = {"if", "for", "while", "switch", "return", "sizeof", "static_assert", "alignof", "decltype",
            "catch", "case", "delete", "throw", "co_return", "static_cast", "reinterpret_cast",
            "const_cast", "dynamic_cast"}
SWAP_EXEMPT = {"min", "max", "swap", "hypot", "pair", "make_pair"}
SIMPLE_NAME = re.compile(r"^[A-Za-z_][\w]*(?:(?:\.|->|::)[A-Za-z_]\w*)*$")
SIMPLE_NUMBER = re.compile(r"^-?\d[\w.]*$")
NUMBER = re.compile(r"(?<![\w.'])(0[xX][0-9a-fA-F]+|\d+\.\d*|\.\d+|\d+)([eE][+-]?\d+)?([fFuUlL]*)(?![\w.'])")


def Masked(lines):
    """Each line with comments, string and character literals blanked, so that only code is matched."""
    out = []
    in_block = False
    for line in lines:
        chars = list(line)
        i = 0
        quote = None
        while i < len(chars):
            c = chars[i]
            if in_block:
                if line.startswith("*/", i):
                    chars[i] = chars[i + 1] = " "
                    in_block = False
                    i += 2
                    continue
                chars[i] = " "
            elif quote:
                if c == "\\":
                    chars[i] = " "
                    if i + 1 < len(chars):
                        chars[i + 1] = " "
                    i += 2
                    continue
                if c == quote:
                    quote = None
                else:
                    chars[i] = " "
            elif line.startswith("//", i):
                chars[i:] = " " * (len(chars) - i)
                break
            elif line.startswith("/*", i):
                chars[i] = chars[i + 1] = " "
                in_block = True
                i += 2
                continue
            elif c == '"' or (c == "'" and not (i > 0 and line[i - 1].isalnum())):
                quote = c
            i += 1
        out.append("".join(chars))
    return out


def Shifted(text, delta):
    """A number literal one unit of its last written digit up (delta 1) or down (-1), or None."""
    match = NUMBER.fullmatch(text)
    body, exponent, suffix = match.group(1), match.group(2) or "", match.group(3)
    if body.lower().startswith("0x"):
        value = int(body, 16) + delta
        return None if value < 0 else "0x%0*X" % (len(body) - 2, value) + exponent + suffix
    if "." in body:
        decimals = len(body.split(".")[1])
        # A change in the 13th digit or later shows in no color of 8 bits.
        if len(body.replace(".", "").lstrip("0")) > 12:
            return None
        units = round(float(body or "0") * 10**decimals) + delta
        if units < 0:
            return None
        digits = str(units).rjust(decimals + 1, "0")
        shifted = digits[:-decimals] + "." + digits[-decimals:] if decimals else digits + "."
        return shifted + exponent + suffix
    value = int(body) + delta
    return None if value < 0 else str(value) + exponent + suffix


def Arguments(masked, open_at):
    """The top-level arguments of the call whose '(' is at open_at: [(start, end)], or None."""
    depth = 0
    spans = []
    start = open_at + 1
    for i in range(open_at, len(masked)):
        c = masked[i]
        if c in "([{":
            depth += 1
        elif c in ")]}":
            depth -= 1
            if depth == 0:
                spans.append((start, i))
                return spans
        elif c == "," and depth == 1:
            spans.append((start, i))
            start = i + 1
    return None


def LineMutants(line, code, previous):
    """[(start, end, replacement)] for one line, given with its masked code and the code line before."""
    mutants = []
    stripped = code.strip()
    # A reserve() only changes how often memory is taken.
    if not stripped or stripped.startswith("#") or ".reserve(" in code:
        return mutants
    for match in re.finditer(r"(?<=\s)(<=|>=|<|>|==|!=)(?=\s)", code):
        swap = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
        mutants.append((match.start(), match.end(), swap[match.group()]))
    for match in re.finditer(r"(?<=\s)(&&|\|\|)(?=\s)", code):
        mutants.append((match.start(), match.end(), "||" if match.group() == "&&" else "&&"))
    for match in re.finditer(r"(?<![!=<>&|])!(?!=)", code):
        mutants.append((match.start(), match.end(), ""))
    starts_early_return = re.match(r"(\}\s*)?(if\b|else\b)", previous.strip()) or re.match(r"if\b", stripped)
    if starts_early_return:
        match = re.search(r"\breturn\b[^;]*;", code)
        if match and code[match.end():].strip() in ("", "}"):
            mutants.append((match.start(), match.end(), ";"))
    for match in NUMBER.finditer(code):
        for delta in (1, -1):
            shifted = Shifted(match.group(), delta)
            if shifted is not None:
                mutants.append((match.start(), match.end(), shifted))
    for match in re.finditer(r"(?<=\s)([-+*/%]=?)(?=\s)", code):
        # Joining texts: - and / do not build there.
        if re.search(r"\"\s*$", line[:match.start()]) or re.match(r"\s*[Lu8]*\"", line[match.end():]):
            continue
        swap = {"+": "-", "-": "+", "*": "/", "/": "*", "%": "*", "+=": "-=", "-=": "+=", "*=": "/=",
                "/=": "*="}
        mutants.append((match.start(), match.end(), swap[match.group()]))
    call = re.match(r"^(\s*)((?:[A-Za-z_]\w*(?:::|\.|->))*([A-Za-z_]\w*)\s*\(.*\)\s*;)\s*$", code)
    if call and call.group(3) not in KEYWORDS and previous.strip()[-1:] in (";", "{", "}", ")", ":"):
        mutants.append((len(call.group(1)), call.end(2), ";"))
    for match in re.finditer(r"\b([A-Za-z_]\w*)\s*\(", code):
        if match.group(1) in KEYWORDS or match.group(1) in SWAP_EXEMPT:
            continue
        spans = Arguments(code, match.end() - 1)
        for (a0, a1), (b0, b1) in zip(spans or [], (spans or [])[1:]):
            a, b = code[a0:a1].strip(), code[b0:b1].strip()
            same_kind = (SIMPLE_NAME.match(a) and SIMPLE_NAME.match(b)) or (
                SIMPLE_NUMBER.match(a) and SIMPLE_NUMBER.match(b))
            if a != b and same_kind:
                first = a0 + code[a0:a1].index(a)
                second = b0 + code[b0:b1].index(b)
                mutants.append((first, second + len(b), b + code[first + len(a):second] + a))
    return mutants


def Mutants(name, wanted_lines):
    """{line number: [(start, end, replacement)]} for the wanted lines of one source."""
    with open(os.path.join(SRC, name)) as f:
        lines = f.read().split("\n")
    masked = Masked(lines)
    found = {}
    previous = ""
    for number, (line, code) in enumerate(zip(lines, masked), 1):
        if number in wanted_lines:
            mutants = LineMutants(line, code, previous)
            if mutants:
                found[number] = mutants
        if code.strip():
            previous = code
    return found


def BitReversed(count):
    """0..count-1 in bit-reversed order: every prefix is spread evenly over the range."""
    bits = max(1, (count - 1).bit_length())
    order = sorted(range(1 << bits), key=lambda i: int(format(i, "0%db" % bits)[::-1], 2))
    return [i for i in order if i < count]


def ChangedLines(base, sources):
    """{file: set of line numbers} that the change since base added or altered, worktree included."""
    changed = {}
    diff = Git("diff", "-U0", "--no-color", base, "--", *sources)
    name = None
    for line in diff.splitlines():
        if line.startswith("+++ "):
            name = line[6:] if line.startswith("+++ b/") else None
        elif line.startswith("@@") and name:
            match = re.search(r"\+(\d+)(?:,(\d+))?", line)
            first, count = int(match.group(1)), int(match.group(2) or 1)
            changed.setdefault(name, set()).update(range(first, first + count))
    return changed


def Shown(line, start, end, replacement):
    """old → new, the line cut to the part around the change when it is long."""
    old = line
    new = line[:start] + replacement + line[end:]
    left = max(line.rfind(" ", 0, max(0, start - 30)) + 1, len(line) - len(line.lstrip()))
    tail = end + 30
    return "%s → %s" % (old[left:tail].strip(), new[left:tail + len(replacement) - (end - start)].strip())


def Hash(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--base", help="the commit the change starts from (default: merge base with main)")
    parser.add_argument("--files", nargs="*", help="mutate every line of these files instead")
    parser.add_argument("--budget", type=float, default=float(os.environ.get("BUDGET", 600)),
                        help="seconds for the mutants, after the build (default 600)")
    parser.add_argument("--list", action="store_true", help="only print the mutants")
    args = parser.parse_args()

    started = time.monotonic()
    os.makedirs(SRC, exist_ok=True)
    # Two runs would write their mutants into the same copy.
    lock = open(os.path.join(WORK, "lock"), "w")
    try:
        fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
    except OSError:
        sys.exit("mutate: another run is using build/mutate")
    SyncMirror()
    Configure()
    print("mutate: building the tests in build/mutate ...", flush=True)
    if not Build():
        sys.exit("mutate: the tests do not build in build/mutate")
    objects = MutableSources()

    if args.files:
        wanted = {}
        for name in args.files:
            name = os.path.relpath(os.path.abspath(name), ROOT)
            if name not in objects:
                sys.exit("mutate: %s is not a source of the native tests (core or command line)" % name)
            wanted[name] = set(range(1, 100000))
    else:
        base = args.base or Git("merge-base", "HEAD", "main").strip()
        wanted = ChangedLines(base, sorted(objects))
    candidates = []
    for name in sorted(wanted):
        for number, mutants in sorted(Mutants(name, wanted[name]).items()):
            candidates.append((name, number, mutants))
    total = sum(len(mutants) for _, _, mutants in candidates)
    if not candidates:
        print("mutate: no line to mutate")
        return
    if args.list:
        for name, number, mutants in candidates:
            line = open(os.path.join(SRC, name)).read().split("\n")[number - 1]
            for start, end, replacement in mutants:
                print("%s:%d: %s" % (name, number, Shown(line, start, end, replacement)))
        return

    suite = Suite()
    print("mutate: %d mutants on %d lines of %d files; the tests take %.1f s, the budget is %.0f s"
          % (total, len(candidates), len({c[0] for c in candidates}), suite.Seconds(), args.budget),
          flush=True)
    order = []
    for rank in range(max(len(mutants) for _, _, mutants in candidates)):
        on_rank = [c for c in candidates if rank < len(c[2])]
        order += [(on_rank[i][0], on_rank[i][1], on_rank[i][2][rank]) for i in BitReversed(len(on_rank))]

    baseline_objects = {name: Hash(objects[name]) for name in wanted}
    results = {}
    survivors = []
    spent_from = time.monotonic()
    ran = 0
    for name, number, (start, end, replacement) in order:
        if time.monotonic() - spent_from > args.budget:
            break
        ran += 1
        path = os.path.join(SRC, name)
        with open(path, "rb") as f:
            original = f.read()
        lines = original.decode().split("\n")
        line = lines[number - 1]
        lines[number - 1] = line[:start] + replacement + line[end:]
        tally = results.setdefault(name, {"killed": 0, "survived": 0, "unbuilt": 0, "same": 0})
        try:
            with open(path, "wb") as f:
                f.write("\n".join(lines).encode())
            if not Build():
                tally["unbuilt"] += 1
                continue
            if Hash(objects[name]) == baseline_objects[name]:
                tally["same"] += 1
                continue
            if suite.Kills():
                tally["killed"] += 1
            else:
                tally["survived"] += 1
                survivors.append("%s:%d: %s" % (name, number, Shown(line, start, end, replacement)))
                print(survivors[-1], flush=True)
        finally:
            with open(path, "wb") as f:
                f.write(original)

    Build()
    print()
    print("%-36s %7s %8s %8s %8s %6s" % ("file", "killed", "survived", "unbuilt", "same code", "score"))
    killed = survived = 0
    for name, tally in sorted(results.items()):
        built = tally["killed"] + tally["survived"]
        killed += tally["killed"]
        survived += tally["survived"]
        print("%-36s %7d %8d %8d %8d %6s" % (name, tally["killed"], tally["survived"], tally["unbuilt"],
                                          tally["same"],
                                          "%.0f %%" % (100 * tally["killed"] / built) if built else "-"))
    sample = "all %d mutants" % total if ran == total else "%d of %d mutants (evenly spread sample)" % (
        ran, total)
    score = "%.1f %%" % (100 * killed / (killed + survived)) if killed + survived else "-"
    print("mutate: %s in %.0f s; %d killed, %d survived: score %s of the mutants that built"
          % (sample, time.monotonic() - started, killed, survived, score))


if __name__ == "__main__":
    # Also when started from a shell that ignores Ctrl+C for background jobs.
    signal.signal(signal.SIGINT, signal.default_int_handler)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    try:
        main()
    except KeyboardInterrupt:
        sys.exit("mutate: stopped; the worktree was never changed and build/mutate/src is restored")

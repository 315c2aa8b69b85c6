#!/usr/bin/env python3
"""Replays the scripted games of this folder through `quorvel-tool play` and compares every
event, and the statistics file the games leave, with the recording beside each script.

Each NAME.play holds the tool's options on its first line (after '# ') and one command a line;
NAME.jsonl is what the tool answered, then the statistics lines. The games run over a frozen
program folder (a small dictionary built from words.txt, and root/zq), so a change of the
shipped word data does not change them. Dates in records are written as DATE.

Usage: run_recordings.py TOOL [--record] [--emulator PROGRAM] [NAME ...]

--emulator runs the tool through PROGRAM (such as wine for quorvel-tool.exe); Python itself and
the comparison stay here.
"""
import pathlib
import re
import shlex
import shutil
import subprocess
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
DATE = re.compile(rb"\d{4}-\d{2}-\d{2}")


def make_root(tool, folder):
    shutil.copytree(HERE / "root", folder)
    (folder / "kbs").mkdir()
    subprocess.run(tool + ["dic", "build", str(HERE / "words.txt"),
                    str(folder / "kbs" / "Common Words.dic")], check=True)


def replay(tool, script, work):
    root = work / script.stem
    make_root(tool, root)
    lines = script.read_bytes().split(b"\n")
    options = shlex.split(lines[0].decode().lstrip("# "))
    result = subprocess.run(tool + ["play", "--root", str(root)] + options,
                            input=b"\n".join(lines[1:]), capture_output=True, timeout=120)
    if result.returncode != 0:
        raise RuntimeError(f"{script.name}: exit {result.returncode}: {result.stderr.decode()}")
    stats = root / "zq" / "stats.zq"
    records = stats.read_bytes() if stats.exists() else b""
    return result.stdout + b"--- zq/stats.zq\n" + DATE.sub(b"DATE", records)


def main(argv):
    tool = [argv[1]]
    rest = argv[2:]
    if "--emulator" in rest:
        at = rest.index("--emulator")
        tool = [rest[at + 1]] + tool
        del rest[at:at + 2]
    record = "--record" in rest
    names = [a for a in rest if a != "--record"]
    scripts = sorted(HERE.glob("*.play"))
    if names:
        scripts = [s for s in scripts if s.stem in names]
    if not scripts:
        # Nothing replayed is no pass: a wrong name or an empty folder is an error.
        print("no recording to replay")
        return 1
    failed = 0
    with tempfile.TemporaryDirectory() as temp:
        for script in scripts:
            answer = DATE.sub(b"DATE", replay(tool, script, pathlib.Path(temp)))
            expected_file = script.with_suffix(".jsonl")
            if record:
                expected_file.write_bytes(answer)
                continue
            expected = expected_file.read_bytes()
            if answer == expected:
                print(f"{script.stem}: same events")
                continue
            failed += 1
            got, want = answer.split(b"\n"), expected.split(b"\n")
            line = next((i for i, (a, b) in enumerate(zip(got, want)) if a != b),
                        min(len(got), len(want)))
            print(f"{script.stem}: differs at line {line + 1}")
            print(f"  recorded: {want[line][:300] if line < len(want) else b'(end)'}")
            print(f"  now:      {got[line][:300] if line < len(got) else b'(end)'}")
    print(f"{len(scripts) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

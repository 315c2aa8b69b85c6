#!/usr/bin/env python3
"""Renders the application icon's PNG sizes from desktop/example.quorvel.Quorvel.svg.

Needs rsvg-convert (Debian: librsvg2-bin) and the DejaVu fonts. `--check` renders into a
temporary folder and compares with the committed files byte for byte.
"""
import argparse
import filecmp
import pathlib
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parent.parent
SVG = ROOT / "desktop" / "example.quorvel.Quorvel.svg"
SIZES = (48, 256)


def render(folder: pathlib.Path) -> list[pathlib.Path]:
    written = []
    for size in SIZES:
        target = folder / f"{size}x{size}" / "example.quorvel.Quorvel.png"
        target.parent.mkdir(parents=True, exist_ok=True)
        subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), str(SVG), "-o",
                        str(target)], check=True)
        written.append(target)
    return written


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--check", action="store_true", help="compare instead of writing")
    args = parser.parse_args()
    icons = ROOT / "desktop" / "icons"
    if not args.check:
        for path in render(icons):
            print(path.relative_to(ROOT))
        return 0
    with tempfile.TemporaryDirectory() as scratch:
        differ = [p for p in render(pathlib.Path(scratch))
                  if not filecmp.cmp(p, icons / p.relative_to(scratch), shallow=False)]
    for path in differ:
        print(f"differs: {path.relative_to(scratch)}", file=sys.stderr)
    return 1 if differ else 0


if __name__ == "__main__":
    sys.exit(main())

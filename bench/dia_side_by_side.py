#!/usr/bin/env python3
"""Export speed and memory beside Dia's, on the same diagram, run by hand.

For each size N: `kvdtool gen N` writes the benchmark diagram; this script
writes the same boxes, texts and routes in Dia's format; both programs export
it to PNG headlessly (`dia -n -t cairo-png -e OUT IN`) several times, in
alternation. Printed per N: the median wall-clock and CPU seconds (user +
system) and the largest peak resident memory of each, the picture sizes, and
the ratios this / Dia (wall clock, then CPU) both at 100% and with this
program exporting at Dia's pixel width.

  bench/dia_side_by_side.py --kvdtool build/bench/bin/kvdtool [--sizes 1000,5000] [--runs 3]

Each program runs `--runs` times a size (at least once), in alternation.

Needs Dia (`apt-get install dia`); not part of CI.
"""
import argparse
import json
import os
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import time

# The grid of `kvdtool gen`: boxes 2 x 1 cm at a pitch of 3 x 2 cm, ceil(sqrt(N))
# columns; an even column joins its right neighbour straight, an odd column
# the box one row down and one column right by a right-angle route whose
# middle leg runs halfway between the columns.
BOX_W, BOX_H, PITCH_X, PITCH_Y = 2.0, 1.0, 3.0, 2.0


def columns(n):
    c = 1
    while c * c < n:
        c += 1
    return c


def dia_text(n):
    cols = columns(n)
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           '<dia:diagram xmlns:dia="http://www.lysator.liu.se/~alla/dia/">',
           '<dia:diagramdata><dia:attribute name="background"><dia:color val="#ffffff"/>'
           '</dia:attribute></dia:diagramdata>',
           '<dia:layer name="Background" visible="true" active="true">']

    def box(i):
        x, y = (i % cols) * PITCH_X, (i // cols) * PITCH_Y
        cx, cy = x + BOX_W / 2, y + BOX_H / 2
        out.append(
            f'<dia:object type="Flowchart - Box" version="0" id="B{i}">'
            f'<dia:attribute name="elem_corner"><dia:point val="{x},{y}"/></dia:attribute>'
            f'<dia:attribute name="elem_width"><dia:real val="{BOX_W}"/></dia:attribute>'
            f'<dia:attribute name="elem_height"><dia:real val="{BOX_H}"/></dia:attribute>'
            '<dia:attribute name="border_width"><dia:real val="0.05"/></dia:attribute>'
            '<dia:attribute name="border_color"><dia:color val="#2e5496"/></dia:attribute>'
            '<dia:attribute name="inner_color"><dia:color val="#ebf3fc"/></dia:attribute>'
            '<dia:attribute name="show_background"><dia:boolean val="true"/></dia:attribute>'
            '<dia:attribute name="text"><dia:composite type="text">'
            f'<dia:attribute name="string"><dia:string>#B{i}#</dia:string></dia:attribute>'
            '<dia:attribute name="font"><dia:font family="sans" style="0" name="Helvetica"/></dia:attribute>'
            '<dia:attribute name="height"><dia:real val="0.4"/></dia:attribute>'
            f'<dia:attribute name="pos"><dia:point val="{cx},{cy + 0.14}"/></dia:attribute>'
            '<dia:attribute name="color"><dia:color val="#202020"/></dia:attribute>'
            '<dia:attribute name="alignment"><dia:enum val="1"/></dia:attribute>'
            '</dia:composite></dia:attribute></dia:object>')

    arrow = ('<dia:attribute name="line_color"><dia:color val="#404040"/></dia:attribute>'
             '<dia:attribute name="line_width"><dia:real val="0.07"/></dia:attribute>'
             '<dia:attribute name="end_arrow"><dia:enum val="3"/></dia:attribute>'
             '<dia:attribute name="end_arrow_length"><dia:real val="0.3"/></dia:attribute>'
             '<dia:attribute name="end_arrow_width"><dia:real val="0.3"/></dia:attribute>')

    def link(i, k):
        c = i % cols
        a = ((i % cols) * PITCH_X, (i // cols) * PITCH_Y)
        b = ((k % cols) * PITCH_X, (k // cols) * PITCH_Y)
        if c % 2 == 0:
            y = a[1] + BOX_H / 2
            out.append(f'<dia:object type="Standard - Line" version="0" id="L{i}">'
                       f'<dia:attribute name="conn_endpoints"><dia:point val="{a[0] + BOX_W},{y}"/>'
                       f'<dia:point val="{b[0]},{y}"/></dia:attribute>{arrow}</dia:object>')
        else:
            sy, ey = a[1] + BOX_H / 2, b[1] + BOX_H / 2
            mid = (a[0] + b[0] + BOX_W) / 2
            out.append(f'<dia:object type="Standard - ZigZagLine" version="1" id="L{i}">'
                       '<dia:attribute name="orth_points">'
                       f'<dia:point val="{a[0] + BOX_W},{sy}"/><dia:point val="{mid},{sy}"/>'
                       f'<dia:point val="{mid},{ey}"/><dia:point val="{b[0]},{ey}"/></dia:attribute>'
                       '<dia:attribute name="orth_orient"><dia:enum val="0"/><dia:enum val="1"/>'
                       '<dia:enum val="0"/></dia:attribute>'
                       '<dia:attribute name="autorouting"><dia:boolean val="false"/></dia:attribute>'
                       f'{arrow}</dia:object>')

    for i in range(n):
        box(i)
    for i in range(n):
        c = i % cols
        k = i + 1 if c % 2 == 0 else i + cols + 1
        if k < n and c + 1 < cols:
            link(i, k)
    out.append('</dia:layer></dia:diagram>')
    return '\n'.join(out)


# Each program is started by this small process rather than by the script:
# a child's peak resident memory counts the memory of the process it was
# forked from, and the script holds the large diagrams it writes.
LAUNCHER = r"""
import json, os, subprocess, sys, time
for line in sys.stdin:
    start = time.monotonic()
    p = subprocess.Popen(json.loads(line), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(p.pid, 0)
    wall = time.monotonic() - start
    print(json.dumps([os.waitstatus_to_exitcode(status), wall, usage.ru_utime + usage.ru_stime,
                      usage.ru_maxrss / 1024.0]), flush=True)
"""
_launcher = None


def start_launcher():
    global _launcher
    _launcher = subprocess.Popen([sys.executable, '-c', LAUNCHER], stdin=subprocess.PIPE,
                                 stdout=subprocess.PIPE, text=True)


def run(cmd, out):
    """Wall and CPU seconds and peak resident MiB of one run of cmd; None when it wrote no picture."""
    if os.path.exists(out):
        os.remove(out)
    _launcher.stdin.write(json.dumps(cmd) + '\n')
    _launcher.stdin.flush()
    code, wall, cpu, peak = json.loads(_launcher.stdout.readline())
    if code != 0 or not os.path.exists(out):
        return None
    return wall, cpu, peak


def png_size(path):
    with open(path, 'rb') as f:
        head = f.read(24)
    return struct.unpack('>II', head[16:24])


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument('--kvdtool', required=True)
    ap.add_argument('--sizes', default='1000,5000,20000,40000')
    ap.add_argument('--runs', type=int, default=3)
    ap.add_argument('--dia', default=shutil.which('dia') or 'dia')
    args = ap.parse_args()
    os.environ.setdefault('QT_QPA_PLATFORM', 'offscreen')
    start_launcher()
    if not shutil.which(args.dia):
        sys.exit('Dia is not installed')
    env_note = 'cells: wall s / CPU s (user + system) / MiB peak resident; ratios: wall, CPU'
    print(f'{"N":>7} {"this 100%":>26} {"Dia":>26} {"this at Dia px":>26} {"px this":>13} {"px Dia":>13}'
          f' {"100%/Dia":>11} {"same px/Dia":>11}')
    with tempfile.TemporaryDirectory() as work:
        for n in [int(s) for s in args.sizes.split(',')]:
            kvd, dia = os.path.join(work, f'g{n}.kvd'), os.path.join(work, f'g{n}.dia')
            subprocess.run([args.kvdtool, 'gen', str(n), kvd], check=True, stderr=subprocess.DEVNULL)
            with open(dia, 'w') as f:
                f.write(dia_text(n))
            ours_png, dia_png = os.path.join(work, 'ours.png'), os.path.join(work, 'dia.png')
            same_png = os.path.join(work, 'same.png')
            ours_cmd = [args.kvdtool, 'export', kvd, ours_png, '--scale', '100']
            dia_cmd = [args.dia, '-n', '-t', 'cairo-png', '-e', dia_png, dia]
            walls = {k: [] for k in ('ours', 'dia', 'same')}
            times = {k: [] for k in walls}
            peaks = {k: 0.0 for k in walls}

            def note(key, r):
                if r:
                    walls[key].append(r[0])
                    times[key].append(r[1])
                    peaks[key] = max(peaks[key], r[2])
                return r

            # One run of each first, for the pixel sizes; it counts as the
            # first of the runs (Dia takes most of a minute at 40,000 boxes).
            if not note('dia', run(dia_cmd, dia_png)):
                sys.exit(f'Dia could not export {n} boxes')
            dw, dh = png_size(dia_png)
            # The scale that gives Dia's width: 100% is the screen's pixels per
            # logical unit, so one export at 100% tells it.
            ours_ok = note('ours', run(ours_cmd, ours_png))
            ow, oh = png_size(ours_png) if ours_ok else (0, 0)
            same_cmd = [args.kvdtool, 'export', kvd, same_png, '--width', str(dw)]
            note('same', run(same_cmd, same_png))
            jobs = (('ours', ours_cmd, ours_png), ('dia', dia_cmd, dia_png), ('same', same_cmd, same_png))
            for _ in range(args.runs - 1):
                for key, cmd, out in jobs:
                    note(key, run(cmd, out))
            wall = {k: statistics.median(v) if v else None for k, v in walls.items()}
            med = {k: statistics.median(v) if v else None for k, v in times.items()}

            def cell(k):
                return f'{wall[k]:5.2f} / {med[k]:5.2f} s {peaks[k]:5.0f} MiB' if med[k] else 'fails'

            def ratio(k):
                return f'{wall[k] / wall["dia"]:.3f} {med[k] / med["dia"]:.2f}' if med[k] else '-'
            print(f'{n:>7} {cell("ours"):>26} {cell("dia"):>26} {cell("same"):>26}'
                  f' {f"{ow}x{oh}":>13} {f"{dw}x{dh}":>13} {ratio("ours"):>11} {ratio("same"):>11}', flush=True)
    print(env_note)


if __name__ == '__main__':
    main()

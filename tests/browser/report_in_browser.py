#!/usr/bin/env python3
"""Renders the demo's HTML report in headless Chromium and fails on what a reader would see as
broken: a console message (an error, an exception), a missing section, a page wider than the
window, a picture of no size or with a text outside its own area, or a blank screenshot.

usage: report_in_browser.py DRIVESYS CHROMIUM WORK [--screenshot-to PNG]

Runs `drivesys demo` into WORK/browser-demo, then Chromium three times on fresh profiles (each
with the flags this machine's closed network needs): once on the report itself with console
logging, once on a copy with a probe script appended that writes the layout it measures into the
DOM (read back with --dump-dom), once for a screenshot (WORK/report.png; --screenshot-to copies it,
which is how docs/images/report.png is made)."""
import json
import pathlib
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

SECTIONS = ["warnings", "model", "modes", "campbell", "critical-speeds", "mode-shapes", "forced-response"]
WIDTH, HEIGHT = 1280, 2400

PROBE = """<script>
(() => {
  const r = {scrollWidth: document.documentElement.scrollWidth, innerWidth: window.innerWidth, sections: {}, svgs: [], texts: []};
  for (const id of %s) {
    const e = document.getElementById(id);
    r.sections[id] = e ? e.getBoundingClientRect().height : -1;
  }
  document.querySelectorAll("svg").forEach((svg, i) => {
    const b = svg.getBoundingClientRect();
    r.svgs.push({i, left: b.left, right: b.right, width: b.width, height: b.height});
    const box = svg.viewBox.baseVal;
    svg.querySelectorAll("text").forEach(t => {
      const tb = t.getBBox();
      if (!t.textContent.trim()) return;
      // Rotated labels: their box in the picture's frame.
      const m = t.getCTM(), s = svg.getCTM();
      const p = [[tb.x, tb.y], [tb.x + tb.width, tb.y + tb.height]].map(([x, y]) => {
        const q = new DOMPoint(x, y).matrixTransform(s.inverse().multiply(m));
        return [q.x, q.y];
      });
      const x0 = Math.min(p[0][0], p[1][0]), x1 = Math.max(p[0][0], p[1][0]);
      const y0 = Math.min(p[0][1], p[1][1]), y1 = Math.max(p[0][1], p[1][1]);
      if (x0 < box.x - 2 || y0 < box.y - 2 || x1 > box.x + box.width + 2 || y1 > box.y + box.height + 2)
        r.texts.push({svg: i, text: t.textContent, box: [x0, y0, x1, y1], view: [box.width, box.height]});
    });
  });
  document.body.setAttribute("data-probe", JSON.stringify(r));
})();
</script>""" % json.dumps(SECTIONS)


def chromium(browser, args, url):
    """Runs headless Chromium on url; returns (stdout, stderr)."""
    with tempfile.TemporaryDirectory() as profile:
        cmd = [browser, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
               "--disable-background-networking", "--disable-component-update", "--disable-sync",
               f"--user-data-dir={profile}", "--hide-scrollbars", f"--window-size={WIDTH},{HEIGHT}", *args, url]
        done = subprocess.run(cmd, capture_output=True, text=True, timeout=120)
        return done.stdout, done.stderr


def png_pixels(path):
    """(width, height, rows of (r, g, b)) of an 8-bit RGB or RGBA PNG, not interlaced."""
    data = pathlib.Path(path).read_bytes()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, color, _, _, interlace = header
    if depth != 8 or color not in (2, 6) or interlace:
        raise ValueError(f"PNG of depth {depth}, colour type {color}, interlace {interlace} is not read here")
    bpp = 3 if color == 2 else 4
    raw, stride, rows, prev = zlib.decompress(idat), width * bpp, [], bytearray(width * bpp)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b, c = prev[i], prev[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append([tuple(line[x * bpp:x * bpp + 3]) for x in range(width)])
        prev = line
    return width, height, rows


def main() -> int:
    cli, browser, work = sys.argv[1], sys.argv[2], pathlib.Path(sys.argv[3])
    target = sys.argv[5] if len(sys.argv) > 5 and sys.argv[4] == "--screenshot-to" else None
    if not shutil.which(browser) and not pathlib.Path(browser).exists():
        print(f"{browser} not found: scripts/install-deps.sh installs the Debian package chromium")
        return 1
    out = work / "browser-demo"
    shutil.rmtree(out, ignore_errors=True)
    subprocess.run([cli, "demo", "--out", str(out)], check=True, stdout=subprocess.DEVNULL)
    report = out / "report" / "report.html"
    faults = []

    # 1. Console messages of the report as it is.
    _, err = chromium(browser, ["--enable-logging=stderr", "--v=0", "--dump-dom"], report.as_uri())
    for line in err.splitlines():
        if "CONSOLE" in line or "Uncaught" in line:
            faults.append(f"console: {line.strip()}")

    # 2. Layout, measured by a probe appended to a copy.
    probe = out / "report" / "probe.html"
    probe.write_text(report.read_text(encoding="utf-8").replace("</body>", PROBE + "</body>"), encoding="utf-8")
    dom, _ = chromium(browser, ["--dump-dom"], probe.as_uri())
    match = re.search(r'data-probe="([^"]*)"', dom)
    if not match:
        faults.append("the page did not run to its end (no layout measured)")
    else:
        r = json.loads(match.group(1).replace("&quot;", '"').replace("&amp;", "&").replace("&lt;", "<").replace("&gt;", ">"))
        if r["scrollWidth"] > r["innerWidth"]:
            faults.append(f"page wider than the window: {r['scrollWidth']} px in {r['innerWidth']} px")
        for sid, height in r["sections"].items():
            if height < 0:
                faults.append(f"section #{sid} is missing")
            elif height < 20:
                faults.append(f"section #{sid} is empty ({height} px high)")
        if len(r["svgs"]) < 3:
            faults.append(f"only {len(r['svgs'])} pictures")
        for s in r["svgs"]:
            if s["width"] < 200 or s["height"] < 100:
                faults.append(f"picture {s['i']} is {s['width']} x {s['height']} px")
            if s["right"] > r["innerWidth"] + 0.5:
                faults.append(f"picture {s['i']} reaches past the window ({s['right']} px)")
        for t in r["texts"]:
            faults.append(f"picture {t['svg']}: text {t['text']!r} outside the picture ({t['box']} in {t['view']})")

    # 3. Screenshot: not blank.
    shot = work / "report.png"
    chromium(browser, [f"--screenshot={shot}"], report.as_uri())
    width, height, rows = png_pixels(shot)
    if (width, height) != (WIDTH, HEIGHT):
        faults.append(f"screenshot of {width} x {height} px")
    ink = sum(1 for row in rows[::4] for p in row[::4] if max(p) < 200)
    colours = len({p for row in rows[::8] for p in row[::8]})
    share = ink / (len(rows[::4]) * len(rows[0][::4]))
    if share < 0.01 or colours < 8:
        faults.append(f"blank screenshot: {share:.2%} of the pixels dark, {colours} colours")
    if target:
        shutil.copyfile(shot, target)

    for f in faults:
        print(f)
    print(f"{len(faults)} faults; screenshot {shot} ({share:.1%} dark pixels, {colours} colours)")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())

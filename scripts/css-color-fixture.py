#!/usr/bin/env python3
"""Writes tests/data/css-colors.tsv: how headless Chromium reads a table of CSS color strings.

Each string is handed to Chromium's own parser in one page (CSS.supports and getComputedStyle);
the page turns each color into 8-bit sRGB and the script writes one row per string:

    text <TAB> #rrggbb or "invalid" <TAB> exact red green blue (0..255) <TAB> source <TAB> computed

- Colors Chromium computes as rgb() (hex, names, rgb(), hsl(), hwb()) keep Chromium's own bytes,
  which are also their exact values: Chromium keeps these colors as bytes (source "browser").
- Other colors inside sRGB are drawn 1x1 onto a 2D canvas as `color(from X srgb r g b / 1)` (the
  alpha forced to 1, so that a transparent color keeps its channels) and the pixel is read back:
  Chromium's own conversion and rounding (source "browser").
- Chromium (here 156) clips a color outside sRGB channel by channel when it draws it, instead of
  the gamut mapping of CSS Color 4. Those rows (source "gamut-map") run the CSS Color 4 OKLCH chroma
  reduction (binary search on chroma, deltaEOK, JND 0.02, epsilon 0.0001) inside the page, with
  every conversion (to OKLCH, to sRGB, to OKLab) done by Chromium through relative color syntax;
  the expected bytes are the mapped sRGB rounded half up. The clipped pixel Chromium drew is kept
  in the computed column after " clipped ".
- Chromium clamps an hsl() saturation above 100% to 100% (and clips one written as a plain number),
  where CSS Color 4 keeps it and the color lies outside sRGB. Those rows are gamut-mapped as above
  from the same color written as color(srgb ...), by CSS Color 4's hslToRgb (HSL_OUTSIDE_SRGB).

Usage: scripts/css-color-fixture.py [OUTPUT]   (installs Debian's chromium when it is missing)
"""
import html
import json
import os
import pathlib
import random
import re
import shutil
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parent.parent


def strings():
    fixed = [
        # Hex and names.
        "#f80", "#F80c", "#1a2b3c", "#11223344", "#abc", "#ABCDEF", "#12", "#12345", "#1234567",
        "#ggg", "#", "rebeccapurple", "RebeccaPurple", "aliceblue", "YELLOWGREEN", "grey", "blu",
        "red", "navy", "  teal  ",
        # rgb() in both syntaxes.
        "rgb(255, 0, 0)", "RGBA(255,0,0,0.5)", "rgb(127.5 300 -4 / 50%)", "rgb(50%, 100%, 0%)",
        "rgba(10% 20 1e2 / .5)", "rgb(0.4 0.5 0.6)", "rgb(1.5 2.5 3.5)", "rgb(none 128 none)",
        "rgb(none, 0, 0)", "rgb(10%, 20, 30)", "rgb(1 2 3 4)", "rgb(1, 2 3)", "rgb(1 2 3 /)",
        "rgb(1,2,3 / 1)", "rgb(1 2 3 / 1deg)", "rgb(5. 0 0)", "rgb(1e3 0 0)", "rgb (1,2,3)",
        "rgb(1,2,3))", "rgb(1,2)", "rgb(0 0 0 / none)", "rgb(33.3% 66.7% 99.9%)",
        "rgb(20% 40 60%)", "rgba(1 2 3)", "rgb(255 255 255 / 0)", "rgb(1deg 2 3)",
        # hsl() in both syntaxes, plain numbers above 100 and below 0.
        "hsl(120, 100%, 25%)", "hsl(-120deg 100 50)", "hsla(0.5TURN, 100%, 50%, 30%)",
        "hsl(300grad 100% 50% / 1)", "hsl(0, 0, 0)", "hsl(10%, 50%, 50%)", "hsl(0 150 30)",
        "hsl(0 150 50)", "hsl(200 120 60)", "hsl(45 250 40)", "hsl(0 -50 30)", "hsl(0 50 -30)",
        "hsl(0 50 130)", "hsl(90 100.4 50)", "hsl(none 100% 50%)", "hsl(30 none 50)",
        "hsl(30 60% none)", "hsl(none, 100%, 50%)", "hsl(1rad 80% 40%)", "hsl(0.25turn 50 50)",
        "hsl(210 30% 45% / none)", "hsl(33.3 33.3% 33.3%)", "hsl(123.456deg 78.9% 12.3%)",
        "hsl(0 100% 50%", "hsl(720 100% 50%)", "hsl(-30 100% 50%)", "hsl(60 200% 20%)",
        # hwb().
        "hwb(0 30% 20%)", "hwb(0 30 20)", "hwb(0, 30%, 20%)", "hwb(120 70% 50%)", "hwb(240 0% 0%)",
        "hwb(90deg 10% 10% / 0.5)", "hwb(none 20% 30%)", "hwb(200 none 40%)", "hwb(200 40% none)",
        "hwb(0 -10 20)", "hwb(300 100% 100%)", "hwb(0.5turn 25% 25%)", "hwb(10 20 30 40)",
        "hwb(45 12.5% 37.5%)", "hwb(0 30% 20)",
        # lab() and lch().
        "lab(50 20 -30)", "lab(50% 50% 20)", "lab(100 0 0)", "lab(0 0 0)", "lab(120 0 0)",
        "lab(-10 0 0)", "lab(50 none 20)", "lab(none 10 10)", "lab(62.2345 -34.9638 47.7721)",
        "lab(50 100 -100)", "lab(90 -80 90)", "lab(30 60 -90 / 0.3)", "lab(50, 20, -30)",
        "lab(50 20)", "lab(50 20 -30 40)", "lab(50deg 20 -30)", "LAB(40 30 20)",
        "lch(50 30 40)", "lch(50 -20 30)", "lch(70 40 120deg)", "lch(70 40 0.5turn)",
        "lch(50% 50% 200)", "lch(60 none 100)", "lch(60 50 none)", "lch(30 130 300)",
        "lch(95 80 100)", "lch(50 30 40%)", "lch(50, 30, 40)", "Lch(20 10 10)",
        # oklab() and oklch().
        "oklab(0.5 0.1 -0.1)", "oklab(50% 50% 20%)", "oklab(1 0 0)", "oklab(0 0 0)",
        "oklab(1.5 0 0)", "oklab(-0.5 0 0)", "oklab(0.7 none 0.05)", "oklab(62.8% 0.225 0.126)",
        "oklab(0.8 0.3 0.3)", "oklab(0.5 0.1 -0.1 / 50%)", "oklab(0.5, 0.1, -0.1)",
        "oklch(0.7 0.1 150)", "oklch(0.7 0.4 150)", "oklch(62.8% 0.2577 29.23)",
        "oklch(0.627966 0.257704 29.2346)", "oklch(1.2 0.1 20)", "oklch(0.5 0.1 none)",
        "oklch(0.5 -0.1 20)", "oklch(0.5 50% 20)", "oklch(none 0.1 20)", "oklch(0.5 none 20)",
        "oklch(0.9 0.3 100deg)", "oklch(0.3 0.3 270)", "oklch(0.5 0.1 1rad)", "oklch(0.5 0.1 5%)",
        "oklch(0.5 0.1)", "OKLCH(0.6 0.15 200)", "oklch(0.99 0.05 90)", "oklch(0.01 0.05 90)",
        "oklch(0.8 0.37 145 / 0.8)",
        # color() in each predefined space.
        "color(srgb 1 0.5 0)", "color(srgb 50% 1 0)", "color(srgb 1.2 0.5 0)",
        "color(srgb -0.1 0.5 0.5)", "color(srgb none 0.5 0.5)", "color(srgb 0.5 0.5 0.5 / 0.5)",
        "color(srgb-linear 0.5 0.2 0.1)", "color(srgb-linear 0.214 0.214 0.214)",
        "color(srgb-linear 1.5 0 0)", "color(display-p3 0 1 0)", "color(display-p3 0.5 0.4 0.3)",
        "color(display-p3 1 1 1)", "color(display-p3 0.9 0.2 0.1)", "color(a98-rgb 0.5 0.5 0.5)",
        "color(a98-rgb 0 1 0)", "color(a98-rgb 0.8 0.3 0.2)", "color(prophoto-rgb 0.5 0.5 0.5)",
        "color(prophoto-rgb 0.2 0.6 0.1)", "color(prophoto-rgb 0.6 0.4 0.3)",
        "color(rec2020 0.5 0.5 0.5)", "color(rec2020 0 1 0)", "color(rec2020 0.6 0.3 0.2)",
        "color(xyz 0.3 0.3 0.3)", "color(xyz-d65 0.2 0.3 0.4)", "color(xyz-d50 0.2 0.3 0.4)",
        "color(xyz-d50 0.9642 1 0.8249)", "color(xyz 0.9505 1 1.089)", "color(xyz 50% 50% 50%)",
        "color(xyz 0.5 0.1 0.1)", "COLOR(Display-P3 0.2 0.4 0.6)", "color(srgb 1 0.5)",
        "color(srgb 1 0.5 0 0)", "color(srgb, 1, 0.5, 0)", "color(cmyk 1 0 0 0)",
        "color(srgb 1 0.5 0deg)", "color(display-p3)", "color(1 0.5 0)", "color(sRGB 0 0 1)",
        "color(rec2020 none none none)", "color(xyz-d50 0.1 none 0.1)",
    ]
    rng = random.Random(20261208)
    r = lambda lo, hi, digits=3: round(rng.uniform(lo, hi), digits)
    generated = []
    for _ in range(40):
        generated.append(f"oklch({r(0.02, 0.98)} {r(0, 0.37)} {r(0, 360, 2)})")
    for _ in range(25):
        generated.append(f"oklab({r(0.02, 0.98)} {r(-0.3, 0.3)} {r(-0.3, 0.3)})")
    for _ in range(30):
        generated.append(f"lab({r(1, 99, 2)} {r(-100, 100, 2)} {r(-100, 100, 2)})")
    for _ in range(25):
        generated.append(f"lch({r(1, 99, 2)} {r(0, 120, 2)} {r(0, 360, 2)})")
    for _ in range(15):
        generated.append(f"hwb({r(0, 360, 1)} {r(0, 60, 1)}% {r(0, 60, 1)}%)")
    for _ in range(15):
        generated.append(f"hsl({r(0, 360, 1)} {r(0, 100, 1)}% {r(0, 100, 1)}%)")
    spaces = ["srgb", "srgb-linear", "display-p3", "a98-rgb", "prophoto-rgb", "rec2020", "xyz",
              "xyz-d50", "xyz-d65"]
    for space in spaces:
        for _ in range(6):
            generated.append(f"color({space} {r(0, 1)} {r(0, 1)} {r(0, 1)})")
    return fixed + generated


# hsl() texts with a saturation above 100, and the same colors by CSS Color 4's hslToRgb.
HSL_OUTSIDE_SRGB = {
    "hsl(0 150 30)": "color(srgb 0.75 -0.15 -0.15)",
    "hsl(0 150 50)": "color(srgb 1.25 -0.25 -0.25)",
    "hsl(200 120 60)": "color(srgb 0.12 0.76 1.08)",
    "hsl(45 250 40)": "color(srgb 1.4 0.9 -0.6)",
    "hsl(90 100.4 50)": "color(srgb 0.5 1.002 -0.002)",
    "hsl(60 200% 20%)": "color(srgb 0.6 0.6 -0.2)",
}


PAGE = """<!doctype html><html><body><div id="probe"></div>
<canvas id="canvas" width="1" height="1"></canvas><pre id="out"></pre><script>
const texts = %s;
const hslOutsideSrgb = %s;
const probe = document.getElementById("probe");
const context = document.getElementById("canvas").getContext("2d", {colorSpace: "srgb", willReadFrequently: true});
function computed(text) { probe.style.color = ""; probe.style.color = text; return getComputedStyle(probe).color; }
function numbers(text) { return text.replace(/^[a-z-]+\\(([a-z][a-z0-9-]* )?/, "").replace(/[\\/)].*$/, "").trim().split(/[\\s,]+/).map(v => v === "none" ? 0 : Number(v)); }
const srgb = text => numbers(computed("color(from " + text + " srgb r g b / 1)"));
const oklab = text => numbers(computed("oklab(from " + text + " l a b / 1)"));
const oklch = text => numbers(computed("oklch(from " + text + " l c h / 1)"));
const inGamut = rgb => rgb.every(v => v >= 0 && v <= 1);
const clip = rgb => rgb.map(v => Math.min(1, Math.max(0, v)));
const srgbText = rgb => "color(srgb " + rgb.join(" ") + ")";
function deltaEOK(first, second) { const a = oklab(first), b = oklab(second); return Math.hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]); }
// CSS Color 4, "Binary search gamut mapping with local MINDE", to sRGB.
function gamutMap(text) {
  const [l, c, h] = oklch(text);
  if (l >= 1) return [1, 1, 1];
  if (l <= 0) return [0, 0, 0];
  const origin = srgb(text);
  if (inGamut(origin)) return origin;
  const jnd = 0.02, epsilon = 0.0001;
  const current = chroma => "oklch(" + l + " " + chroma + " " + h + ")";
  let clipped = clip(srgb(current(c)));
  if (deltaEOK(srgbText(clipped), current(c)) < jnd) return clipped;
  let min = 0, max = c, minInGamut = true;
  while (max - min > epsilon) {
    const chroma = (min + max) / 2;
    const rgb = srgb(current(chroma));
    if (minInGamut && inGamut(rgb)) { min = chroma; continue; }
    clipped = clip(rgb);
    const e = deltaEOK(srgbText(clipped), current(chroma));
    if (e < jnd) {
      if (jnd - e < epsilon) return clipped;
      minInGamut = false;
      min = chroma;
    } else {
      max = chroma;
    }
  }
  return clipped;
}
function pixel(text) {
  context.clearRect(0, 0, 1, 1);
  context.fillStyle = "#000";
  context.fillStyle = "color(from " + text + " srgb r g b / 1)";
  context.fillRect(0, 0, 1, 1);
  return Array.from(context.getImageData(0, 0, 1, 1).data.slice(0, 3));
}
const hex = bytes => "#" + bytes.map(v => v.toString(16).padStart(2, "0")).join("");
const exact = rgb => rgb.map(v => (v * 255).toFixed(4)).join(" ");
const rows = texts.map(text => {
  if (!CSS.supports("color", text)) return [text, "invalid", "", "", ""];
  const style = computed(text);
  const same = hslOutsideSrgb[text];
  const floats = srgb(same || text);
  if (style.startsWith("rgb") && !same) {
    const bytes = numbers(style).slice(0, 3);
    return [text, hex(bytes), bytes.map(v => v.toFixed(4)).join(" "), "browser", style];
  }
  if (inGamut(floats)) return [text, hex(pixel(text)), exact(floats), "browser", style];
  const mapped = gamutMap(same || text);
  return [text, hex(mapped.map(v => Math.floor(v * 255 + 0.5))), exact(mapped), "gamut-map",
          style + " clipped " + hex(pixel(text))];
});
document.getElementById("out").textContent = JSON.stringify(rows);
</script></body></html>
"""


def main():
    out = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else ROOT / "tests/data/css-colors.tsv"
    if not shutil.which("chromium"):
        sudo = [] if os.geteuid() == 0 else ["sudo"]
        subprocess.run(sudo + ["apt-get", "update", "-qq"], check=True)
        subprocess.run(sudo + ["apt-get", "install", "-y", "-qq", "chromium"], check=True,
                       env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))
    texts = strings()
    with tempfile.TemporaryDirectory() as work:
        page = pathlib.Path(work) / "colors.html"
        page.write_text(PAGE % (json.dumps(texts), json.dumps(HSL_OUTSIDE_SRGB)), encoding="utf-8")
        dom = subprocess.run(["chromium", "--headless", "--disable-gpu", "--no-sandbox",
                              f"--user-data-dir={work}/profile", "--dump-dom", page.as_uri()],
                             check=True, capture_output=True, text=True).stdout
    rows = json.loads(html.unescape(re.search(r'<pre id="out">(.*?)</pre>', dom, re.S).group(1)))
    version = subprocess.run(["chromium", "--version"], capture_output=True, text=True).stdout.strip()
    with open(out, "w", encoding="utf-8", newline="\n") as file:
        file.write(f"# {version}; written by scripts/css-color-fixture.py\n")
        for row in rows:
            file.write("\t".join(row) + "\n")
    mapped = sum(row[3] == "gamut-map" for row in rows)
    rejected = sum(row[1] == "invalid" for row in rows)
    print(f"{len(rows)} colors, {rejected} rejected, {mapped} gamut-mapped: {out}")


main()

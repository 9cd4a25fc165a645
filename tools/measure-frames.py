#!/usr/bin/env python3
"""What a frame costs the machine, in the native window and in the page: the same seeded autoplay
game runs from the title until it ends (the K-th wait in state S), once drawing (--render full) and
once drawing nothing (--render none); the CPU time the drawn run costs more, over the frames it
presented, is the cost of drawing and presenting one frame.

    tools/measure-frames.py [--program PATH] [--site DIR] [--seed N] [--until S:K] [--runs N]

The native program runs in a window on its own Xvfb; it counts as the program's CPU time plus the X
server's (which copies each frame into the screen). The page runs in headless Chromium; it counts
as the CPU time of all Chromium's processes, and of the page's main thread alone (DevTools'
TaskDuration). Frames are the window's SDL_UpdateWindowSurface(Rects) calls (counted by a small
library preloaded into the program, which also times them) and the page's putImageData calls on
the canvas's offscreen twin (counted and timed by a script the page gets before its own). The
clocks start once the title first waits, so loading the data and fonts, which only the drawn run
does, is left out.

What the browser costs on its own: a bare page puts the same blocks on a canvas like the game's at
the same moments, with no program behind them, against the same page whose timers fire and put
nothing. That is the least any page showing these frames can cost this browser on this machine.
"""
import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "web"))
from browser import Session, skip_reason  # noqa: E402
from xwindow import VirtualDisplay  # noqa: E402
from measuring import own_profile  # noqa: E402

TICKS = os.sysconf("SC_CLK_TCK")

# Preloaded into the native program: times each call that sends a frame to the X server (it waits
# for the server to take it), and the whole sending from the fetch of the window's buffer on (the
# frame copied into it, then sent), and reports both on standard error next to the program's marks.
COUNTER_C = r"""
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <time.h>
static double fetched = -1;
static double now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}
static void report(double start) {
    double end = now();
    fprintf(stderr, "pakaponta: present %.4f %.4f\n", end - start, end - (fetched >= 0 ? fetched : start));
    fetched = -1;
}
void* SDL_GetWindowSurface(void* window) {
    static void* (*real)(void*);
    if (!real) real = (void* (*)(void*))dlsym(RTLD_NEXT, "SDL_GetWindowSurface");
    fetched = now();
    return real(window);
}
int SDL_UpdateWindowSurfaceRects(void* window, const void* rects, int count) {
    static int (*real)(void*, const void*, int);
    if (!real) real = (int (*)(void*, const void*, int))dlsym(RTLD_NEXT, "SDL_UpdateWindowSurfaceRects");
    double start = now();
    int result = real(window, rects, count);
    report(start);
    return result;
}
int SDL_UpdateWindowSurface(void* window) {
    static int (*real)(void*);
    if (!real) real = (int (*)(void*))dlsym(RTLD_NEXT, "SDL_UpdateWindowSurface");
    double start = now();
    int result = real(window);
    report(start);
    return result;
}
"""

# Given to the page before its own script: adds the options to the program's command line, turns
# on the program's marks, and counts and times putImageData from the title on.
PAGE_JS = r"""
(function () {
  var m = window.__measure = {phase: 'loading', frames: 0, putMs: [], puts: [], startMs: 0, endMs: 0};
  var put = OffscreenCanvasRenderingContext2D.prototype.putImageData;
  OffscreenCanvasRenderingContext2D.prototype.putImageData = function () {
    var start = performance.now();
    put.apply(this, arguments);
    if (m.phase === 'title') {
      m.frames++;
      m.putMs.push(performance.now() - start);
      m.puts.push([start - m.startMs].concat(Array.prototype.slice.call(arguments, 3, 7)));
    }
  };
  Object.defineProperty(window, 'Module', {configurable: true, set: function (module) {
    Object.defineProperty(window, 'Module', {value: module, writable: true, configurable: true});
    module.arguments = module.arguments.concat(EXTRA_ARGUMENTS);
    module.preRun = (module.preRun || []).concat([function () { ENV.PAKAPONTA_STARTUP_LOG = '1'; }]);
    module.printErr = function (text) {
      if (!/^pakaponta: /.test(text)) console.error(text);
      else if (m.phase === 'loading' && / title /.test(text)) { m.phase = 'title'; m.startMs = performance.now(); }
    };
    var onExit = module.onExit;
    module.onExit = function (status) {
      if (m.phase === 'ended') return;
      m.endMs = performance.now();
      m.phase = 'ended';
      m.status = status;
      onExit(status);
    };
  }});
})();
"""


# The bare page: start(puts, draw) replays [ms, x, y, width, height] blocks of an opaque picture like
# the game's, each changing what it covers, or only fires the timers when draw is false.
REPLAY_HTML = r"""<!doctype html>
<html><head><style>html, body { margin: 0; background: #000; } canvas { display: block; }</style></head>
<body><canvas width="800" height="600"></canvas><script>
var context = document.querySelector('canvas').transferControlToOffscreen().getContext('2d');
var image = new ImageData(800, 600);
for (var i = 3; i < image.data.length; i += 4) image.data[i] = 255;
window.replayed = -1;
window.start = function (puts, draw) {
  var origin = performance.now(), next = 0;
  window.replayed = 0;
  (function step() {
    for (; next < puts.length && puts[next][0] <= performance.now() - origin; next++) {
      var p = puts[next];
      if (draw) {
        image.data[(p[2] * 800 + p[1]) * 4] ^= 255;
        context.putImageData(image, 0, 0, p[1], p[2], p[3], p[4]);
      }
      window.replayed++;
    }
    if (next < puts.length) setTimeout(step, Math.max(0, puts[next][0] - (performance.now() - origin)));
  })();
};
</script></body></html>
"""


def process_seconds(pid):
    try:
        with open(f"/proc/{pid}/stat", encoding="ascii") as stat:
            fields = stat.read().rsplit(")", 1)[1].split()
    except FileNotFoundError:
        return 0.0
    return (int(fields[11]) + int(fields[12])) / TICKS


def tree_seconds(root):
    """CPU seconds of a process and all its descendants, keyed by pid."""
    children = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat", encoding="ascii") as stat:
                    parent = int(stat.read().rsplit(")", 1)[1].split()[1])
            except (FileNotFoundError, ProcessLookupError):
                continue
            children.setdefault(parent, []).append(int(entry))
    seconds, todo = {}, [root]
    while todo:
        pid = todo.pop()
        seconds[pid] = process_seconds(pid)
        todo += children.get(pid, [])
    return seconds


def spent(before, after):
    return sum(after[pid] - before.get(pid, 0.0) for pid in after)


def native_run(program, counter, display, args):
    env = dict(os.environ, DISPLAY=display.name, PAKAPONTA_STARTUP_LOG="1", LD_PRELOAD=counter,
               SDL_AUDIODRIVER="dummy")
    with own_profile() as profile:
        process = subprocess.Popen([program] + args + profile, env=env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.PIPE, text=True)
        start, present_ms, send_ms = None, [], []
        for line in process.stderr:
            parts = line.split()
            if parts[:2] == ["pakaponta:", "title"] and start is None:
                start = (process_seconds(process.pid), process_seconds(display.process.pid), time.monotonic())
            elif parts[:2] == ["pakaponta:", "present"] and start is not None:
                present_ms.append(float(parts[2]))
                send_ms.append(float(parts[3]))
        # Read the ended program's times before it is reaped.
        os.waitid(os.P_PID, process.pid, os.WEXITED | os.WNOWAIT)
        end = (process_seconds(process.pid), process_seconds(display.process.pid), time.monotonic())
        process.wait()
    if process.returncode != 0 or start is None:
        sys.exit(f"the native program did not get from the title to the end (status {process.returncode})")
    return {"frames": len(present_ms), "present_ms": present_ms, "send_ms": send_ms, "cpu": end[0] - start[0],
            "cpu_all": end[0] - start[0] + end[1] - start[1], "wall": end[2] - start[2]}


def page_state(session):
    return session.evaluate("window.__measure && window.__measure.phase")


def main_thread_seconds(session):
    """The page's main thread: all its tasks, and the script (JavaScript and WebAssembly) in them."""
    metrics = {m["name"]: m["value"] for m in session.call("Performance.getMetrics")["metrics"]}
    return metrics["TaskDuration"], metrics["ScriptDuration"]


def browser_run(site, args, query, timeout):
    session = Session(site)
    try:
        session.call("Performance.enable")
        session.call("Page.addScriptToEvaluateOnNewDocument",
                     source=PAGE_JS.replace("EXTRA_ARGUMENTS", json.dumps(args)))
        session.open(query)
        deadline = time.time() + timeout
        snapshots = []
        for phase in ("title", "ended"):
            while page_state(session) != phase:
                if time.time() > deadline:
                    sys.exit(f"the page did not reach '{phase}'")
                time.sleep(0.05)
            snapshots.append((tree_seconds(session.process.pid), main_thread_seconds(session)))
        page = session.evaluate("window.__measure")
        if page["status"] != 0:
            sys.exit(f"the page's program ended with status {page['status']}")
        return {"frames": page["frames"], "present_ms": page["putMs"], "puts": page["puts"],
                "cpu": snapshots[1][1][0] - snapshots[0][1][0], "script": snapshots[1][1][1] - snapshots[0][1][1],
                "cpu_all": spent(snapshots[0][0], snapshots[1][0]),
                "wall": (page["endMs"] - page["startMs"]) / 1000.0}
    finally:
        session.close()


def replay_run(puts, draw):
    """The bare page replaying the frames of a page run."""
    with tempfile.TemporaryDirectory() as site:
        with open(os.path.join(site, "index.html"), "w", encoding="ascii") as page:
            page.write(REPLAY_HTML)
        session = Session(site)
        try:
            session.open("")
            session.wait_for("the bare page", "window.replayed === -1")
            # The browser's own start-up work dies down meanwhile, as it does while the game loads.
            time.sleep(3)
            before, start = tree_seconds(session.process.pid), time.monotonic()
            session.evaluate(f"start({json.dumps(puts)}, {json.dumps(draw)})")
            session.wait_for("the replay's end", f"window.replayed === {len(puts)}",
                             timeout=puts[-1][0] / 1000 + 60)
            return {"frames": len(puts), "cpu_all": spent(before, tree_seconds(session.process.pid)),
                    "wall": time.monotonic() - start}
        finally:
            session.close()


def median_of(runs, key):
    return statistics.median(run[key] for run in runs)


def report(name, full, none, cpu_name, all_name, present_name):
    frames = sorted({run["frames"] for run in full})
    n = frames[len(frames) // 2]
    print(f"{name}: {'/'.join(map(str, frames))} frames in {median_of(full, 'wall'):.1f} s "
          f"(drawing nothing {median_of(none, 'wall'):.1f} s)")
    result = {}
    rows = [("cpu", cpu_name), ("script", "  of it script"), ("cpu_all", all_name)]
    for key, label in (row for row in rows if row[0] in full[0]):
        drawn, bare = median_of(full, key), median_of(none, key)
        result[key] = (drawn - bare) * 1000.0 / n
        print(f"  {label:34} {drawn:7.2f} s drawing, {bare:7.2f} s not: {result[key]:.3f} ms a frame")
    for key, label in (("present_ms", present_name), ("send_ms", "copied into the window and sent")):
        if key in full[0]:
            times = [ms for run in full for ms in run[key]]
            result[key] = statistics.median(times)
            print(f"  {label:34} median {result[key]:.3f} ms, mean {statistics.mean(times):.3f} ms, "
                  f"90th percentile {statistics.quantiles(times, n=10)[-1]:.3f} ms")
    return result


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", default=os.path.join(HERE, "..", "build", "bin", "pakaponta"))
    parser.add_argument("--site", default=os.path.join(HERE, "..", "build-web", "site"))
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--until", default="50:20", help="the game ends the K-th time it waits in state S")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--timeout", type=float, default=600.0)
    args = parser.parse_args()
    if skip_reason(args.site):
        sys.exit(skip_reason(args.site))
    common = ["--quit-at-state", args.until]
    native_args = ["--autoplay", "--seed", str(args.seed)] + common
    query = f"?seed={args.seed}&autoplay"
    with tempfile.TemporaryDirectory() as folder:
        counter = os.path.join(folder, "count-frames.so")
        with open(counter + ".c", "w", encoding="ascii") as source:
            source.write(COUNTER_C)
        subprocess.run(["cc", "-O2", "-shared", "-fPIC", "-o", counter, counter + ".c", "-ldl"], check=True)
        runs = {key: [] for key in ("native full", "native none", "page full", "page none", "bare full",
                                    "bare none")}
        with VirtualDisplay() as display:
            # Taken in turn, so that a machine that slows down slows them all alike.
            for _ in range(args.runs):
                for render in ("full", "none"):
                    runs["native " + render].append(
                        native_run(os.path.abspath(args.program), counter, display,
                                   native_args + ["--render", render]))
                    runs["page " + render].append(
                        browser_run(args.site, common + ["--render", render], query, args.timeout))
                for draw, render in ((True, "full"), (False, "none")):
                    runs["bare " + render].append(replay_run(runs["page full"][-1]["puts"], draw))
    native = report("native window (Xvfb)", runs["native full"], runs["native none"], "program",
                    "program + X server", "SDL_UpdateWindowSurfaceRects")
    page = report("page (headless Chromium)", runs["page full"], runs["page none"], "main thread (TaskDuration)",
                  "all Chromium processes", "putImageData")
    bare = report("bare page, the same blocks at the same moments", runs["bare full"], runs["bare none"], "",
                  "all Chromium processes", "")
    print(f"page / native: main thread / program {page['cpu'] / native['cpu']:.2f}x, "
          f"all processes / program + X server {page['cpu_all'] / native['cpu_all']:.2f}x, "
          f"beyond the bare page / program + X server "
          f"{(page['cpu_all'] - bare['cpu_all']) / native['cpu_all']:.2f}x")


if __name__ == "__main__":
    main()

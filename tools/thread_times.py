#!/usr/bin/env python3
"""Which thread of tzk.exe under Wine took a long frame's time.

  thread_times.py sample MARK OUT
      Waits (up to 5 minutes) for a tzk.exe whose environment holds MARK
      (a test's work folder, say), then records every thread's processor
      time from /proc until it ends: "TIME_US TID NAME RUN_NS WAIT_NS"
      lines (the scheduler's own counts: time on a processor, and time
      ready to run but waiting for one), one each time a count moves. TIME_US is CLOCK_MONOTONIC_RAW,
      which is what Wine's performance counter reads, so the frame log's
      times fall on the same clock.

  thread_times.py frames LOG SAMPLES [N [MS]]
      The first N stage frames (default 500) of the frame log, counted as
      frame_stats.sh counts them; for each one longer than MS (default 70),
      the processor time of every thread in it, beside the mean a frame,
      and as "run/waited" the time each of the busiest threads spent
      ready but kept off the processors by other threads: a frame that
      was long for want of a processor shows it there. Wine names its own threads (wined3d_cs, wine_dsound_mix, ...); the
      game thread is the unnamed one whose time matches the log's CPU_US.
"""
import bisect
import os
import re
import sys
import time


def find_process(mark):
    for pid in os.listdir('/proc'):
        if not pid.isdigit():
            continue
        try:
            with open(f'/proc/{pid}/comm') as f:
                if f.read().strip() != 'tzk.exe':
                    continue
            with open(f'/proc/{pid}/environ', 'rb') as f:
                if mark.encode() in f.read():
                    return pid
        except OSError:
            pass
    return None


def sample(mark, out_path):
    pid, give_up = None, time.monotonic() + 300
    while pid is None and time.monotonic() < give_up:
        pid = find_process(mark)
        time.sleep(0.1)
    if pid is None:
        sys.exit(f'thread_times: no tzk.exe with {mark} in its environment')
    last = {}
    with open(out_path, 'w') as out:
        while True:
            now = int(time.clock_gettime(time.CLOCK_MONOTONIC_RAW) * 1e6)
            try:
                tids = os.listdir(f'/proc/{pid}/task')
            except OSError:
                break
            for tid in tids:
                try:
                    with open(f'/proc/{pid}/task/{tid}/comm') as f:
                        name = f.read().strip().replace(' ', '_') or '?'
                    with open(f'/proc/{pid}/task/{tid}/schedstat') as f:
                        run_ns, wait_ns = f.read().split()[:2]
                except (OSError, ValueError):
                    continue
                if last.get(tid) != (run_ns, wait_ns):
                    last[tid] = (run_ns, wait_ns)
                    out.write(f'{now} {tid} {name} {run_ns} {wait_ns}\n')
            time.sleep(0.005)


def read_frames(log_path, n):
    """(frame, start_us, end_us, ms, cpu_ms) of the first n stage frames."""
    first, start, frames = None, None, []
    with open(log_path) as f:
        for line in f:
            if line.startswith('#'):
                m = re.search(r'first wait began at (\d+) us', line)
                first = int(m.group(1)) if m else None
                continue
            if first is None:
                sys.exit('thread_times: the log does not say where it began')
            v = [int(x) for x in line.split()]
            if start is None:
                start = first
            begin, start = start, start + v[1]
            if v[0] <= 0 or len(v) < 6 or v[3] == 0 or v[5] < 0 or len(frames) >= n:
                continue
            frames.append((v[0], begin, start, (v[3] + v[4] + v[5]) / 1000, v[2] / 1000))
    return frames


def frames(log_path, samples_path, n=500, limit=70.0):
    frames_ = read_frames(log_path, n)
    counts, names = {}, {}
    with open(samples_path) as f:
        for line in f:
            t, tid, name, run_ns, wait_ns = line.split()
            counts.setdefault(tid, []).append((int(t), int(run_ns), int(wait_ns)))
            names[tid] = name

    def used(tid, begin, end, column=1):
        c = counts[tid]
        at = lambda t: c[bisect.bisect_right(c, (t, 1 << 62, 0)) - 1][column] if c[0][0] <= t else c[0][column]
        return (at(end) - at(begin)) / 1e6

    if not frames_ or not counts:
        sys.exit('thread_times: no stage frames or no samples')
    table = {tid: [used(tid, b, e) for _, b, e, _, _ in frames_] for tid in counts}
    # The game thread: the one whose time follows the log's own CPU_US.
    game = min(table, key=lambda tid: sum(abs(u - fr[4]) for u, fr in zip(table[tid], frames_)))
    label = {tid: ('game' if tid == game else names[tid]) + f':{tid}' for tid in table}
    busy = sorted(table, key=lambda tid: -sum(table[tid]))[:8]
    print('frame ms ' + ' '.join(label[tid] for tid in busy))
    print('mean %.1f ' % (sum(fr[3] for fr in frames_) / len(frames_)) +
          ' '.join('%.1f' % (sum(table[tid]) / len(frames_)) for tid in busy))
    waited = {tid: [used(tid, b, e, 2) for _, b, e, _, _ in frames_] for tid in busy}
    print('waited ' + ' '.join('%.1f' % (sum(waited[tid]) / len(frames_)) for tid in busy))
    for i, fr in enumerate(frames_):
        if fr[3] > limit:
            print(f'{fr[0]} {fr[3]:.1f} ' + ' '.join('%.0f/%.0f' % (table[tid][i], waited[tid][i]) for tid in busy))


if __name__ == '__main__':
    a = sys.argv[1:]
    if len(a) == 3 and a[0] == 'sample':
        sample(a[1], a[2])
    elif 3 <= len(a) <= 5 and a[0] == 'frames':
        frames(a[1], a[2], int(a[3]) if len(a) > 3 else 500, float(a[4]) if len(a) > 4 else 70.0)
    else:
        sys.exit(__doc__)

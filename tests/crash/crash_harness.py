#!/usr/bin/env python3
"""Kills Tonnelix with SIGKILL in the middle of its writes and checks that no cellar is ever lost.

Each run copies a fixture cellar, starts one command-line run that writes it (an exchange import beside
the wines or in their place, a backup, a restore, the upgrade of an old cellar), kills it at a random
moment, and then reopens the cellar with Tonnelix itself, as the user's next start would: from the
command line and in the window (in a random order: the first of the two meets what the kill left, a hot
journal included), each without a question, for writing. Then PRAGMA integrity_check is "ok" and every
table is exactly as before the run or exactly as after an uninterrupted run, never in between. Backups
left beside the cellar must be complete copies.

    tests/crash/crash_harness.py --tonnelix build/src/tonnelix \
        --make-cellar build/bench/tonnelix-make-cellar \
        --reopen-window build/tests/tonnelix-reopen-window --runs 1000
"""
import argparse
import glob
import os
import random
import shutil
import signal
import sqlite3
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
OLD_CELLAR_SQL = os.path.join(HERE, "..", "data", "cellar-v5.sql")


def dump(path):
    """Every table's definition and rows, in a stable order; opening the file rolls back a hot journal,
    as the next start of the program would."""
    db = sqlite3.connect(path)
    try:
        check = db.execute("PRAGMA integrity_check").fetchall()
        if check != [("ok",)]:
            return None, "integrity_check: %r" % (check[:3],)
        tables = db.execute(
            "SELECT type, name, sql FROM sqlite_master WHERE name NOT LIKE 'sqlite_%' ORDER BY type, name"
        ).fetchall()
        content = [tables]
        for kind, name, _ in tables:
            if kind != "table":
                continue
            # The journal's clock differs from run to run: its movements are compared without it.
            columns = "*" if name != "MOUVEMENTS" else \
                "IndexMouvement, RelCave, NomVin, Type, Quantite, PrixUnitaire, Nature"
            rows = db.execute('SELECT %s FROM "%s"' % (columns, name.replace('"', '""'))).fetchall()
            content.append((name, sorted(repr(r) for r in rows)))
        return content, None
    finally:
        db.close()


class Scenario:
    def __init__(self, name, fixture, arguments, makes_backup=False):
        self.name = name
        self.fixture = fixture  # the cellar copied before each run
        self.arguments = arguments  # the command line, without the cellar
        self.makes_backup = makes_backup
        self.before = None
        self.after = None
        self.duration = 1.0


def run(tonnelix, arguments, env, timeout=600):
    return subprocess.run([tonnelix] + arguments, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                          timeout=timeout)


def is_hot(journal):
    """As SQLite decides: a journal whose header was never completed (first byte zero) is not hot."""
    try:
        with open(journal, "rb") as data:
            return data.read(1) not in (b"", b"\0")
    except FileNotFoundError:
        return False


def reopen_command_line(args, work, cellar, env):
    """The next start from the command line: an export opens the cellar for writing under its lock."""
    result = run(args.tonnelix, ["--export", os.path.join(work, "reopen.txt"), cellar], env)
    message = result.stderr.decode(errors="replace").strip()
    if result.returncode != 0 or message:
        return "the command line refused the cellar (exit %d): %s" % (result.returncode, message[:300])
    return None


def reopen_window(args, work, cellar, env):
    """The next start in the window, with the program's own start sequence: no message, the cellar itself."""
    result = run(args.reopen_window, [cellar], env)
    if result.returncode != 0:
        return "the window refused the cellar: %s" % result.stderr.decode(errors="replace").strip()[:300]
    return None


def prepare(args, work, env):
    def make(name, *extra):
        path = os.path.join(work, name)
        subprocess.run([args.make_cellar] + list(extra) + [path], check=True, env=env)
        return path

    base = make("base.mdb", "--lots", str(args.lots), "--seed", "3")
    other = make("other.mdb", "--lots", str(args.lots), "--seed", "11")
    # The pocket device's file: date/vintage/type/appellation/cru/name/bought/stock/price/total/currency.
    exchange = os.path.join(work, "other.txt")
    regions = [("Bordeaux", "Margaux"), ("Bourgogne", "Pommard"), ("Loire", "Chinon"), ("Alsace", "Riesling")]
    with open(exchange, "w", encoding="cp1252", newline="") as out:
        for i in range(args.lots):
            kind, appellation = regions[i % len(regions)]
            bought = 1 + i % 12
            out.write("2019%02d%02d/%d/%s/%s/Générique/Cuvée n°%d/%d/%d/%.2f/%.2f/Euro\r\n" % (
                1 + i % 12, 1 + i % 28, 1980 + i % 40, kind, appellation, i, bought, 1 + i % bought,
                10 + i % 50, (10 + i % 50) * bought))
    backup = os.path.join(work, "fixtures", "Save202001011200.mdb")
    os.makedirs(os.path.dirname(backup))
    shutil.copy(other, backup)
    old = os.path.join(work, "old.mdb")
    db = sqlite3.connect(old)
    with open(OLD_CELLAR_SQL, encoding="utf-8") as sql:
        db.executescript(sql.read())
    db.executemany(
        "INSERT INTO CAVE ([Nom vin], RelType, Millesime, Stock, Cote) VALUES (?, 1, ?, ?, 10)",
        [("Vin %d" % i, 1950 + i % 70, i % 12) for i in range(args.lots)],
    )
    db.commit()
    db.close()
    return [
        Scenario("import beside", base, ["--import", exchange]),
        Scenario("import replace", base, ["--import", exchange, "--replace"]),
        Scenario("backup", base, ["--backup"], makes_backup=True),
        Scenario("restore", base, ["--restore", backup], makes_backup=True),
        Scenario("upgrade", old, ["--export", os.path.join(work, "upgrade-export.txt")]),
    ]


def fresh_copy(scenario, work):
    run_dir = os.path.join(work, "run")
    shutil.rmtree(run_dir, ignore_errors=True)
    os.makedirs(run_dir)
    cellar = os.path.join(run_dir, "Cave.mdb")
    shutil.copy(scenario.fixture, cellar)
    return run_dir, cellar


def measure(scenario, args, work, env):
    run_dir, cellar = fresh_copy(scenario, work)
    scenario.before, error = dump(cellar)
    if error:
        sys.exit("fixture %s is damaged: %s" % (scenario.name, error))
    started = time.monotonic()
    result = run(args.tonnelix, scenario.arguments + [cellar], env)
    scenario.duration = time.monotonic() - started
    if result.returncode != 0:
        sys.exit("%s failed without a kill: %s" % (scenario.name, result.stderr.decode(errors="replace")))
    scenario.after, error = dump(cellar)
    if error:
        sys.exit("%s damaged the cellar without a kill: %s" % (scenario.name, error))
    if (scenario.after == scenario.before) != (scenario.name == "backup"):
        sys.exit("%s: the run does not change the cellar as it should, the check would prove nothing" % scenario.name)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--tonnelix", required=True)
    parser.add_argument("--make-cellar", required=True)
    parser.add_argument("--reopen-window", required=True, help="the window start that reopens a cellar")
    parser.add_argument("--runs", type=int, default=1000)
    parser.add_argument("--lots", type=int, default=3000)
    parser.add_argument("--seed", type=int, default=None)
    parser.add_argument("--keep", action="store_true", help="keep the work folder")
    args = parser.parse_args()
    seed = args.seed if args.seed is not None else random.randrange(1 << 30)
    rng = random.Random(seed)

    work = tempfile.mkdtemp(prefix="tonnelix-crash-")
    env = dict(os.environ)
    env.setdefault("QT_QPA_PLATFORM", "offscreen")
    env["HOME"] = os.path.join(work, "home")
    env["XDG_CONFIG_HOME"] = os.path.join(env["HOME"], "config")
    env["XDG_DATA_HOME"] = os.path.join(env["HOME"], "data")
    env["ASAN_OPTIONS"] = "detect_leaks=0"
    scenarios = prepare(args, work, env)
    for scenario in scenarios:
        measure(scenario, args, work, env)
        print("%-15s %.2f s uninterrupted" % (scenario.name, scenario.duration))

    killed = mid_write = hot_journals = failures = finished = leftovers = 0
    for number in range(1, args.runs + 1):
        scenario = rng.choice(scenarios)
        run_dir, cellar = fresh_copy(scenario, work)
        delay = rng.uniform(0.0, scenario.duration * 1.1)
        journal = cellar + "-journal"
        process = subprocess.Popen([args.tonnelix] + scenario.arguments + [cellar], env=env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if number % 3 == 0:
            # A third of the kills wait for the commit itself: the journal complete, the cellar being written.
            started = time.monotonic()
            while process.poll() is None and not is_hot(journal):
                pass
            delay = time.monotonic() - started
        else:
            time.sleep(delay)
        if process.poll() is None:
            process.send_signal(signal.SIGKILL)
            killed += 1
        else:
            finished += 1
        process.wait()
        temporaries = glob.glob(os.path.join(run_dir, ".*.backup")) + glob.glob(os.path.join(run_dir, ".*.compact"))
        if (os.path.exists(journal) and os.path.getsize(journal) > 0) or temporaries:
            mid_write += 1
        if temporaries:
            leftovers += 1

        problems = []
        hot = is_hot(journal)
        hot_journals += hot
        reopeners = [reopen_command_line, reopen_window]
        rng.shuffle(reopeners)
        for reopen in reopeners:
            problem = reopen(args, work, cellar, env)
            if problem:
                problems.append(("with a hot journal, " if hot and reopen is reopeners[0] else "") + problem)
        if is_hot(journal):
            problems.append("the journal is still hot after Tonnelix reopened the cellar")
        state, error = dump(cellar)
        if error:
            problems.append(error)
        elif state != scenario.before and state != scenario.after:
            problems.append("the cellar is neither as before nor as after")
        for backup in glob.glob(os.path.join(run_dir, "Save*.mdb")):
            copy, error = dump(backup)
            if error:
                problems.append("backup %s: %s" % (os.path.basename(backup), error))
            elif copy != scenario.before:
                problems.append("backup %s differs from the cellar it saved" % os.path.basename(backup))
        # The next start took the dead run's lock over and swept its half-written copies away.
        left = glob.glob(os.path.join(run_dir, ".*.backup")) + glob.glob(os.path.join(run_dir, ".*.compact"))
        if left:
            problems.append("the next start did not clean up: %s" % ", ".join(left))
        if problems:
            failures += 1
            print("run %d (%s, kill after %.3f s): %s" % (number, scenario.name, delay, "; ".join(problems)))
            shutil.copytree(run_dir, os.path.join(work, "failure-%d" % number))

    print("seed %d: %d runs, %d killed (%d mid-write, %d hot journals, %d left a temporary copy), "
          "%d finished before the kill, %d failures"
          % (seed, args.runs, killed, mid_write, hot_journals, leftovers, finished, failures))
    if failures or args.keep:
        print("work folder kept: %s" % work)
    else:
        shutil.rmtree(work, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Mutation testing for Tickforge: plant one small fault at a time in the
product code and see whether the test suite notices.

Mutants are made from the sources, never from a hand-picked list:
relational, logical and arithmetic operators swapped, integer and float
constants moved by one or swapped with a neighbour in a table row,
conditions negated, a call or statement removed, one string literal changed.
A sample is drawn with a seed from the chosen folders. Each mutant is applied
to a private copy of the tree, built incrementally in that copy's own build
folder (configured once, with ccache) and the suite (or a -R subset) is run
with a timeout. A mutant that does not compile is "stillborn", not killed.

    tools/mutate/mutate.py --folders model codegen --count 100 --seed 7
    tools/mutate/mutate.py --folders update -R 'tst_update|tst_model' --list

Python 3 standard library only.
"""

import argparse
import fnmatch
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))

# Lines that are not code we mutate.
SKIP_LINE = re.compile(r'^\s*(#|//|\*|/\*|Q_OBJECT|Q_DISABLE_COPY|Q_DECLARE|static_assert|namespace\b|using\b|'
                       r'template\b|public:|private:|protected:|signals:|case\b.*:\s*$|default:)')
STRING = re.compile(r'"(?:[^"\\]|\\.)*"')
CHAR = re.compile(r"'(?:[^'\\]|\\.)'")
# Binary operators: clang-format puts one blank on each side of them, and
# none inside template angle brackets or after a pointer star.
BINARY = re.compile(r'(?<=[\w)\]"\'.]) (<=|>=|==|!=|<|>|&&|\|\||\+|-|\*|/|%) (?=[\w(!"\'.:-])')
SWAPS = {
    '<': ['<=', '>'], '<=': ['<', '>'], '>': ['>=', '<'], '>=': ['>', '<'],
    '==': ['!='], '!=': ['=='], '&&': ['||'], '||': ['&&'],
    '+': ['-'], '-': ['+'], '*': ['/'], '/': ['*'], '%': ['*'],
}
NUMBER = re.compile(r'(?<![\w.])(\d+\.\d+|\d+)(?![\w.])')
CONDITION = re.compile(r'\b(if|while) \(')
CALL_OR_ASSIGN = re.compile(r'^\s*[A-Za-z_][\w.:\[\]]*(?:->[\w.:\[\]]+)*\s*'
                            r'(\(|=[^=]|\+=|-=|\*=|/=|\|=|&=|<<|\+\+|--)')
NOT_STATEMENT = re.compile(r'^\s*(return|break|continue|goto|throw|delete|else|do|for|while|if|switch)\b')
NOOP_CONTEXT = re.compile(r'QT_TRANSLATE_NOOP3?\(\s*("(?:[^"\\]|\\.)*")')
LIST_ITEM = re.compile(r'(?<=[{,] )(-?\d+(?:\.\d+)?|"(?:[^"\\]|\\.)*")(?=(, |}))')


def masked(line):
    """The line with string and character literals and a trailing comment blanked."""
    out = CHAR.sub(lambda m: "'" + ' ' * (len(m.group()) - 2) + "'", line)
    out = STRING.sub(lambda m: '"' + ' ' * (len(m.group()) - 2) + '"', out)
    cut = out.find('//')
    if cut >= 0:
        out = out[:cut] + ' ' * (len(out) - cut)
    return out


def closing_paren(text, start):
    """Index of the parenthesis closing the one at start, or -1 on this line."""
    depth = 0
    for i in range(start, len(text)):
        if text[i] == '(':
            depth += 1
        elif text[i] == ')':
            depth -= 1
            if depth == 0:
                return i
    return -1


def mutants_of_line(line, continues_noop=False):
    """(kind, description, new line) for every mutation of one source line.
    continues_noop: the line before ended in "QT_TRANSLATE_NOOP(", so the
    first string here is a translation context."""
    if SKIP_LINE.match(line) or not line.strip():
        return
    code = masked(line)
    literal_ok = 'include' not in code
    # The context of QT_TRANSLATE_NOOP(context, text) is read by lupdate
    # only: the macro drops it, so changing it changes nothing compiled.
    contexts = {m.start(1) for m in NOOP_CONTEXT.finditer(line)}
    if continues_noop:
        first = STRING.search(line)
        if first:
            contexts.add(first.start())

    for m in BINARY.finditer(code):
        op = m.group(1)
        for new in SWAPS[op]:
            yield ('operator', '%s -> %s' % (op, new), line[:m.start(1)] + new + line[m.end(1):])

    for m in NUMBER.finditer(code):
        text = m.group(1)
        before = line[:m.start(1)]
        # Identifiers with digits (QXC330, TMR2) and hex digits are excluded by
        # the look-arounds; array sizes and shifts are still fair game.
        if '.' in text:
            value = float(text)
            decimals = len(text.split('.')[1])
            for delta in (1, -1):
                new = '%.*f' % (decimals, value + delta)
                if not new.startswith('-'):
                    yield ('constant', '%s -> %s' % (text, new), before + new + line[m.end(1):])
        else:
            value = int(text)
            for delta in (1, -1):
                if value + delta >= 0:
                    new = str(value + delta)
                    yield ('constant', '%s -> %s' % (text, new), before + new + line[m.end(1):])

    items = list(LIST_ITEM.finditer(line))
    for a, b in zip(items, items[1:]):
        if line[a.end():b.start()] == ', ' and a.group(1) != b.group(1) and \
                (a.group(1)[0] == '"') == (b.group(1)[0] == '"'):
            new = line[:a.start(1)] + b.group(1) + ', ' + a.group(1) + line[b.end(1):]
            yield ('swap', 'swap %s and %s' % (a.group(1), b.group(1)), new)

    for m in CONDITION.finditer(code):
        open_at = m.end() - 1
        close_at = closing_paren(code, open_at)
        if close_at > 0:
            inner = line[open_at + 1:close_at]
            yield ('negate', 'negate %s (%s)' % (m.group(1), inner.strip()),
                   line[:open_at + 1] + '!(' + inner + ')' + line[close_at:])

    stripped = code.rstrip()
    if stripped.endswith(';') and CALL_OR_ASSIGN.match(code) and not NOT_STATEMENT.match(code) \
            and code.count('(') == code.count(')') and code.count('{') == code.count('}'):
        indent = line[:len(line) - len(line.lstrip())]
        yield ('remove', 'remove "%s"' % line.strip(), indent + ';\n')

    if literal_ok:
        for m in STRING.finditer(line):
            if m.start() in contexts:
                continue
            text = m.group()
            if text == '""':
                new = '"x"'
            else:
                body = text[1:-1]
                # Change one character (the first one that is not an escape).
                first = body[0]
                if first == '\\':
                    new = '"X' + body + '"'
                else:
                    new = '"' + ('Y' if first != 'Y' else 'Z') + body[1:] + '"'
            yield ('string', 'string %s -> %s' % (text, new), line[:m.start()] + new + line[m.end():])


def enumerate_mutants(root, folders, headers, skip=()):
    mutants = []
    for folder in folders:
        base = os.path.join(root, folder)
        for dirpath, dirnames, filenames in os.walk(base):
            dirnames.sort()
            for name in sorted(filenames):
                if not (name.endswith('.cpp') or (headers and name.endswith('.h'))):
                    continue
                path = os.path.join(dirpath, name)
                rel = os.path.relpath(path, root)
                if any(fnmatch.fnmatch(rel, pattern) for pattern in skip):
                    continue
                with open(path, encoding='utf-8') as f:
                    lines = f.readlines()
                in_block_comment = False
                in_unused = False
                previous = ''
                for number, line in enumerate(lines, 1):
                    continues_noop = re.search(r'QT_TRANSLATE_NOOP3?\(\s*$', previous) is not None
                    previous = line
                    # A [[maybe_unused]] table is there for lupdate alone.
                    if '[[maybe_unused]]' in line and '{' in line:
                        in_unused = '};' not in line
                    if in_unused:
                        in_unused = '};' not in line
                        continue
                    if in_block_comment:
                        if '*/' in line:
                            in_block_comment = False
                        continue
                    if line.lstrip().startswith('/*') and '*/' not in line:
                        in_block_comment = True
                        continue
                    for kind, what, new in mutants_of_line(line, continues_noop):
                        if new != line:
                            mutants.append({'folder': folder, 'file': rel, 'line': number, 'kind': kind,
                                            'mutation': what, 'original': line, 'mutant': new})
    return mutants


def load_results(path):
    """A report's .json (one list) or a progress file (one mutant a line)."""
    with open(path) as f:
        text = f.read()
    if text.lstrip().startswith('['):
        return json.loads(text)
    return [json.loads(line) for line in text.splitlines() if line.strip()]


def sample(mutants, folders, count, seed):
    """count mutants drawn with the seed, shared out evenly among the folders."""
    rng = random.Random(seed)
    chosen = []
    share, extra = divmod(count, len(folders))
    for i, folder in enumerate(folders):
        pool = [m for m in mutants if m['folder'] == folder]
        want = min(len(pool), share + (1 if i < extra else 0))
        chosen += rng.sample(pool, want)
    rng.shuffle(chosen)
    return chosen


def run(cmd, cwd, timeout, log, env=None):
    """(status, seconds); status None when the command ran out of time."""
    start = time.time()
    with open(log, 'w') as out:
        proc = subprocess.Popen(cmd, cwd=cwd, env=env, stdout=out, stderr=subprocess.STDOUT,
                                start_new_session=True)
        try:
            status = proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            stop_group(proc)
            status = None
        except BaseException:
            stop_group(proc)
            raise
    return status, time.time() - start


def stop_group(proc):
    """Kills the command and whatever it started; it may have ended already."""
    try:
        os.killpg(proc.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    proc.wait()


class Tree:
    """A private copy of the sources with its own build folder; a mutant is
    written into the copy and the original line is always put back."""

    def __init__(self, work, jobs):
        self.work = os.path.abspath(work)
        self.src = os.path.join(self.work, 'tree')
        # The build folder sits inside the copy so that ccache (with
        # CCACHE_BASEDIR) sees the same relative paths as a normal build.
        self.build = os.path.join(self.src, 'build')
        self.jobs = jobs
        self.env = dict(os.environ, CCACHE_BASEDIR=os.path.dirname(REPO), CCACHE_NOHASHDIR='1')
        self.pending = None  # (path, original text) while a mutant is applied

    def sync(self):
        os.makedirs(self.src, exist_ok=True)
        for entry in os.listdir(REPO):
            if entry.startswith('build') or entry in ('.git',):
                continue
            source = os.path.join(REPO, entry)
            target = os.path.join(self.src, entry)
            if os.path.isdir(source):
                shutil.copytree(source, target, dirs_exist_ok=True, copy_function=copy_if_changed)
            else:
                copy_if_changed(source, target)

    def configure(self, test_timeout):
        # CMake's file API answers which targets hold a source and what each
        # target depends on; the query is read at every configure.
        query = os.path.join(self.build, '.cmake', 'api', 'v1', 'query', 'codemodel-v2')
        if not os.path.exists(query):
            os.makedirs(os.path.dirname(query), exist_ok=True)
            open(query, 'w').close()
        # The tests' own TIMEOUT outranks ctest --timeout: a hanging test
        # would run for minutes. The copy's tests take the runner's timeout.
        timeout = '-DTF_TEST_TIMEOUT=%d' % test_timeout
        if os.path.exists(os.path.join(self.build, 'CMakeCache.txt')):
            status, _ = run(['cmake', timeout, self.build], self.work, 600, os.path.join(self.work, 'configure.log'))
            return status == 0
        # The same compiler flags as a normal build, so ccache serves the
        # first build; lld links the test executables much faster.
        # Ninja checks a tree that is up to date in a blink, where make
        # spends seconds on every target; with ccache (relative to the build
        # folder) a Ninja build of the sources hits the cache of build/.
        generator = ['-G', 'Ninja'] if shutil.which('ninja') else []
        status, _ = run(['cmake', '-S', self.src, '-B', self.build, '-DCMAKE_BUILD_TYPE=RelWithDebInfo'] + generator + [
                         '-DCMAKE_CXX_COMPILER_LAUNCHER=ccache', '-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld',
                         '-DCMAKE_SHARED_LINKER_FLAGS=-fuse-ld=lld', timeout], self.work, 600,
                        os.path.join(self.work, 'configure.log'))
        return status == 0

    def tests(self, include, exclude):
        cmd = ['ctest', '-N']
        if include:
            cmd += ['-R', include]
        if exclude:
            cmd += ['-E', exclude]
        out = subprocess.run(cmd, cwd=self.build, capture_output=True, text=True).stdout
        return re.findall(r'Test\s+#\d+: (\S+)', out)

    def targets(self, tests):
        """The programs the tests run (a test may run a program of another
        name, as the fuzz replays do); script tests, such as the catalogue
        check, have nothing to build."""
        known = set(self.link_graph()[1])
        programs = self.programs()
        wanted = []
        for test in tests:
            for name in (test, programs.get(test, ('', ''))[0]):
                if name in known and name not in wanted:
                    wanted.append(name)
                    break
        return wanted

    def link_graph(self):
        """(owners, closure): the targets each source file (relative to the
        tree) is compiled into, and every target's transitive dependencies,
        link libraries and add_dependencies() alike (a test that runs the
        program depends on it), the target itself included."""
        reply = os.path.join(self.build, '.cmake', 'api', 'v1', 'reply')
        index = sorted(n for n in os.listdir(reply) if n.startswith('index-'))[-1]
        with open(os.path.join(reply, index), encoding='utf-8') as f:
            model = json.load(f)['reply']['codemodel-v2']['jsonFile']
        with open(os.path.join(reply, model), encoding='utf-8') as f:
            configuration = json.load(f)['configurations'][0]
        names, deps, owners = {}, {}, {}
        for entry in configuration['targets']:
            with open(os.path.join(reply, entry['jsonFile']), encoding='utf-8') as f:
                target = json.load(f)
            names[target['id']] = target['name']
            deps[target['name']] = [d['id'] for d in target.get('dependencies', [])]
            for source in target.get('sources', []):
                path = source['path']
                if os.path.isabs(path):
                    path = os.path.relpath(path, self.src)
                owners.setdefault(path, set()).add(target['name'])
        closure = {}

        def reach(name):
            if name not in closure:
                closure[name] = {name}
                for dep in deps.get(name, []):
                    closure[name] |= reach(names.get(dep, dep))
            return closure[name]
        for name in deps:
            reach(name)
        return owners, closure

    def programs(self):
        """Each test's program, from CTest's own files (named there even
        before it is built), and the folder the test is declared in."""
        programs = {}
        for root, _, names in os.walk(self.build):
            if 'CTestTestfile.cmake' in names:
                with open(os.path.join(root, 'CTestTestfile.cmake'), encoding='utf-8') as f:
                    for name, program in re.findall(r'^add_test\(\[=\[(\S+?)\]=\] "([^"]+)"', f.read(), re.M):
                        programs[name] = (os.path.basename(program), os.path.relpath(root, self.build))
        return programs

    def compile(self, targets, timeout, log):
        cmd = ['nice', '-n', '10', 'cmake', '--build', self.build, '-j%d' % self.jobs, '--target'] + targets
        return run(cmd, self.build, timeout, log, self.env)

    def costs(self):
        """Seconds each test took so far, from CTest's own record."""
        path = os.path.join(self.build, 'Testing', 'Temporary', 'CTestCostData.txt')
        costs = {}
        if os.path.exists(path):
            with open(path, encoding='utf-8') as f:
                for line in f:
                    parts = line.split()
                    if len(parts) == 3:
                        costs[parts[0]] = float(parts[2])
        return costs

    def test(self, include, exclude, timeout, jobs, log, limit=None):
        """Runs the tests; limit: seconds for the whole run (a test's own
        TIMEOUT property would let a mutant that hangs run for minutes)."""
        # The failing test's output stays in the log: a kill names its check.
        cmd = ['nice', '-n', '10', 'ctest', '--stop-on-failure', '--output-on-failure', '-j%d' % jobs,
               '--timeout', str(timeout)]
        if include:
            cmd += ['-R', include]
        if exclude:
            cmd += ['-E', exclude]
        return run(cmd, self.build, limit or timeout * 10, log)

    def apply(self, mutant):
        path = os.path.join(self.src, mutant['file'])
        with open(path, encoding='utf-8') as f:
            text = f.read()
        lines = text.splitlines(keepends=True)
        if mutant['line'] > len(lines) or lines[mutant['line'] - 1] != mutant['original']:
            # A replayed mutant of an older tree: the same line where it moved to.
            near = [i + 1 for i, line in enumerate(lines) if line == mutant['original']]
            if not near:
                return False
            mutant['line'] = min(near, key=lambda n: abs(n - mutant['line']))
        self.pending = (path, text)
        lines[mutant['line'] - 1] = mutant['mutant']
        with open(path, 'w', encoding='utf-8') as f:
            f.write(''.join(lines))
        return True

    def restore(self):
        if self.pending:
            path, text = self.pending
            with open(path, 'w', encoding='utf-8') as f:
                f.write(text)
            self.pending = None


def copy_if_changed(source, target):
    """Copies unless the target already has the same bytes, so an unchanged
    file keeps its time stamp and the incremental build stays small."""
    try:
        with open(source, 'rb') as a, open(target, 'rb') as b:
            if a.read() == b.read():
                return target
    except OSError:
        pass
    return shutil.copy2(source, target)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument('--folders', nargs='+', default=['model', 'codegen'],
                        help='source folders to mutate (default: model codegen)')
    parser.add_argument('--count', type=int, default=50, help='mutants to run, shared among the folders')
    parser.add_argument('--seed', type=int, default=None, help='sampling seed (default: from the clock)')
    parser.add_argument('-R', dest='include', default='', help='ctest -R: the tests to run')
    parser.add_argument('-E', dest='exclude', default='tst_package', help='ctest -E (default: tst_package)')
    parser.add_argument('--timeout', type=int, default=120, help='seconds per test (default 120)')
    parser.add_argument('--slow', default='tst_cli|tst_codegensweep|tst_updatecheck|tst_httpsdownload',
                        help='tests run only once all others passed (ctest regex; not with -R)')
    parser.add_argument('--no-baseline-tests', action='store_true',
                        help='trust that the unmutated tree passes (it is still built)')
    parser.add_argument('--all-tests', action='store_true',
                        help='run every selected test for each mutant, not only those whose programs '
                             'link the mutated file')
    parser.add_argument('--build-timeout', type=int, default=900, help='seconds per build (default 900)')
    parser.add_argument('--jobs', type=int, default=2, help='parallel build and test jobs (default 2)')
    parser.add_argument('--work', default=os.path.join(REPO, 'build-mutate'),
                        help='work folder for the copy and its build (default build-mutate/)')
    parser.add_argument('--report', default=None, help='report file (default WORK/report-SEED.txt)')
    parser.add_argument('--headers', action='store_true', help='mutate headers too')
    parser.add_argument('--skip', nargs='+', default=[], help='files not to mutate (globs, e.g. series/layout/*)')
    parser.add_argument('--kinds', nargs='+', default=None,
                        help='only these kinds: operator constant swap negate remove string')
    parser.add_argument('--until', default=None, help='stop starting mutants at this time (HH:MM, local)')
    parser.add_argument('--list', action='store_true', help='only list the sampled mutants')
    parser.add_argument('--replay', default=None, nargs='+',
                        help='instead of a sample, the mutants of an earlier run (its progress file or '
                             'report .json) that it killed: run against today\'s suite, a cut test that '
                             'caught something alone shows up as a survivor')
    parser.add_argument('--resume', default=None,
                        help='progress file of an earlier run with the same sample: its mutants are not run '
                             'again, their results go into this report')
    args = parser.parse_args()

    seed = args.seed if args.seed is not None else int(time.time()) % 100000
    mutants = enumerate_mutants(REPO, args.folders, args.headers, args.skip)
    if args.kinds:
        mutants = [m for m in mutants if m['kind'] in args.kinds]
    chosen = sample(mutants, args.folders, args.count, seed)
    if args.replay:
        chosen = [m for path in args.replay for m in load_results(path) if m.get('status') == 'killed'
                  and m['file'].split(os.sep)[0] in args.folders]
        for m in chosen:
            for key in ('status', 'killedBy', 'seconds', 'tests'):
                m.pop(key, None)
    print('seed %d: %d of %d mutants over %s' % (seed, len(chosen), len(mutants), ' '.join(args.folders)))
    if args.list:
        for m in chosen:
            print('%s:%d: %s [%s]' % (m['file'], m['line'], m['mutation'], m['kind']))
        return 0

    deadline = None
    if args.until:
        hour, minute = map(int, args.until.split(':'))
        now = time.localtime()
        deadline = time.mktime(now[:3] + (hour, minute, 0) + now[6:])
        if deadline < time.time():
            deadline += 24 * 3600

    tree = Tree(args.work, args.jobs)
    os.makedirs(tree.work, exist_ok=True)
    tree.sync()
    if not tree.configure(args.timeout):
        print('configure failed: see %s/configure.log' % tree.work)
        return 2
    tests = tree.tests(args.include, args.exclude)
    if not tests:
        print('no tests selected')
        return 2
    slow = set(tree.tests(args.slow, '')) if args.slow and not args.include else set()
    programs = tree.programs()
    owners, closure = tree.link_graph()
    known = set(tree.targets(tests))
    program_of = {t: programs.get(t, ('', ''))[0] for t in tests}

    def stages_for(m):
        """The tests that can see the mutant, in the order they are built and
        run: those of the mutated folder's own test folder first, then the
        other quick ones, the slow ones last. A test sees the mutant when its
        program (or a program it runs, named by add_dependencies) links a
        target the file is compiled into; a test with no program of the
        build (a script reading the sources) always does. A file no target
        compiles gets every test."""
        own = owners.get(m['file'], set())
        relevant = [t for t in tests if args.all_tests or not own or program_of[t] not in known
                    or closure.get(program_of[t], set()) & own]
        folder = os.path.join('tests', m['file'].split(os.sep)[0])
        near = [t for t in relevant if t not in slow and programs.get(t, ('', ''))[1] == folder]
        rest = [t for t in relevant if t not in slow and t not in near]
        late = [t for t in relevant if t in slow]
        return [stage for stage in (near, rest, late) if stage]

    def judge(m, tag):
        """Builds and tests the applied mutant; returns (status, seconds)."""
        took = 0.0
        m['tests'] = 0
        for number, names in enumerate(stages_for(m)):
            suffix = '.%d' % number if number else ''
            targets = [program_of[t] for t in names if program_of[t] in known]
            if targets:
                status, seconds = tree.compile(sorted(set(targets)), args.build_timeout,
                                               os.path.join(logs, tag + '-build.log' + suffix))
                took += seconds
                if status != 0:
                    return 'stillborn', took
            m['tests'] += len(names)
            # A hang is judged once the stage takes the timeout more than
            # three times what its tests took unmutated.
            limit = args.timeout + 3 * sum(costs.get(t, args.timeout) for t in names)
            status, seconds = tree.test('^(%s)$' % '|'.join(names), '', args.timeout, args.jobs,
                                        os.path.join(logs, tag + '-test.log' + suffix), limit)
            took += seconds
            if status is None:
                return 'timeout', took
            if status != 0:
                with open(os.path.join(logs, tag + '-test.log' + suffix)) as f:
                    text = f.read()
                m['killedBy'] = re.findall(r'\d+ - (\S+) \(', text)
                failure = re.search(r'^(FAIL!.*|.*Timeout.*)$', text, re.MULTILINE)
                m['failure'] = failure.group(1)[:300] if failure else ''
                return 'killed', took
        return 'survived', took
    logs = os.path.join(tree.work, 'logs-%d' % seed)
    os.makedirs(logs, exist_ok=True)

    # The unmutated tree must build and pass, or every mutant would look killed.
    status, took = tree.compile(tree.targets(tests), args.build_timeout * 4,
                                os.path.join(logs, 'baseline-build.log'))
    if status != 0:
        print('baseline build failed: see %s/baseline-build.log' % logs)
        return 2
    if not args.no_baseline_tests:
        status, test_took = tree.test(args.include, args.exclude, args.timeout, args.jobs,
                                      os.path.join(logs, 'baseline-test.log'))
        if status != 0:
            print('baseline tests fail: see %s/baseline-test.log' % logs)
            return 2
        print('baseline: %d tests pass in %.0f s' % (len(tests), test_took))

    costs = tree.costs()

    # Ctrl+C or SIGTERM: the running build or test is stopped, the original
    # line put back, and the report written for the mutants done so far.
    stop = []

    def interrupted(signum, frame):
        stop.append(signum)
        raise KeyboardInterrupt

    signal.signal(signal.SIGTERM, interrupted)
    signal.signal(signal.SIGINT, interrupted)

    results = []
    if args.resume:
        results = [r for r in load_results(args.resume) if r.get('status') in ('killed', 'timeout', 'survived', 'stillborn')]
        done = {(r['file'], r['line'], r['mutation']) for r in results}
        chosen = [m for m in chosen if (m['file'], m['line'], m['mutation']) not in done]
        print('resumed: %d mutants done, %d to go' % (len(results), len(chosen)))
    progress = open(os.path.join(tree.work, 'progress-%d.jsonl' % seed), 'a' if args.resume else 'w')
    try:
        for i, m in enumerate(chosen, 1):
            if deadline and time.time() > deadline:
                print('time is up after %d mutants' % (i - 1))
                break
            tag = '%03d' % (len(results) + 1)
            if not tree.apply(m):
                m['status'] = 'skipped'
                continue
            try:
                m['status'], seconds = judge(m, tag)
            finally:
                tree.restore()
            m['seconds'] = round(seconds, 1)
            results.append(m)
            progress.write(json.dumps(m) + '\n')
            progress.flush()
            print('%s %-9s %s:%d: %s (%.0f s, %d tests)' % (tag, m['status'], m['file'], m['line'],
                                                           m['mutation'], m['seconds'], m.get('tests', 0)),
                  flush=True)
    except KeyboardInterrupt:
        print('stopped after %d mutants' % len(results))
    finally:
        tree.restore()
        progress.close()
        signal.signal(signal.SIGTERM, signal.SIG_DFL)
        signal.signal(signal.SIGINT, signal.SIG_DFL)

    lines = report(results, seed, args)
    print('\n'.join(lines))
    path = args.report or os.path.join(tree.work, 'report-%d.txt' % seed)
    with open(path, 'w') as f:
        f.write('\n'.join(lines) + '\n')
    with open(os.path.splitext(path)[0] + '.json', 'w') as f:
        json.dump(results, f, indent=1)
    print('report: %s' % path, flush=True)
    # Put the copy's build back in step with the sources for the next run.
    tree.compile(tree.targets(tests), args.build_timeout * 4, os.path.join(logs, 'restore-build.log'))
    return 0


def report(results, seed, args):
    lines = ['Mutation run, seed %d, folders %s, tests -R "%s" -E "%s"%s'
             % (seed, ' '.join(args.folders), args.include, args.exclude,
                ', skipping ' + ' '.join(args.skip) if args.skip else ''), '']
    lines.append('%-10s %6s %6s %6s %9s %6s' % ('folder', 'run', 'killed', 'alive', 'stillborn', 'score'))
    for folder in args.folders + ['all']:
        rows = [r for r in results if folder == 'all' or r['folder'] == folder]
        killed = sum(r['status'] in ('killed', 'timeout') for r in rows)
        alive = sum(r['status'] == 'survived' for r in rows)
        still = sum(r['status'] == 'stillborn' for r in rows)
        score = '%.0f %%' % (100.0 * killed / (killed + alive)) if killed + alive else '-'
        lines.append('%-10s %6d %6d %6d %9d %6s' % (folder, len(rows), killed, alive, still, score))
    timed = [r['seconds'] for r in results if 'seconds' in r]
    if timed:
        lines.append('%d mutants in %.0f s, %.1f s each on average' % (len(timed), sum(timed),
                                                                       sum(timed) / len(timed)))
    lines += ['', 'Killed (by the first test that failed):']
    for r in results:
        if r['status'] in ('killed', 'timeout'):
            lines.append('  %s:%d: %s [%s]' % (r['file'], r['line'], r['mutation'],
                                              ', '.join(r.get('killedBy', [])) or r['status']))
    lines += ['', 'Stillborn:']
    for r in results:
        if r['status'] == 'stillborn':
            lines.append('  %s:%d: %s' % (r['file'], r['line'], r['mutation']))
    lines += ['', 'Survivors:']
    for r in results:
        if r['status'] == 'survived':
            lines.append('  %s:%d: %s' % (r['file'], r['line'], r['mutation']))
            lines.append('      - %s' % r['original'].strip())
            lines.append('      + %s' % r['mutant'].strip())
    return lines


if __name__ == '__main__':
    sys.exit(main())

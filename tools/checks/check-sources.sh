#!/usr/bin/env bash
# House rules that a build does not catch: every source is formatted as .clang-format says,
# the core never reaches into the window layer, and no core folder includes its way back to itself.
set -uo pipefail
cd "$(dirname "$0")/../.."
status=0

mapfile -t sources < <(git ls-files 'src/*.cpp' 'src/*.h' 'tools/*.cpp' 'tools/*.h' 'tests/*.cpp' \
                                    'tests/*.h' 'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h')
unformatted=()
for f in "${sources[@]}"; do
    [ -f "$f" ] || continue
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || unformatted+=("$f")
done
if [ ${#unformatted[@]} -gt 0 ]; then
    echo "not formatted (run: clang-format -i FILE):" >&2
    printf '  %s\n' "${unformatted[@]}" >&2
    status=1
fi

# core/ is the library the tools link without widgets.
layer=$(git grep -n -E '#\s*include\s*[<"](ui/|QtWidgets|QWidget|QApplication|QMainWindow|QDialog|QLabel|QMessageBox|QPushButton)' -- 'src/core/*' 2>/dev/null)
if [ -n "$layer" ]; then
    echo "core/ includes a window-layer or widget header:" >&2
    echo "$layer" >&2
    status=1
fi
# Folders of core/ form a hierarchy: an include loop between them (A includes B, B includes A,
# directly or through others) means two folders that can only be understood together.
loop=$(git grep -o -E '^\s*#\s*include\s*"core/[A-Za-z0-9_]+/' -- 'src/core/*' 2>/dev/null | awk '
    {
        split($0, path, "/"); from = path[3]
        to = $0; sub(/.*"core\//, "", to); sub(/\/$/, "", to)
        if (from != to && !((from, to) in edge)) {
            edge[from, to] = 1; next_of[from] = next_of[from] " " to
            file[from, to] = substr($0, 1, index($0, ":") - 1)
        }
        node[from] = 1; node[to] = 1
    }
    function visit(n,    i, k, m, list) {
        state[n] = 1; stack[++depth] = n
        k = split(next_of[n], list, " ")
        for (i = 1; i <= k; i++) {
            m = list[i]
            if (state[m] == 1) { report(m); return 1 }
            if (state[m] == 0 && visit(m)) return 1
        }
        state[n] = 2; depth--
        return 0
    }
    function report(m,    i, start, line) {
        for (i = 1; i <= depth; i++) if (stack[i] == m) start = i
        line = m
        for (i = start + 1; i <= depth; i++) line = line " -> " stack[i]
        print line " -> " m
        for (i = start; i < depth; i++) print "  " stack[i] " -> " stack[i + 1] ": " file[stack[i], stack[i + 1]]
        print "  " stack[depth] " -> " m ": " file[stack[depth], m]
    }
    END { for (n in node) if (state[n] == 0 && visit(n)) exit }')
if [ -n "$loop" ]; then
    echo "core/ folders include each other in a loop:" >&2
    echo "$loop" >&2
    status=1
fi
[ $status -eq 0 ] && echo "sources: formatted, layers kept, no include loop in core"
exit $status

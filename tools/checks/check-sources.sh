#!/usr/bin/env bash
# House rules that a build does not catch: every source is formatted as .clang-format says,
# and the core never reaches into the window layer.
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
[ $status -eq 0 ] && echo "sources: formatted, layers kept"
exit $status

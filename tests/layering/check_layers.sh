#!/usr/bin/env bash
# The base layer stands on its own: none of its files includes a widget
# module, a generated form or a header of the GUI layer.
# Usage: check_layers.sh <base-sources.txt> <gui-sources.txt>
set -euo pipefail
base_list=$1
gui_list=$2

# Every base source and the header beside it.
mapfile -t base_files < <(sed -e '/^$/d' "$base_list" | while read -r src; do
    echo "$src"
    [ -f "${src%.cpp}.h" ] && echo "${src%.cpp}.h"
done)
# The headers of the GUI layer, as they are included: "<folder>/<name>.h".
mapfile -t gui_headers < <(sed -e '/^$/d' "$gui_list" | while read -r src; do
    header=${src%.cpp}.h
    echo "$(basename "$(dirname "$header")")/$(basename "$header")"
done)

[ ${#base_files[@]} -gt 0 ] || { echo "no base sources listed"; exit 1; }
[ ${#gui_headers[@]} -gt 0 ] || { echo "no GUI sources listed"; exit 1; }

failures=0
for file in "${base_files[@]}"; do
    while IFS= read -r line; do
        header=$(sed -E 's/^#include[[:space:]]*[<"]([^>"]+)[>"].*/\1/' <<<"$line")
        case "$header" in
        QtWidgets/*|QtWebEngineWidgets/*|ui_*.h|QWidget|QApplication|QDialog|QMessageBox|QWebEngineView|QWebEnginePage|QWebEngineProfile)
            echo "$file: includes $header, which belongs to the GUI"; failures=$((failures + 1)); continue ;;
        esac
        for gui in "${gui_headers[@]}"; do
            if [ "$header" = "$gui" ]; then
                echo "$file: includes the GUI header $header"; failures=$((failures + 1))
            fi
        done
    done < <(grep -E '^#include' "$file")
done
echo "checked ${#base_files[@]} base files against ${#gui_headers[@]} GUI headers"
[ "$failures" -eq 0 ]

#!/usr/bin/env bash
# Checks that no layer calls into a layer it may not use.
#
# The include trees keep a layer from seeing a higher layer's headers, but a declaration can still
# sit low and its definition high (a function declared in the foundation and defined in exports).
# This reads the compiled objects: a symbol a layer needs (undefined in its objects) must not be
# defined (strongly, i.e. not an inline or template copy) by a layer outside what it may use.
#
# Usage: check-layer-links.sh <dir>
#   <dir> holds, per layer, <layer>.objects (its object files, one per line) and <layer>.sees
#   (the layers it may use, itself included, one per line), as the build writes them.
set -euo pipefail
dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

layers=()
for f in "$dir"/*.objects; do layers+=("$(basename "$f" .objects)"); done

for l in "${layers[@]}"; do
    mapfile -t objs < "$dir/$l.objects"
    # Strong definitions: text, data, bss, read-only data (not weak, not unique).
    nm -P --defined-only "${objs[@]}" 2>/dev/null | awk 'NF >= 2 && $2 ~ /^[TDBR]$/ { print $1 }' | sort -u > "$work/$l.defined"
    nm -P --undefined-only "${objs[@]}" 2>/dev/null | awk 'NF >= 2 { print $1 }' | sort -u > "$work/$l.needed"
done

status=0
for l in "${layers[@]}"; do
    for m in "${layers[@]}"; do
        grep -qx "$m" "$dir/$l.sees" && continue
        comm -12 "$work/$l.needed" "$work/$m.defined" > "$work/bad" || true
        if [[ -s $work/bad ]]; then
            status=1
            echo "layer '$l' uses symbols defined in '$m', which it may not use:"
            c++filt < "$work/bad" | sed 's/^/    /'
        fi
    done
done
[[ $status == 0 ]] && echo "${#layers[@]} layers: every symbol a layer needs comes from a layer it may use"
exit $status

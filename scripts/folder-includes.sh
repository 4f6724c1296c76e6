#!/usr/bin/env bash
# The source folders and what each includes, floor by floor from the bottom:
# a folder stands on the floor above everything it includes. Fails when two
# folders include each other, directly or round a circle (an include that
# runs back up), or when the tool window and the output program include
# each other's code instead of meeting in common/.
set -euo pipefail
cd "$(dirname "$0")/.."

git ls-files -- 'common/*' 'output/*' 'toolwindow/*' | grep -E '\.(h|cpp|rc|rci)$' |
  while read -r file; do
    { grep -oE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^"]+"' "$file" || true; } |
      sed -E 's/.*"([^"]+)"/\1/' |
      while read -r included; do
        [ -f "$included" ] || continue
        from=$(dirname "$file") to=$(dirname "$included")
        [ "$from" = "$to" ] || echo "$from $to"
      done
  done | sort -u | awk '
    function program(f) { return f ~ /^toolwindow/ ? "toolwindow" : f ~ /^output/ ? "output" : "" }
    {
      uses[$1] = uses[$1] " " $2; folder[$1] = 1; folder[$2] = 1
      if (program($1) != "" && program($2) != "" && program($1) != program($2)) {
        print "crosses between the programs: " $1 " -> " $2 > "/dev/stderr"; status = 1
      }
    }
    END {
      # A folder stands one floor above the highest folder it includes.
      do {
        moved = 0
        for (f in folder) {
          if (f in floor) continue
          n = split(uses[f], list, " "); top = 0; ready = 1
          for (i = 1; i <= n; i++) {
            if (!(list[i] in floor)) { ready = 0; break }
            if (floor[list[i]] > top) top = floor[list[i]]
          }
          if (ready) { floor[f] = top + 1; moved = 1 }
        }
      } while (moved)
      for (f in folder) {
        if (f in floor) {
          printf "floor %2d  %-40s <-%s\n", floor[f], f, (uses[f] == "" ? " (nothing)" : uses[f])
        } else {
          print "runs back up, or stands on a folder that does: " f " <-" uses[f] > "/dev/stderr"
          status = 1
        }
      }
      exit status
    }' | sort -k2,2n -k3,3

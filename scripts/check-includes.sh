#!/usr/bin/env bash
# Fails when a file under src/ includes a folder above its own in the stack. A transfer
# hands data one way, and the includes must say the same:
#
#   plugin                     the entry points, the dialog, the transfer driver
#   output                     writes the store to the structure files and records
#   target                     the fill steps and the store they fill
#   source                     reads the host into the source model
#   host                       the host interface and its implementations
#   platform                   files, folders, message boxes, per operating system
#   common                     text, units, the transfer report, hashing
#
# A folder may include itself and anything below it, with one narrowing: target and output
# never include host. The fill steps ask the host only through the read-only query the
# source stage hands them (source/HostQuery.h), so the host's answers all pass through
# the source stage. Beside that stack:
#   decode  reads structure files back; it sits beside output over platform and common
#           only, so that it never shares a mistake with the code that writes the files.
#   check   checks, totals and pictures of a structure; it sits beside output (never above
#           it): it reads through decode and compares with the source and target stages.
#   plugin  may include every stage but not decode or check, which the Windows component
#           does not build.
#   apps/, tools/, fuzz/, bench/ and tests/ sit on top of everything and are not checked.
# Includes without a folder (a generated header beside the file) are not checked.
#
# Fast and needs no build: scripts/test.sh runs it first.
set -euo pipefail
cd "$(dirname "$0")/.."

# What each folder may include besides itself.
declare -A allowed=(
  [common]=""
  [platform]="common"
  [host]="platform common"
  [source]="host platform common"
  [target]="source platform common"
  [output]="target source platform common"
  [decode]="platform common"
  [check]="decode target source host platform common"
  [plugin]="output target source host platform common"
)

grep -rnE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^/"]+/' src |
awk -v rules="$(for k in "${!allowed[@]}"; do echo "$k:${allowed[$k]}"; done)" '
  BEGIN {
    n = split(rules, lines, "\n")
    for (i = 1; i <= n; i++) {
      split(lines[i], kv, ":")
      known[kv[1]] = 1
      m = split(kv[2], below, " ")
      for (j = 1; j <= m; j++) ok[kv[1] "," below[j]] = 1
    }
  }
  {
    split($0, parts, ":")
    file = parts[1]; line = parts[2]
    text = substr($0, length(file) + length(line) + 3)
    from = file; sub(/^src\//, "", from); sub(/\/.*/, "", from)
    to = text; sub(/^[^"]*"/, "", to); sub(/\/.*/, "", to)
    if (to == from) next
    if (!(from in known)) {
      print file ":" line ": folder src/" from " has no place in the stack (add it to scripts/check-includes.sh)"
      bad = 1
    } else if (!((from "," to) in ok)) {
      print file ":" line ": src/" from " must not include src/" to ": " text
      bad = 1
    }
  }
  END {
    if (bad) {
      print "include check failed: an include points up the stack (see the top of scripts/check-includes.sh)" > "/dev/stderr"
      exit 1
    }
  }'

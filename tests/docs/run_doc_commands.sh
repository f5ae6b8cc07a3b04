#!/usr/bin/env bash
# Runs every command line that the README and the user guide show (the "$ " lines of
# their console blocks) in a copy of the sample world, so a renamed command or flag
# fails the build, not the reader. The copy is a Git repository, so the documents can
# show Git's set-up; the scripts a document shows (```python blocks whose first line is
# "# NAME.py: ...") are written into it first.
#
#   run_doc_commands.sh BRANNOCK_TOOL SAMPLE_WORLD_DIR SAMPLE_WORLD_GENERATOR DOC...
set -u
tool=$(realpath "$1") sample=$2 generator=$(realpath "$3")
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$sample/." "$work/"
PATH="$(dirname "$tool"):$(dirname "$generator"):$PATH"
git -C "$work" init -q && git -C "$work" add -A &&
  git -C "$work" -c user.name=docs -c user.email=docs@example.org commit -qm "the sample world" || exit 1

ran=0
failed=0
for doc in "$@"; do
  awk -v dir="$work" '
    /^```python/ { getline; split($2, name, ":"); file = dir "/" name[1]; print > file; shown = 1; next }
    /^```/ { if (shown) close(file); shown = 0 }
    shown { print > file }' "$doc"
  while IFS= read -r line; do
    command=${line#\$ }
    ran=$((ran + 1))
    if ! (cd "$work" && eval "$command") >"$work/.output" 2>&1; then
      echo "$(basename "$doc"): failed: $command"
      cat "$work/.output"
      failed=1
    fi
  done < <(awk '/^```console/ { shown = 1; next } /^```/ { shown = 0 } shown && /^\$ /' "$doc")
done
echo "$ran commands run"
[ "$ran" -gt 0 ] && [ "$failed" = 0 ]

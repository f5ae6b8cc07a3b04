#!/bin/sh
# Seed corpora for the fuzzing harnesses: the generated sample world's files sorted by
# the reader that opens them, plus the shared MS3D files. Seeds are added, never
# removed, so the corpora the fuzzers grew stay.
# usage: build_corpus.sh SAMPLE_WORLD_DIR SHARED_MS3D_DIR CORPUS_DIR BRANNOCK_TOOL
set -eu
world=$1
shared=$2
out=$3
tool=$4

seed() {  # seed HARNESS FILE...
  dir=$out/$1
  shift
  mkdir -p "$dir"
  for f in "$@"; do
    [ -f "$f" ] && cp "$f" "$dir/seed-$(basename "$(dirname "$f")")-$(basename "$f")"
  done
  return 0
}

seed room "$world"/data/world/room/*.rer
# build's JSON: the complete dump of every sample room, and of a new room.
mkdir -p "$out/room_json"
for f in "$world"/data/world/room/*.rer; do
  "$tool" --base "$world" dump --complete "$f" >"$out/room_json/seed-$(basename "$f" .rer).json"
done
scratch=$(mktemp -d)
"$tool" --base "$world" new "$scratch/new.rer"
"$tool" --base "$world" dump --complete "$scratch/new.rer" >"$out/room_json/seed-new.json"
rm -rf "$scratch"
# In the world, "name_animation.ms3d" files are animations; every shared file is a model.
seed ms3d_base $(find "$world/data/model" -name '*.ms3d' ! -name '*_*.ms3d') $(find "$shared" -name '*.ms3d')
seed ms3d_animation $(find "$world/data/model" -name '*_*.ms3d')
seed model_definition $(find "$world/data/model" -name '*.ini' ! -name loadmodel.ini)
seed model_list "$world/data/model/loadmodel.ini"
seed bmp $(find "$world" -name '*.bmp' -size -64k)
seed editor_ini "$world/editor.ini"
seed variable_ini "$world/variable.ini"
seed enemy_ini "$world/enemy.ini"
seed sound_ini "$world/sound/loadsound.ini"
seed texture_list "$world/art/loadtexture.ini"

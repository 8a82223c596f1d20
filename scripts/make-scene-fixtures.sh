#!/usr/bin/env bash
# Writes the committed scene fixtures with tavro-scene: older-layout scenes for the material
# tests and real scenes as the scene loader's fuzzing seeds.
# Usage: scripts/make-scene-fixtures.sh [build directory, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
scene="$build/apps/tavro-scene/tavro-scene"
fixtures=tests/material/fixtures
corpus=tests/fuzz/corpus
mkdir -p "$fixtures" "$corpus"

values=(--set mtl_reflect_ior=2 --set mtl_diffuse_color=0.5,0.25,0.125)
"$scene" create "$fixtures/legacy-v0.tvs" --legacy-version 0 --legacy-count 66 "${values[@]}"
"$scene" create "$fixtures/legacy-v1.tvs" --legacy-version 1 --legacy-count 68 "${values[@]}"

# An image for the map slots (checked when assigned); scenes keep only its name.
image=$(mktemp --suffix=.hdr)
trap 'rm -f "$image"' EXIT
cp resources/env/EnvMatEdit.hdr "$image"

"$scene" create "$corpus/two-materials.tvs" -n 2 "${values[@]}" --set mtl_reflect_brdf=TRGGX
"$scene" set "$corpus/two-materials.tvs" 1 --key --time 160 mtl_reflect_ior=3 mtl_fog_color=1,0,0
"$scene" create "$corpus/maps.tvs" --map "mtl_diffuse_map=$image" --map "mtl_normal_map=$image" \
    --map "mtl_opacity_map=$image"
cp "$fixtures/legacy-v0.tvs" "$fixtures/legacy-v1.tvs" "$corpus/"

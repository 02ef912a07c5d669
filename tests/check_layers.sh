#!/usr/bin/env bash
# Checks the engine's layering: no Qt or SDL anywhere in the engine folders
# (subfolders included), and every #include of a project header points to the
# same layer or one below it, whether it names the header from the source root
# ("sim/grid.h") or climbs to it from the including file ("../view/menu.h").
# platform/qt and platform/sdl are the desktop's side and are not checked.
set -u
src=${1:?usage: check_layers.sh SRC_DIR}
src=$(cd "$src" && pwd -P)
layers=(data state sim editor mapgen view game)
status=0

# The functions below answer in a variable instead of on their output: the
# script looks at every include of the engine, and a subshell for each would be
# most of its time.

# rank LAYER: its place in RANK (99 for a folder that is no layer).
rank() {
  local i
  for i in "${!layers[@]}"; do [ "${layers[$i]}" = "$1" ] && { RANK=$i; return; }; done
  RANK=99
  [ "$1" = platform ] && RANK=-1  # the interfaces: usable from any layer
}

# An absolute path with its "." and ".." steps resolved, in NORMAL (as realpath -m).
normal() {
  local -a parts out=()
  local part
  IFS=/ read -ra parts <<<"$1"
  for part in "${parts[@]}"; do
    case "$part" in
      "" | .) ;;
      ..) [ ${#out[@]} -gt 0 ] && unset 'out[${#out[@]}-1]' ;;
      *) out+=("$part") ;;
    esac
  done
  local IFS=/
  NORMAL="/${out[*]}"
}

# The folder under the source root that an #include in `file` reaches, in TOP:
# the including file's own folder first (as the compiler looks), then the root.
# "outside" for a header outside the source root, empty for a system or toolkit
# header.
reached() {
  local file=$1 inc=$2 dir path
  dir=${file%/*}
  TOP=
  if [ -e "$dir/$inc" ] || [[ "$inc" == ../* || "$inc" == ./* ]]; then
    normal "$dir/$inc"
    path=$NORMAL
  else
    rank "${inc%%/*}"
    if [ -e "$src/$inc" ] || [[ "$inc" == */* && $RANK != 99 ]]; then
      path=$src/$inc
    else
      return
    fi
  fi
  case "$path" in
    "$src"/*) path=${path#"$src"/}; TOP=${path%%/*} ;;
    *) TOP=outside ;;
  esac
}

for layer in "${layers[@]}" platform; do
  dir="$src/$layer"
  [ -d "$dir" ] || continue
  rank "$layer"
  mine=$RANK
  # Every include line of the layer's files at once, as FILE:LINE.
  while IFS= read -r found; do
    file=${found%%:*}
    line=${found#*:}
    [[ "$line" =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*[\<\"]([^\>\"]+)[\>\"] ]] || continue
    inc=${BASH_REMATCH[1]}
    case "$inc" in
      Q*|Qt*/*|SDL*|SDL2/*)
        echo "$file: toolkit header in the engine: $inc"; status=1; continue ;;
    esac
    [[ "$line" =~ \< ]] && [[ "$inc" != */* ]] && continue  # <vector> and the like
    reached "$file" "$inc"
    top=$TOP
    [ -z "$top" ] && continue
    if [ "$top" = outside ]; then
      echo "$file: reaches outside the engine: $inc"; status=1; continue
    fi
    rank "$top"
    other=$RANK
    [ "$other" = 99 ] && { echo "$file: reaches into $top/, which is not a layer of the engine: $inc"; status=1; continue; }
    if [ "$layer" = platform ]; then
      [ "$top" = platform ] && continue
      echo "$file: the platform interfaces include the engine: $inc"; status=1; continue
    fi
    if [ "$other" -gt "$mine" ]; then
      echo "$file: $layer/ reaches up into $top/: $inc"; status=1
    fi
  done < <(find "$dir" \( -path "$src/platform/qt" -o -path "$src/platform/sdl" \) -prune -o -type f \( -name '*.h' -o -name '*.cpp' \) -print0 |
           xargs -0 -r grep -EH '^[[:space:]]*#[[:space:]]*include')
done
[ $status = 0 ] && echo "engine layering: ok"
exit $status
